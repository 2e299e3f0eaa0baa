#pragma once

#include "CalendarLayout.h"

#include <QWidget>

namespace zol {
class AppModel;
}

namespace zol::ui {

// The month of the history as a grid of weeks, each day with its total, the
// part of it that was internal work, and a mark on the day of the running
// session. Clicking a day, or Return on the day chosen with the arrow keys,
// shows that day as a list.
class CalendarMonthView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CalendarMonthView)

public:
    explicit CalendarMonthView(AppModel& model, QWidget* parent = nullptr);
    ~CalendarMonthView() override;

    const CalendarMonth& month() const { return m_month; }
    // Where the cell of `day` (an index into month().days) is drawn.
    QRect cellRect(int day) const;
    int selected() const { return m_selected; }
    void select(int day);
    // Shows the day as a list.
    void open(int day);

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    void relayout();
    int headerHeight() const;
    int rows() const { return int(m_month.days.size() / 7); }

    AppModel& m_model;
    CalendarMonth m_month;
    int m_selected = -1;
};

} // namespace zol::ui
