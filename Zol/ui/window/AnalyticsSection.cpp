#include "window/AnalyticsSection.h"

#include "AnalyticsModel.h"
#include "AppModel.h"
#include "ReportsModel.h"
#include "common/Icons.h"
#include "common/PaletteFollower.h"
#include "common/Theme.h"
#include "window/BreakdownDelegate.h"
#include "window/BreakdownModel.h"
#include "window/DayChart.h"
#include "window/SegmentedPicker.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>

namespace zol::ui {

namespace {

using Kind = TimesheetPeriod::Kind;
using Grouping = AnalyticsModel::Grouping;

// A list that shows all its rows, so that the page scrolls as one.
void fitToRows(QListView* list)
{
    const int rows = list->model()->rowCount();
    const int rowHeight = rows > 0 ? list->sizeHintForRow(0) : 0;
    list->setFixedHeight(rows * rowHeight + 2 * list->frameWidth());
}

QToolButton* iconButton(const QString& icon, const QString& name, const QString& objectName,
                        QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(objectName);
    followIcon(button, icon);
    button->setToolTip(name);
    button->setAccessibleName(name);
    button->setAutoRaise(true);
    return button;
}

} // namespace

AnalyticsSection::AnalyticsSection(AppModel& model, QWidget* parent)
    : SectionPage(tr("Analytics"),
                  tr("Everyone’s uploaded timesheets, read straight off the studio folder."),
                  parent)
    , m_model(model)
    , m_analytics(new AnalyticsModel(model.books(), *model.reports(), this))
{
    content()->addWidget(makeControls());
    // The state and the figures take turns; neither holds room for the other.
    m_state = new EmptyState(QString(), QString(), this);
    m_state->setObjectName(QStringLiteral("analyticsState"));
    m_state->setMinimumHeight(220);
    content()->addWidget(m_state);
    m_figures = makeFigures();
    content()->addWidget(m_figures);

    ReportsModel* reports = model.reports();
    connect(reports, &ReportsModel::reportPeriodChanged, this, &AnalyticsSection::showPeriod);
    connect(reports, &ReportsModel::reportKindChanged, this, &AnalyticsSection::showPeriod);
    connect(reports, &ReportsModel::studioQueryChanged, this, [this] {
        if (m_search->text() != m_model.reports()->studioQuery())
            m_search->setText(m_model.reports()->studioQuery());
    });
    connect(m_analytics, &AnalyticsModel::stateChanged, this, &AnalyticsSection::showState);
    connect(m_analytics, &AnalyticsModel::chartChanged, this, &AnalyticsSection::showChart);
    connect(m_analytics, &AnalyticsModel::readingChanged, this, &AnalyticsSection::showReading);
    connect(m_analytics, &AnalyticsModel::breakdownChanged, this, [this] {
        fitToRows(m_breakdown);
        showState();
    });
    connect(m_analytics, &AnalyticsModel::groupingChanged, this,
            [this] { m_groupingPicker->setValue(int(m_analytics->grouping())); });
    showPeriod();
    showChart();
    fitToRows(m_breakdown);
    showState();
}

AnalyticsSection::~AnalyticsSection() = default;

QWidget* AnalyticsSection::makeControls()
{
    auto* controls = new QWidget(this);
    auto* column = new QVBoxLayout(controls);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(10);

    auto* periodRow = new QHBoxLayout();
    periodRow->setSpacing(6);
    m_periodPicker = new SegmentedPicker(tr("Period"), controls);
    m_periodPicker->setObjectName(QStringLiteral("periodPicker"));
    m_periodPicker->setToolTip(tr("A week to check, a month to hand on"));
    for (const Kind kind : TimesheetPeriod::allKinds())
        m_periodPicker->addSegment(TimesheetPeriod::label(kind), int(kind),
                                   QStringLiteral("period") + TimesheetPeriod::label(kind));
    connect(m_periodPicker, &SegmentedPicker::valueChanged, this,
            [this](int kind) { m_model.reports()->setReportKind(Kind(kind)); });
    QToolButton* previous = iconButton(QStringLiteral("chevron-left"), tr("Previous period"),
                                       QStringLiteral("previousPeriod"), controls);
    previous->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Left));
    connect(previous, &QToolButton::clicked, this,
            [this] { m_model.reports()->moveReportPeriod(-1); });
    QToolButton* next = iconButton(QStringLiteral("chevron-right"), tr("Next period"),
                                   QStringLiteral("nextPeriod"), controls);
    next->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Right));
    connect(next, &QToolButton::clicked, this, [this] { m_model.reports()->moveReportPeriod(1); });
    m_periodTitle = titleLabel(QString(), controls, 1.1);
    m_periodTitle->setObjectName(QStringLiteral("periodTitle"));
    m_periodTitle->setWordWrap(false);

    m_reading = new QProgressBar(controls);
    m_reading->setObjectName(QStringLiteral("readingIndicator"));
    m_reading->setAccessibleName(tr("Reading the studio folder…"));
    m_reading->setRange(0, 0);
    m_reading->setTextVisible(false);
    m_reading->setFixedSize(96, 6);
    m_readingCaption = secondaryLabel(QString(), controls);
    m_readingCaption->setObjectName(QStringLiteral("readingCaption"));
    m_readingCaption->setWordWrap(false);
    m_readAgain = new QPushButton(tr("Read the studio folder again"), controls);
    followIcon(m_readAgain, QStringLiteral("refresh"));
    m_readAgain->setObjectName(QStringLiteral("readAgain"));
    m_readAgain->setAccessibleName(m_readAgain->text());
    connect(m_readAgain, &QPushButton::clicked, this, [this] { m_model.reports()->readStudio(); });

    m_export = new QToolButton(controls);
    m_export->setObjectName(QStringLiteral("exportButton"));
    m_export->setText(tr("Export"));
    followIcon(m_export, QStringLiteral("export"));
    m_export->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_export->setPopupMode(QToolButton::InstantPopup);
    m_export->setAccessibleName(tr("Export"));
    m_export->setToolTip(tr("Every session as a spreadsheet, or the totals as a page to hand on"));
    auto* menu = new QMenu(m_export);
    menu->setObjectName(QStringLiteral("exportMenu"));
    menu->setToolTipsVisible(true);
    const auto addExport = [this, menu](const QString& text, const QString& objectName,
                                        void (ReportsModel::*operation)()) {
        QAction* action = menu->addAction(text);
        action->setObjectName(objectName);
        action->setToolTip(m_export->toolTip());
        connect(action, &QAction::triggered, this,
                [this, operation] { (m_model.reports()->*operation)(); });
    };
    addExport(tr("Export report and data…"), QStringLiteral("exportPackage"),
              &ReportsModel::exportStudioPackage);
    addExport(tr("Only the sessions, as CSV…"), QStringLiteral("exportRows"),
              &ReportsModel::exportStudioRows);
    addExport(tr("Only the report, as HTML…"), QStringLiteral("exportReport"),
              &ReportsModel::saveStudioReport);
    m_export->setMenu(menu);

    periodRow->addWidget(m_periodPicker);
    periodRow->addSpacing(8);
    periodRow->addWidget(previous);
    periodRow->addWidget(m_periodTitle);
    periodRow->addWidget(next);
    periodRow->addStretch();
    periodRow->addWidget(m_readingCaption);
    periodRow->addWidget(m_reading);
    periodRow->addWidget(m_readAgain);
    periodRow->addWidget(m_export);
    column->addLayout(periodRow);

    auto* groupRow = new QHBoxLayout();
    groupRow->setSpacing(6);
    m_groupingPicker = new SegmentedPicker(tr("What to total by"), controls);
    m_groupingPicker->setObjectName(QStringLiteral("groupingPicker"));
    m_groupingPicker->setToolTip(tr("What to total by"));
    for (const Grouping grouping : AnalyticsModel::groupings())
        m_groupingPicker->addSegment(AnalyticsModel::label(grouping), int(grouping),
                                     QStringLiteral("group") + AnalyticsModel::label(grouping));
    m_groupingPicker->setValue(int(m_analytics->grouping()));
    connect(m_groupingPicker, &SegmentedPicker::valueChanged, this,
            [this](int grouping) { m_analytics->setGrouping(Grouping(grouping)); });
    m_search = new QLineEdit(controls);
    m_search->setObjectName(QStringLiteral("studioSearch"));
    m_search->setPlaceholderText(tr("Search person, client, project, number or note"));
    m_search->setAccessibleName(m_search->placeholderText());
    m_search->setClearButtonEnabled(true);
    QAction* lens = m_search->addAction(QIcon(), QLineEdit::LeadingPosition);
    followPalette(m_search,
                  [this, lens] { lens->setIcon(Icons::icon(QStringLiteral("search"), m_search)); });
    m_search->setMinimumWidth(380);
    connect(m_search, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_model.reports()->setStudioQuery(text); });
    groupRow->addWidget(m_groupingPicker);
    groupRow->addStretch();
    groupRow->addWidget(m_search);
    column->addLayout(groupRow);

    setTabOrder(m_periodPicker, previous);
    setTabOrder(previous, next);
    setTabOrder(next, m_readAgain);
    setTabOrder(m_readAgain, m_export);
    setTabOrder(m_export, m_groupingPicker);
    setTabOrder(m_groupingPicker, m_search);
    return controls;
}

QWidget* AnalyticsSection::makeFigures()
{
    auto* figures = new QWidget(this);
    figures->setObjectName(QStringLiteral("figures"));
    auto* column = new QVBoxLayout(figures);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(12);

    const auto noteCard = [figures, column](const QString& objectName, const QString& icon,
                                            QLabel*& label) {
        auto* card = new Card(figures);
        card->setObjectName(objectName);
        auto* row = new QHBoxLayout();
        row->setSpacing(10);
        auto* mark = new QLabel(card);
        followPixmap(mark, icon, 18, Theme::warning);
        mark->setAlignment(Qt::AlignTop);
        label = wrapping(new QLabel(card));
        label->setObjectName(objectName + QStringLiteral("Text"));
        row->addWidget(mark);
        row->addWidget(label, 1);
        card->body()->addLayout(row);
        column->addWidget(card);
        return card;
    };
    m_staleCard = noteCard(QStringLiteral("staleNote"), QStringLiteral("warning"), m_staleNote);
    m_unreadableCard =
        noteCard(QStringLiteral("unreadableNote"), QStringLiteral("warning"), m_unreadableNote);

    m_total = titleLabel(QString(), figures, 1.25);
    m_total->setObjectName(QStringLiteral("totalCaption"));
    // The keys as well as the pointer: the chart takes the focus and walks
    // its days with the arrow keys.
    QLabel* hint = secondaryLabel(
        tr("Point at a day for its total, or step through the days with ← and →"), figures);
    hint->setObjectName(QStringLiteral("chartHint"));
    hint->setWordWrap(false);
    auto* totalRow = new QHBoxLayout();
    totalRow->addWidget(m_total, 1);
    totalRow->addWidget(hint, 0, Qt::AlignBottom);
    column->addLayout(totalRow);
    m_chart = new DayChart(figures);
    column->addWidget(m_chart);

    m_emptyPeriod = secondaryLabel(QString(), figures);
    m_emptyPeriod->setObjectName(QStringLiteral("emptyPeriod"));
    m_emptyPeriod->setAlignment(Qt::AlignHCenter);
    m_emptyPeriod->setContentsMargins(0, 16, 0, 16);
    column->addWidget(m_emptyPeriod);

    m_breakdown = new QListView(figures);
    m_breakdown->setObjectName(QStringLiteral("breakdown"));
    m_breakdown->setAccessibleName(tr("Breakdown"));
    m_breakdown->setModel(new BreakdownModel(*m_analytics, m_breakdown));
    m_breakdown->setItemDelegate(new BreakdownDelegate(m_breakdown));
    m_breakdown->setUniformItemSizes(true);
    m_breakdown->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_breakdown->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_breakdown->setSelectionMode(QAbstractItemView::SingleSelection);
    m_breakdown->setFrameShape(QFrame::NoFrame);
    m_breakdown->setAlternatingRowColors(false);
    column->addWidget(m_breakdown);

    m_peopleCard = new Card(figures);
    m_peopleCard->setObjectName(QStringLiteral("peopleWithNothing"));
    QLabel* peopleTitle = titleLabel(AnalyticsModel::peopleWithNothingTitle(), m_peopleCard, 1.0);
    m_peopleNames = wrapping(new QLabel(m_peopleCard));
    m_peopleNames->setObjectName(QStringLiteral("peopleNames"));
    m_peopleCard->body()->addWidget(peopleTitle);
    m_peopleCard->body()->addWidget(m_peopleNames);
    m_peopleCard->body()->addWidget(
        secondaryLabel(AnalyticsModel::peopleWithNothingText(), m_peopleCard));
    column->addWidget(m_peopleCard);
    return figures;
}

void AnalyticsSection::showPeriod()
{
    const ReportsModel& reports = *m_model.reports();
    m_periodPicker->setValue(int(reports.reportKind()));
    m_periodTitle->setText(reports.reportPeriod().title());
    m_periodTitle->setAccessibleName(m_periodTitle->text());
    showState();
}

void AnalyticsSection::showChart()
{
    m_chart->setDays(m_analytics->chartDays(), m_analytics->chartScale());
}

// The bar fills as the timesheets are read; it only moves to and fro until
// they are found.
void AnalyticsSection::showReading()
{
    const bool reading = m_model.reports()->isReadingStudio();
    const std::optional<int> percent = m_analytics->readingPercent();
    const QString caption = m_analytics->readingCaption();
    // In place of "Read the studio folder again", which cannot be pressed
    // meanwhile.
    m_readAgain->setVisible(!reading);
    m_reading->setVisible(reading);
    m_readingCaption->setVisible(reading);
    m_reading->setRange(0, percent ? 100 : 0);
    m_reading->setValue(percent.value_or(0));
    m_reading->setAccessibleName(caption);
    m_readingCaption->setText(caption);
    if (m_analytics->state() == AnalyticsModel::State::reading)
        m_state->setTexts(m_analytics->stateTitle(), m_analytics->stateText());
}

void AnalyticsSection::showState()
{
    const ReportsModel& reports = *m_model.reports();
    const AnalyticsModel::State state = m_analytics->state();
    const bool figures = state == AnalyticsModel::State::figures;
    showReading();
    m_readAgain->setEnabled(!reports.isReadingStudio() && state != AnalyticsModel::State::noFolder);
    m_export->setEnabled(figures);
    m_groupingPicker->setEnabled(figures);
    m_search->setEnabled(figures);

    m_state->setVisible(!figures);
    m_figures->setVisible(figures);
    if (!figures) {
        m_state->setTexts(m_analytics->stateTitle(), m_analytics->stateText());
        return;
    }
    const std::optional<QString> stale = m_analytics->staleNote();
    m_staleCard->setVisible(stale.has_value());
    m_staleNote->setText(stale.value_or(QString()));
    const QString unreadable = m_analytics->unreadableNote();
    m_unreadableCard->setVisible(!unreadable.isEmpty());
    m_unreadableNote->setText(unreadable);

    const bool empty = m_analytics->breakdown().isEmpty();
    m_total->setText(m_analytics->totalCaption());
    m_emptyPeriod->setVisible(empty);
    m_emptyPeriod->setText(empty ? m_analytics->emptyText() : QString());
    m_breakdown->setVisible(!empty);

    const QStringList idle = m_analytics->peopleWithNothing();
    m_peopleCard->setVisible(!idle.isEmpty());
    m_peopleNames->setText(idle.join(QStringLiteral(", ")));
}

void AnalyticsSection::showEvent(QShowEvent* event)
{
    SectionPage::showEvent(event);
    m_analytics->setActive(true);
    showState();
}

void AnalyticsSection::hideEvent(QHideEvent* event)
{
    m_analytics->setActive(false);
    SectionPage::hideEvent(event);
}

} // namespace zol::ui
