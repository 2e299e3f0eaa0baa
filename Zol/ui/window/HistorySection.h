#pragma once

#include "records/TimeEntry.h"

#include <QWidget>

class QButtonGroup;
class QLabel;
class QScrollArea;
class QStackedWidget;
class QToolButton;

namespace zol {
class AppModel;
}

namespace zol::ui {

class CalendarMonthView;
class CalendarWeekView;
class HistoryList;
class HistoryUploadCard;

// The History section: a day, week or month as a list or a calendar, moved
// through with the arrows (Ctrl+Left, Ctrl+Right) and brought back with
// "Jump back to the present"; the export menu; the upload control of the
// week or month shown. Sessions open their details, and from there the
// session editor.
// objectNames: "periodTitle", "periodSummary", "previousPeriod", "nextPeriod",
// "present", "scopeDay", "scopeWeek", "scopeMonth", "layoutList",
// "layoutCalendar", "exportButton" (actions "exportCsv", "exportJson",
// "exportAllCsv", "exportAllJson"), "historyEmpty" ("emptyTitle", "emptyText").
class HistorySection final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HistorySection)

public:
    explicit HistorySection(AppModel& model, QWidget* parent = nullptr);
    ~HistorySection() override;

    HistoryList& list() const { return *m_list; }
    CalendarWeekView& week() const { return *m_week; }
    CalendarMonthView& month() const { return *m_month; }

    // The session's details (leading to the editor), and the project editor;
    // each a window of its own over the main window.
    QWidget* openDetails(const TimeEntry& entry);
    QWidget* openProjectEditor(const QString& projectSerial);

private:
    void follow();
    QToolButton* segment(const QString& name, const QString& text, const QString& icon,
                         QButtonGroup* group, int id);

    AppModel& m_model;
    QLabel* m_title;
    QLabel* m_summary;
    QToolButton* m_previous;
    QToolButton* m_next;
    QToolButton* m_present;
    QButtonGroup* m_scope;
    QButtonGroup* m_layout;
    HistoryUploadCard* m_upload;
    QStackedWidget* m_body;
    HistoryList* m_list;
    QScrollArea* m_weekArea;
    CalendarWeekView* m_week;
    QScrollArea* m_monthArea;
    CalendarMonthView* m_month;
    QWidget* m_empty;
    QLabel* m_emptyTitle;
    QLabel* m_emptyText;
};

} // namespace zol::ui
