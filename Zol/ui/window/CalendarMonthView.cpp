#include "window/CalendarMonthView.h"

#include "AppModel.h"
#include "HistoryCaptions.h"
#include "HistoryModel.h"
#include "common/Theme.h"
#include "records/Duration.h"
#include "window/RunningClock.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>

namespace zol::ui {

CalendarMonthView::CalendarMonthView(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
{
    setObjectName(QStringLiteral("calendarMonth"));
    setAccessibleName(tr("Month calendar"));
    setFocusPolicy(Qt::StrongFocus);
    HistoryModel* history = model.history();
    connect(history, &HistoryModel::historyEntriesChanged, this, &CalendarMonthView::relayout);
    connect(history, &HistoryModel::historyDayChanged, this, &CalendarMonthView::relayout);
    followRunningClock(this, model, [this] {
        if (isVisible())
            relayout();
    });
    relayout();
}

CalendarMonthView::~CalendarMonthView() = default;

void CalendarMonthView::relayout()
{
    const QDate wasSelected = m_selected >= 0 && m_selected < m_month.days.size()
                                  ? m_month.days.at(m_selected).date
                                  : QDate();
    m_month =
        CalendarLayout::month(m_model.history()->historyDay(), m_model.history()->historyEntries(),
                              m_model.books().calendar(), m_model.clock().now());
    m_selected = -1;
    for (int i = 0; i < m_month.days.size(); ++i) {
        if (m_month.days.at(i).date == wasSelected)
            m_selected = i;
    }
    updateGeometry();
    update();
}

int CalendarMonthView::headerHeight() const
{
    return fontMetrics().height() + 12;
}

QSize CalendarMonthView::minimumSizeHint() const
{
    return {7 * 80, headerHeight() + rows() * 64};
}

QSize CalendarMonthView::sizeHint() const
{
    return {7 * 130, headerHeight() + rows() * 96};
}

QRect CalendarMonthView::cellRect(int day) const
{
    const double width = (this->width() - 2) / 7.0;
    const double height = double(this->height() - headerHeight() - 2) / std::max(1, rows());
    return QRectF(1 + (day % 7) * width, headerHeight() + (day / 7) * height, width, height)
        .toRect();
}

void CalendarMonthView::select(int day)
{
    if (day < 0 || day >= m_month.days.size())
        return;
    m_selected = day;
    const CalendarDay& cell = m_month.days.at(day);
    setAccessibleDescription(HistoryCaptions::dayTitle(cell.date) + QStringLiteral(", ") +
                             Duration::coarseString(cell.totalSeconds));
    update();
}

void CalendarMonthView::open(int day)
{
    if (day < 0 || day >= m_month.days.size())
        return;
    const QDate date = m_month.days.at(day).date;
    HistoryModel& history = *m_model.history();
    history.setHistoryLayout(HistoryLayout::list);
    history.setHistoryScope(HistoryScope::day);
    history.showPeriod(date);
}

void CalendarMonthView::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    const QColor text = pal.color(QPalette::WindowText);
    const QColor secondary = Theme::secondaryText(pal);
    QColor grid = text;
    grid.setAlphaF(0.10);
    const QDate today = m_model.books().today();
    QFont digits = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    digits.setPointSizeF(font().pointSizeF() * 1.05);
    digits.setBold(true);
    QFont small = font();
    small.setPointSizeF(font().pointSizeF() * 0.88);

    // Weekday names over the columns, Monday first.
    const QLocale locale;
    painter.setPen(secondary);
    for (int c = 0; c < 7 && c < m_month.days.size(); ++c) {
        const QRect column = cellRect(c);
        painter.drawText(QRect(column.left() + 8, 0, column.width() - 16, headerHeight()),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         locale.dayName(m_month.days.at(c).date.dayOfWeek(), QLocale::ShortFormat));
    }

    for (int i = 0; i < m_month.days.size(); ++i) {
        const CalendarDay& day = m_month.days.at(i);
        const QRect cell = cellRect(i).adjusted(2, 2, -2, -2);
        QColor fill = Theme::card(pal);
        if (!day.inMonth)
            fill.setAlphaF(0.45);
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        painter.drawRoundedRect(QRectF(cell), 7, 7);
        if (i == m_selected && hasFocus()) {
            painter.setBrush(Qt::NoBrush);
            painter.setPen(QPen(pal.color(QPalette::Highlight), 2));
            painter.drawRoundedRect(QRectF(cell).adjusted(1, 1, -1, -1), 7, 7);
        }

        // The day's number; today's on an accent disc.
        const QString number = QString::number(day.date.day());
        const QRect numberBox(cell.left() + 6, cell.top() + 5, fontMetrics().height() + 6,
                              fontMetrics().height() + 4);
        if (day.date == today) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(Theme::accent(pal));
            painter.drawRoundedRect(QRectF(numberBox), numberBox.height() / 2.0,
                                    numberBox.height() / 2.0);
            painter.setPen(Qt::white);
        } else {
            painter.setPen(day.inMonth ? text : secondary);
        }
        painter.setFont(font());
        painter.drawText(numberBox, Qt::AlignCenter, number);

        if (day.holdsRunning) {
            const int dot = 8;
            painter.setPen(Qt::NoPen);
            painter.setBrush(Theme::accent(pal));
            painter.drawEllipse(QRect(cell.right() - dot - 8, cell.top() + 9, dot, dot));
        }
        if (!day.inMonth || day.sessions == 0)
            continue;
        const QRect figures = cell.adjusted(8, numberBox.height() + 8, -8, -6);
        painter.setFont(digits);
        painter.setPen(text);
        painter.drawText(figures, Qt::AlignLeft | Qt::AlignTop,
                         Duration::coarseString(day.totalSeconds));
        if (day.internalSeconds >= 60) {
            painter.setFont(small);
            painter.setPen(secondary);
            painter.drawText(figures.adjusted(0, QFontMetrics(digits).height() + 2, 0, 0),
                             Qt::AlignLeft | Qt::AlignTop,
                             tr("%1 internal").arg(Duration::coarseString(day.internalSeconds)));
        }
    }
}

void CalendarMonthView::mousePressEvent(QMouseEvent* event)
{
    for (int i = 0; i < m_month.days.size(); ++i) {
        if (cellRect(i).contains(event->position().toPoint())) {
            setFocus(Qt::MouseFocusReason);
            select(i);
            open(i);
            return;
        }
    }
    QWidget::mousePressEvent(event);
}

void CalendarMonthView::keyPressEvent(QKeyEvent* event)
{
    if (m_month.days.isEmpty() || event->modifiers() != Qt::NoModifier)
        return QWidget::keyPressEvent(event);
    const int count = int(m_month.days.size());
    const int from = m_selected >= 0 ? m_selected : int(m_month.first.dayOfWeek() - 1);
    switch (event->key()) {
    case Qt::Key_Right:
        select(std::min(count - 1, from + 1));
        return;
    case Qt::Key_Left:
        select(std::max(0, from - 1));
        return;
    case Qt::Key_Down:
        select(std::min(count - 1, from + 7));
        return;
    case Qt::Key_Up:
        select(std::max(0, from - 7));
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        open(from);
        return;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

bool CalendarMonthView::event(QEvent* event)
{
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
        update();
    return QWidget::event(event);
}

} // namespace zol::ui
