#include "tray/SessionReadout.h"

#include "AppModel.h"
#include "Captions.h"
#include "InputCheck.h"
#include "PanelState.h"
#include "SessionOperations.h"
#include "common/Widgets.h"
#include "records/Duration.h"
#include "records/ProjectColour.h"
#include "tray/NumberBadge.h"
#include "tray/PanelStyle.h"
#include "tray/Readout.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zol::ui {

using PanelStyle::Tone;

SessionReadout::SessionReadout(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_readout(new Readout(this))
    , m_badge(new NumberBadge(m_readout))
    , m_title(new QLabel(m_readout))
    , m_client(new QLabel(m_readout))
    , m_state(new QLabel(m_readout))
    , m_elapsed(new QLabel(m_readout))
    , m_paused(new QLabel(tr("Paused"), m_readout))
    , m_task(new QLabel(m_readout))
    , m_note(new QLineEdit(this))
    , m_pauseOrResume(new QPushButton(this))
    , m_stop(new QPushButton(tr("Stop"), this))
    , m_switch(new QPushButton(this))
    , m_cancel(new QPushButton(tr("Cancel recording"), this))
    , m_confirmation(new QWidget(this))
    , m_keepTracking(new QPushButton(tr("Keep tracking"), m_confirmation))
    , m_discard(new QPushButton(tr("Discard"), m_confirmation))
{
    setObjectName(QStringLiteral("sessionReadout"));

    m_badge->setObjectName(QStringLiteral("sessionBadge"));
    m_title->setObjectName(QStringLiteral("sessionTitle"));
    m_title->setFont(PanelStyle::scaled(font(), 1.08, true));
    m_title->setTextFormat(Qt::PlainText);
    m_client->setObjectName(QStringLiteral("sessionClient"));
    m_client->setTextFormat(Qt::PlainText);
    PanelStyle::setTone(m_client, Tone::secondary);
    m_state->setObjectName(QStringLiteral("sessionState"));
    m_elapsed->setObjectName(QStringLiteral("elapsed"));
    m_elapsed->setFont(PanelStyle::clockFont(font(), 2.3));
    m_paused->setObjectName(QStringLiteral("pausedTag"));
    PanelStyle::setTone(m_paused, Tone::warning);
    m_paused->setFont(PanelStyle::scaled(font(), 1.0, true));
    m_task->setObjectName(QStringLiteral("sessionTask"));
    m_task->setTextFormat(Qt::PlainText);
    PanelStyle::setTone(m_task, Tone::secondary);

    auto* titleRow = new QHBoxLayout();
    titleRow->setSpacing(8);
    titleRow->addWidget(m_badge);
    titleRow->addWidget(m_title, 1);
    auto* clockRow = new QHBoxLayout();
    clockRow->setSpacing(8);
    clockRow->addWidget(m_state);
    clockRow->addWidget(m_elapsed);
    clockRow->addWidget(m_paused);
    clockRow->addStretch();
    auto* readoutLayout = new QVBoxLayout(m_readout);
    readoutLayout->setContentsMargins(8, 6, 8, 6);
    readoutLayout->setSpacing(2);
    readoutLayout->addLayout(titleRow);
    readoutLayout->addWidget(m_client);
    readoutLayout->addLayout(clockRow);
    readoutLayout->addWidget(m_task);

    m_note->setObjectName(QStringLiteral("note"));
    m_note->setPlaceholderText(tr("Add a note (optional)"));
    m_note->setAccessibleName(tr("Note"));
    m_note->setMaxLength(int(InputCheck::longestNote));
    m_note->setClearButtonEnabled(true);
    connect(m_note, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_model.panel().setCurrentNote(text); });

    m_pauseOrResume->setObjectName(QStringLiteral("pauseOrResume"));
    connect(m_pauseOrResume, &QPushButton::clicked, this, &SessionReadout::togglePause);
    m_stop->setObjectName(QStringLiteral("stop"));
    m_stop->setAccessibleName(tr("Stop"));
    m_stop->setToolTip(tr("Stop (Ctrl+Return)"));
    PanelStyle::setIcon(m_stop, QStringLiteral("stop"));
    connect(m_stop, &QPushButton::clicked, this,
            [this] { m_model.status().failIfRefused(m_model.sessions().stop()); });
    auto* buttons = new QHBoxLayout();
    buttons->setSpacing(8);
    buttons->addWidget(m_pauseOrResume, 1);
    buttons->addWidget(m_stop, 1);

    m_switch->setObjectName(QStringLiteral("switchTo"));
    PanelStyle::setIcon(m_switch, QStringLiteral("swap"));
    m_switch->setToolTip(tr("Stop this session and start the selected work"));
    connect(m_switch, &QPushButton::clicked, this,
            [this] { m_model.status().failIfRefused(m_model.sessions().startArmed()); });

    m_cancel->setObjectName(QStringLiteral("cancelRecording"));
    m_cancel->setAccessibleName(tr("Cancel recording"));
    m_cancel->setToolTip(tr("Throw this recording away without keeping any of it"));
    m_cancel->setFlat(true);
    PanelStyle::setTone(m_cancel, Tone::secondary);
    connect(m_cancel, &QPushButton::clicked, this, [this] { confirm(true); });

    m_confirmation->setObjectName(QStringLiteral("cancelConfirmation"));
    auto* question = new QLabel(tr("It will not be recorded."), m_confirmation);
    question->setObjectName(QStringLiteral("cancelQuestion"));
    PanelStyle::setTone(question, Tone::failure);
    m_keepTracking->setObjectName(QStringLiteral("keepTracking"));
    m_keepTracking->setAccessibleName(tr("Keep tracking"));
    m_discard->setObjectName(QStringLiteral("discard"));
    m_discard->setAccessibleName(tr("Discard"));
    connect(m_keepTracking, &QPushButton::clicked, this, [this] { confirm(false); });
    connect(m_discard, &QPushButton::clicked, this, [this] {
        confirm(false);
        m_model.status().failIfRefused(m_model.sessions().discard());
    });
    auto* confirmation = new QHBoxLayout(m_confirmation);
    confirmation->setContentsMargins(0, 0, 0, 0);
    confirmation->setSpacing(8);
    confirmation->addWidget(question, 1);
    confirmation->addWidget(m_keepTracking);
    confirmation->addWidget(m_discard);
    m_confirmation->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(m_readout);
    layout->addWidget(m_note);
    layout->addLayout(buttons);
    layout->addWidget(m_switch);
    layout->addWidget(m_cancel, 0, Qt::AlignLeft);
    layout->addWidget(m_confirmation);
}

SessionReadout::~SessionReadout() = default;

void SessionReadout::refresh()
{
    const Tracker& tracker = *m_model.books().tracker();
    const std::optional<TimeEntry>& current = tracker.current();
    if (!current)
        return;
    if (current->id != m_shownSession) {
        m_shownSession = current->id;
        confirm(false);
    }
    m_badge->setBadge(current->isInternal                           ? tr("Internal")
                      : Project::isLocalKey(current->projectSerial) ? tr("No number")
                                                                    : current->projectSerial,
                      ProjectColour::of(*current));
    m_title->setText(current->projectName);
    m_client->setText(current->isInternal ? tr("Internal time") : current->clientName);
    m_client->setVisible(!m_client->text().isEmpty());
    m_task->setText(tr("Task: %1").arg(current->task));
    m_task->setVisible(!current->task.isEmpty());

    const QString note = m_model.panel().currentNote();
    if (m_note->text() != note)
        m_note->setText(note);

    const bool paused = tracker.isPaused();
    m_offersResume = paused;
    m_pauseOrResume->setText(paused ? tr("Resume") : tr("Pause"));
    m_pauseOrResume->setAccessibleName(m_pauseOrResume->text());
    m_pauseOrResume->setToolTip(tr("%1 (Space)").arg(m_pauseOrResume->text()));
    PanelStyle::setIcon(m_pauseOrResume, paused ? QStringLiteral("play") : QStringLiteral("pause"));

    const std::optional<QString> switchTo = PanelState::switchCaption(m_model.panel());
    m_switch->setVisible(switchTo.has_value());
    m_switch->setText(PanelStyle::literal(switchTo.value_or(QString())));
    m_switch->setAccessibleName(switchTo.value_or(QString()));
    tick();
}

void SessionReadout::tick()
{
    const Tracker& tracker = *m_model.books().tracker();
    const std::optional<TimeEntry>& current = tracker.current();
    if (!current)
        return;
    const bool paused = tracker.isPaused();
    // Paused is looked at first: a paused session that ran too long shows the
    // pause, as the tray does.
    const bool tooLong = !paused && m_model.panel().runningTooLong();
    const QString picture = paused    ? QStringLiteral("pause-circle")
                            : tooLong ? QStringLiteral("clock-warning")
                                      : QStringLiteral("record");
    if (m_state->property("zolIcon").toString() != picture) {
        PanelStyle::setTone(m_state, tooLong ? Tone::warning : Tone::secondary);
        PanelStyle::setPicture(m_state, picture, 22);
        m_state->setAccessibleName(paused    ? tr("Paused")
                                   : tooLong ? tr("Running longer than the warning")
                                             : tr("Running"));
    }
    m_paused->setVisible(paused);
    m_elapsed->setText(Duration::clockString(tracker.elapsed()));
    const QString readout =
        (paused ? tr("Paused on %1, %2") : tr("Tracking %1, %2"))
            .arg(Captions::sessionTitle(*current), Duration::coarseString(tracker.elapsed()));
    m_readout->setAccessibleName(readout);
}

QWidget* SessionReadout::readout() const
{
    return m_readout;
}

QWidget* SessionReadout::lastControl() const
{
    return m_confirmation->isVisible() ? m_discard : m_cancel;
}

QList<QWidget*> SessionReadout::controls() const
{
    return {m_readout, m_note,   m_pauseOrResume, m_stop,
            m_switch,  m_cancel, m_keepTracking,  m_discard};
}

bool SessionReadout::isConfirming() const
{
    return !m_confirmation->isHidden();
}

void SessionReadout::closeConfirmation()
{
    confirm(false);
}

void SessionReadout::togglePause()
{
    // What the button offers, whatever the books say by now.
    const auto done = m_offersResume ? m_model.sessions().resume() : m_model.sessions().pause();
    if (!done)
        m_model.status().fail(done.error().sentence);
}

void SessionReadout::confirm(bool open)
{
    if (open == isConfirming())
        return;
    const bool hadFocus = m_cancel->hasFocus() || m_confirmation->isAncestorOf(focusWidget());
    m_confirmation->setVisible(open);
    m_cancel->setVisible(!open);
    if (hadFocus)
        (open ? static_cast<QWidget*>(m_keepTracking) : m_cancel)->setFocus();
}

} // namespace zol::ui
