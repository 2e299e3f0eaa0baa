#pragma once

#include "CalendarLayout.h"
#include "common/Accessibility.h"

#include <QWidget>

namespace zol {
class AppModel;
}

namespace zol::ui {

// The week of the history as seven day columns, each session a block placed
// by its hours, in its project's colour; internal work hatched, the running
// session outlined and growing with the clock. Tab reaches it; the arrow keys
// walk the blocks in time order and Return opens the one selected, as a
// click does.
class CalendarWeekView final : public QWidget, public Accessibility::Items
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CalendarWeekView)

public:
    explicit CalendarWeekView(AppModel& model, QWidget* parent = nullptr);
    ~CalendarWeekView() override;

    const CalendarWeek& week() const { return m_week; }
    // Where block `i` of week() is drawn at the current size.
    QRect blockRect(int i) const;
    int selected() const { return m_selected; }
    void select(int block);

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

    // Each block for a screen reader: "Tue 24 Feb, 09:15 – 12:00, 2302
    // Website, 2h 45m", opened by its action.
    int itemCount() const override { return int(m_week.blocks.size()); }
    QString itemName(int block) const override;
    QRect itemRect(int block) const override { return blockRect(block); }
    int currentItem() const override { return m_selected; }
    QList<Action> itemActions(int block) const override;
    void actOn(int block, const QString& id) override;

Q_SIGNALS:
    void sessionOpened(const zol::TimeEntry& entry);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    void relayout();
    int headerHeight() const;
    int gutterWidth() const;
    double hourHeight() const;
    double columnWidth() const;

    AppModel& m_model;
    CalendarWeek m_week;
    int m_selected = -1;
};

} // namespace zol::ui
