#pragma once

#include "common/Widgets.h"

class QLabel;
class QLineEdit;
class QListView;
class QProgressBar;
class QPushButton;
class QToolButton;

namespace zol {
class AnalyticsModel;
class AppModel;
} // namespace zol

namespace zol::ui {

class Card;
class DayChart;
class EmptyState;
class SegmentedPicker;

// "Analytics": everyone's uploaded timesheets for a week, month or year,
// totalled by person, client, project or task, a day-by-day chart, and the
// exports of the studio's hours. The folder is read when the section first
// shows and when asked; every state (reading, no folder, out of reach,
// nothing uploaded, unreadable files, people without timesheets) says so in
// the words of the controller.
class AnalyticsSection final : public SectionPage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AnalyticsSection)

public:
    AnalyticsSection(AppModel& model, QWidget* parent = nullptr);
    ~AnalyticsSection() override;

    AnalyticsModel& analytics() const { return *m_analytics; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* makeControls();
    QWidget* makeFigures();
    void showPeriod();
    void showState();
    void showChart();
    void showReading();

    AppModel& m_model;
    AnalyticsModel* m_analytics;
    SegmentedPicker* m_periodPicker = nullptr;
    QLabel* m_periodTitle = nullptr;
    SegmentedPicker* m_groupingPicker = nullptr;
    QLineEdit* m_search = nullptr;
    QPushButton* m_readAgain = nullptr;
    QProgressBar* m_reading = nullptr;
    QLabel* m_readingCaption = nullptr;
    QToolButton* m_export = nullptr;
    QWidget* m_figures = nullptr;
    EmptyState* m_state = nullptr;
    Card* m_staleCard = nullptr;
    QLabel* m_staleNote = nullptr;
    Card* m_unreadableCard = nullptr;
    QLabel* m_unreadableNote = nullptr;
    QLabel* m_total = nullptr;
    DayChart* m_chart = nullptr;
    QListView* m_breakdown = nullptr;
    QLabel* m_emptyPeriod = nullptr;
    Card* m_peopleCard = nullptr;
    QLabel* m_peopleNames = nullptr;
};

} // namespace zol::ui
