#pragma once

#include "AnalyticsModel.h"

#include <QWidget>

namespace zol::ui {

// The studio's hours as one bar a day (a month for a year), on a scale of
// round hours whose top is never below the largest bar. Pointing at a bar
// shows its total; with the keyboard focus, Left and Right (Home, End) step
// through the days and the day's total is read out for screen readers.
class DayChart final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DayChart)

public:
    explicit DayChart(QWidget* parent = nullptr);
    ~DayChart() override;

    void setDays(const QList<AnalyticsModel::ChartDay>& days,
                 const AnalyticsModel::ChartScale& scale);
    const QList<AnalyticsModel::ChartDay>& days() const { return m_days; }
    // The day stepped to with the keyboard (or last pointed at); -1 for none.
    int currentDay() const { return m_current; }
    void setCurrentDay(int index);
    // The bar of a day, in the widget's coordinates (for tests and tooltips).
    QRectF barRect(int index) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;

private:
    QRectF plotArea() const;
    qreal slotWidth() const;
    int dayAt(const QPointF& point) const;
    void showSentence(int index);
    static QString hoursLabel(double hours);

    QList<AnalyticsModel::ChartDay> m_days;
    AnalyticsModel::ChartScale m_scale;
    int m_current = -1;
    int m_hovered = -1;
};

} // namespace zol::ui
