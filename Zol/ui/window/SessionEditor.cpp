#include "window/SessionEditor.h"

#include "AppModel.h"
#include "Captions.h"
#include "CatalogueModel.h"
#include "HistoryCaptions.h"
#include "common/Theme.h"
#include "common/Widgets.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimeEdit>
#include <QVBoxLayout>

#include <cmath>

namespace zol::ui {

namespace {

// Hours and minutes of `seconds`, rounded to the minute.
std::pair<int, int> hoursAndMinutes(double seconds)
{
    const qint64 minutes = std::llround(seconds / 60.0);
    return {int(minutes / 60), int(minutes % 60)};
}

QSpinBox* spin(QWidget* parent, const QString& name, const QString& accessible, int maximum,
               const QString& suffix)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setAccessibleName(accessible);
    box->setRange(0, maximum);
    box->setSuffix(suffix);
    return box;
}

QLabel* coloured(QLabel* label, const QColor& colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

QString projectTitle(const TimeEntry& e)
{
    if (e.isInternal)
        return SessionEditor::tr("%1 (internal work)").arg(e.projectName);
    return Captions::sessionTitle(e);
}

} // namespace

SessionEditor::SessionEditor(AppModel& model, const TimeEntry& entry, QWidget* parent)
    : QDialog(parent, dialogFlags)
    , m_model(model)
    , m_original(entry)
    , m_start(SessionEdit::of(entry, model.clock().now(), model.books().calendar()))
    , m_date(new QDateEdit(this))
    , m_from(new QTimeEdit(this))
    , m_until(new QTimeEdit(this))
    , m_durationHours(
          spin(this, QStringLiteral("durationHours"), tr("Duration, hours"), 999, tr(" h")))
    , m_durationMinutes(
          spin(this, QStringLiteral("durationMinutes"), tr("Duration, minutes"), 59, tr(" min")))
    , m_pausedHours(spin(this, QStringLiteral("pausedHours"), tr("Paused, hours"), 999, tr(" h")))
    , m_pausedMinutes(
          spin(this, QStringLiteral("pausedMinutes"), tr("Paused, minutes"), 59, tr(" min")))
    , m_note(new QLineEdit(this))
    , m_task(new QComboBox(this))
    , m_project(wrapping(new QLabel(this)))
    , m_move(new QPushButton(tr("Move this session to another project"), this))
    , m_moveTo(new QComboBox(this))
    , m_keep(new QPushButton(tr("Keep this project"), this))
    , m_messages(new QWidget(this))
    , m_refusal(titleLabel(QString(), m_messages, 1.0))
    , m_explanation(wrapping(new QLabel(m_messages)))
    , m_overlaps(secondaryLabel(QString(), m_messages))
    , m_warning(wrapping(new QLabel(m_messages)))
    , m_save(new QPushButton(tr("Save"), this))
{
    setObjectName(QStringLiteral("sessionEditor"));
    setWindowTitle(tr("Edit session"));
    setAttribute(Qt::WA_DeleteOnClose);
    setMinimumWidth(480);

    m_date->setObjectName(QStringLiteral("date"));
    m_date->setAccessibleName(tr("Date"));
    m_date->setCalendarPopup(true);
    m_date->setDisplayFormat(QStringLiteral("ddd d MMM yyyy"));
    m_date->setDate(m_start.date);
    m_from->setObjectName(QStringLiteral("from"));
    m_from->setAccessibleName(tr("From"));
    m_from->setDisplayFormat(QStringLiteral("HH:mm"));
    m_from->setTime(m_start.from);
    m_until->setObjectName(QStringLiteral("until"));
    m_until->setAccessibleName(tr("Until"));
    m_until->setDisplayFormat(QStringLiteral("HH:mm"));
    m_worked = m_start.workedSeconds;
    const auto [workedHours, workedMinutes] = hoursAndMinutes(m_start.workedSeconds);
    m_durationHours->setValue(workedHours);
    m_durationMinutes->setValue(workedMinutes);
    const auto [pausedHours, pausedMinutes] = hoursAndMinutes(m_start.pausedSeconds);
    m_pausedHours->setValue(pausedHours);
    m_pausedMinutes->setValue(pausedMinutes);
    m_note->setObjectName(QStringLiteral("note"));
    m_note->setAccessibleName(tr("Note"));
    m_note->setText(m_start.note);
    m_note->setPlaceholderText(tr("What was done"));
    m_task->setObjectName(QStringLiteral("task"));
    m_task->setAccessibleName(tr("Task"));
    m_task->setEditable(true);
    m_task->addItems(model.books().taskList().choices());
    m_task->setCurrentText(m_start.task);
    const bool tasks = model.books().taskList().isEnabled() || !entry.task.isEmpty();

    m_project->setObjectName(QStringLiteral("project"));
    m_project->setText(projectTitle(entry));
    m_move->setObjectName(QStringLiteral("moveProject"));
    m_moveTo->setObjectName(QStringLiteral("moveTo"));
    m_moveTo->setAccessibleName(tr("Project to move to"));
    m_keep->setObjectName(QStringLiteral("keepProject"));
    for (const Project& project : model.catalogue()->allProjects()) {
        if (!project.isActive || project.serial == entry.projectSerial)
            continue;
        const QString number = project.displaySerial();
        m_moveTo->addItem(number.isEmpty() ? project.displayName()
                                           : number + QStringLiteral(" · ") + project.displayName(),
                          project.serial);
    }
    m_move->setEnabled(m_moveTo->count() > 0);

    // An open session keeps counting: only its start, words and project change.
    const bool open = entry.isOpen();
    for (QSpinBox* box : {m_durationHours, m_durationMinutes, m_pausedHours, m_pausedMinutes})
        box->setEnabled(!open);

    auto* form = new QFormLayout();
    form->setLabelAlignment(Qt::AlignRight);
    form->setHorizontalSpacing(14);
    form->setVerticalSpacing(10);
    form->addRow(tr("Date"), m_date);
    form->addRow(tr("From"), m_from);
    form->addRow(tr("Until"), m_until);
    form->setRowVisible(m_until, !open);
    auto* duration = new QHBoxLayout();
    duration->addWidget(m_durationHours);
    duration->addWidget(m_durationMinutes);
    duration->addStretch();
    form->addRow(tr("Duration"), duration);
    auto* paused = new QHBoxLayout();
    paused->addWidget(m_pausedHours);
    paused->addWidget(m_pausedMinutes);
    paused->addStretch();
    form->addRow(tr("Paused"), paused);
    form->addRow(tr("Note"), m_note);
    form->addRow(tr("Task"), m_task);
    form->setRowVisible(m_task, tasks);
    auto* projectColumn = new QVBoxLayout();
    projectColumn->setSpacing(6);
    projectColumn->addWidget(m_project);
    auto* moveRow = new QHBoxLayout();
    moveRow->addWidget(m_move);
    moveRow->addWidget(m_moveTo, 1);
    moveRow->addWidget(m_keep);
    projectColumn->addLayout(moveRow);
    form->addRow(tr("Project"), projectColumn);

    m_refusal->setObjectName(QStringLiteral("refusal"));
    m_explanation->setObjectName(QStringLiteral("refusalExplanation"));
    m_overlaps->setObjectName(QStringLiteral("overlaps"));
    // One short line per session in the way; wrapping would hide the last.
    m_overlaps->setWordWrap(false);
    m_warning->setObjectName(QStringLiteral("warning"));
    auto* messages = new QVBoxLayout(m_messages);
    messages->setContentsMargins(0, 4, 0, 0);
    messages->setSpacing(4);
    messages->addWidget(m_refusal);
    messages->addWidget(m_explanation);
    messages->addWidget(m_overlaps);
    messages->addWidget(m_warning);

    auto* buttons = new QDialogButtonBox(this);
    m_save->setObjectName(QStringLiteral("save"));
    m_save->setDefault(true);
    buttons->addButton(m_save, QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("cancel"));
    connect(m_save, &QPushButton::clicked, this, &SessionEditor::save);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(22, 18, 22, 16);
    layout->setSpacing(12);
    layout->addWidget(titleLabel(tr("Edit session"), this, 1.25));
    layout->addLayout(form);
    layout->addWidget(m_messages);
    layout->addWidget(buttons);

    const QList<QWidget*> order{
        m_date,        m_from,          m_until, m_durationHours, m_durationMinutes,
        m_pausedHours, m_pausedMinutes, m_note,  m_task,          m_move,
        m_moveTo,      m_keep,          m_save,  cancel};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));

    showUntil();
    connect(m_date, &QDateEdit::dateChanged, this, &SessionEditor::recheck);
    connect(m_from, &QTimeEdit::timeChanged, this, [this] {
        showUntil();
        recheck();
    });
    connect(m_until, &QTimeEdit::timeChanged, this, &SessionEditor::untilEdited);
    for (QSpinBox* box : {m_durationHours, m_durationMinutes})
        connect(box, &QSpinBox::valueChanged, this, &SessionEditor::durationEdited);
    for (QSpinBox* box : {m_pausedHours, m_pausedMinutes}) {
        connect(box, &QSpinBox::valueChanged, this, [this] {
            showUntil();
            recheck();
        });
    }
    connect(m_note, &QLineEdit::textChanged, this, &SessionEditor::recheck);
    connect(m_task, &QComboBox::currentTextChanged, this, &SessionEditor::recheck);
    connect(m_moveTo, &QComboBox::currentIndexChanged, this, &SessionEditor::recheck);
    connect(m_move, &QPushButton::clicked, this, [this] { showMove(true); });
    connect(m_keep, &QPushButton::clicked, this, [this] { showMove(false); });
    showMove(false);
}

SessionEditor::~SessionEditor() = default;

void SessionEditor::showMove(bool moving)
{
    const bool wasMoving = m_moving;
    m_moving = moving;
    m_move->setVisible(!moving);
    m_moveTo->setVisible(moving);
    m_keep->setVisible(moving);
    if (moving != wasMoving)
        (moving ? static_cast<QWidget*>(m_moveTo) : m_move)->setFocus();
    recheck();
}

SessionEdit SessionEditor::fields() const
{
    SessionEdit edit = m_start;
    edit.date = m_date->date();
    // The editor shows whole minutes: an untouched field keeps the seconds.
    if (m_from->time().toString(u"HH:mm") != m_start.from.toString(u"HH:mm"))
        edit.from = m_from->time();
    edit.workedSeconds = m_worked;
    edit.pausedSeconds = pausedSeconds();
    edit.note = m_note->text();
    edit.task = m_task->currentText();
    edit.moveTo.reset();
    if (m_moving) {
        const QString serial = m_moveTo->currentData().toString();
        for (const Project& project : m_model.catalogue()->allProjects()) {
            if (project.serial == serial)
                edit.moveTo = project;
        }
    }
    return edit;
}

double SessionEditor::pausedSeconds() const
{
    const auto paused = std::pair{m_pausedHours->value(), m_pausedMinutes->value()};
    if (paused == hoursAndMinutes(m_start.pausedSeconds))
        return m_start.pausedSeconds;
    return (paused.first * 60.0 + paused.second) * 60.0;
}

void SessionEditor::durationEdited()
{
    const auto worked = std::pair{m_durationHours->value(), m_durationMinutes->value()};
    m_worked = worked == hoursAndMinutes(m_start.workedSeconds)
                   ? m_start.workedSeconds
                   : (worked.first * 60.0 + worked.second) * 60.0;
    showUntil();
    recheck();
}

void SessionEditor::untilEdited()
{
    const QTime from = fields().from;
    const int until = m_until->time().msecsSinceStartOfDay() / 1000;
    const int start = from.msecsSinceStartOfDay() / 1000;
    // The end on the same day as the start: an end before it is refused.
    m_worked = double(until - start) - pausedSeconds();
    const auto [hours, minutes] = hoursAndMinutes(std::max(0.0, m_worked));
    const QSignalBlocker quietHours(m_durationHours);
    const QSignalBlocker quietMinutes(m_durationMinutes);
    m_durationHours->setValue(hours);
    m_durationMinutes->setValue(minutes);
    recheck();
}

void SessionEditor::showUntil()
{
    const SessionEdit edit = fields();
    const qint64 end = qint64(edit.from.msecsSinceStartOfDay()) +
                       std::llround((std::max(0.0, m_worked) + edit.pausedSeconds) * 1000.0);
    const QSignalBlocker quiet(m_until);
    m_until->setTime(QTime::fromMSecsSinceStartOfDay(int(end % (24 * 3600 * 1000))));
}

TimeEntry SessionEditor::edited() const
{
    return fields().applied(m_original, m_model.clock().now(), m_model.books().calendar());
}

void SessionEditor::recheck()
{
    m_check = m_model.history()->checkEdit(edited());
    m_refusal->setText(m_check.refusal);
    m_refusal->setVisible(m_check.isRefused());
    coloured(m_refusal, Theme::failure(palette()));
    m_explanation->setText(m_check.explanation);
    m_explanation->setVisible(!m_check.explanation.isEmpty());
    QStringList inTheWay;
    for (const TimeEntry& other : std::as_const(m_check.overlaps))
        inTheWay.append(
            HistoryCaptions::shortDayTitle(m_model.books().calendar().day(other.startedAt)) +
            QStringLiteral(", ") + HistoryCaptions::timeSpan(other, m_model.books().calendar()) +
            QStringLiteral(" · ") + projectTitle(other));
    m_overlaps->setText(inTheWay.join(u'\n'));
    m_overlaps->setVisible(!inTheWay.isEmpty());
    m_warning->setText(m_check.warning);
    m_warning->setVisible(!m_check.warning.isEmpty());
    coloured(m_warning, Theme::warning(palette()));
    m_messages->setVisible(m_check.isRefused() || !m_check.warning.isEmpty());
    m_save->setEnabled(!m_check.isRefused());
}

void SessionEditor::save()
{
    const Outcome<TimeEntry> saved = m_model.history()->saveEdit(edited());
    if (saved) {
        accept();
        return;
    }
    recheck();
    // A refusal the check did not foresee (the books could not be written)
    // is said here, not only on the status line behind the dialog.
    if (!m_check.isRefused()) {
        m_refusal->setText(saved.error().sentence);
        m_refusal->setVisible(true);
        m_messages->setVisible(true);
    }
}

} // namespace zol::ui
