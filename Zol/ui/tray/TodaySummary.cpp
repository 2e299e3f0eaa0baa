#include "tray/TodaySummary.h"

#include "AppModel.h"
#include "PanelState.h"
#include "common/Icons.h"
#include "records/Duration.h"
#include "tracking/WorkStatus.h"
#include "tray/PanelStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace zol::ui {

namespace {

constexpr int pictureSize = 48;

} // namespace

TodaySummary::TodaySummary(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_picture(new QLabel(this))
    , m_phrase(new QLabel(this))
    , m_total(new QLabel(this))
    , m_sessions(new QLabel(this))
{
    setObjectName(QStringLiteral("todaySummary"));
    m_picture->setObjectName(QStringLiteral("dayPicture"));
    m_picture->setAlignment(Qt::AlignCenter);
    m_picture->setFixedSize(pictureSize, pictureSize);
    m_phrase->setObjectName(QStringLiteral("dayPhrase"));
    m_phrase->setFont(PanelStyle::scaled(font(), 1.25, true));
    m_total->setObjectName(QStringLiteral("todayTotal"));
    m_total->setFont(PanelStyle::scaled(font(), 1.0, true));
    m_sessions->setObjectName(QStringLiteral("sessionsToday"));
    PanelStyle::setTone(m_sessions, PanelStyle::Tone::secondary);

    auto* totalRow = new QHBoxLayout();
    totalRow->setSpacing(0);
    auto* tracked =
        new QLabel(tr(" tracked today ", "between the day's total and the session count"), this);
    PanelStyle::setTone(tracked, PanelStyle::Tone::secondary);
    totalRow->addWidget(m_total);
    totalRow->addWidget(tracked);
    totalRow->addWidget(m_sessions);
    totalRow->addStretch();
    auto* words = new QVBoxLayout();
    words->setSpacing(2);
    words->addStretch();
    words->addWidget(m_phrase);
    words->addLayout(totalRow);
    words->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    layout->addWidget(m_picture);
    layout->addLayout(words, 1);
}

TodaySummary::~TodaySummary() = default;

void TodaySummary::refresh()
{
    const double total = m_model.books().tracker()->todayTotal();
    const WorkStatus status = WorkStatus::forTime(total).value_or(WorkStatus::notStarted());
    m_phrase->setText(status.phrase);
    if (Icons::has(status.artName)) {
        // Drawn in their own colours; "currentColor" outlines take the text's.
        PanelStyle::setPicture(m_picture, status.artName, pictureSize);
    } else {
        m_picture->setProperty("zolIcon", QVariant());
        m_picture->setFont(PanelStyle::scaled(font(), 2.4));
        m_picture->setText(status.emoji);
    }
    m_picture->setAccessibleName(status.phrase);
    m_total->setText(Duration::coarseString(total));
    m_sessions->setText(PanelState::sessionCount(m_model.panel().sessionsToday()));
    setAccessibleName(
        tr("%1, %2 tracked today %3").arg(status.phrase, m_total->text(), m_sessions->text()));
}

} // namespace zol::ui
