#include "window/CalendarWeekView.h"

#include "AppModel.h"
#include "Captions.h"
#include "HistoryCaptions.h"
#include "HistoryModel.h"
#include "common/Theme.h"
#include "records/Duration.h"
#include "records/ProjectColour.h"
#include "window/ProjectBadge.h"
#include "window/RunningClock.h"

#include <QFontDatabase>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <cmath>

namespace zol::ui {

namespace {

constexpr double minimumHourHeight = 26;

QString blockTitle(const TimeEntry& entry)
{
    return Captions::sessionTitle(entry);
}

} // namespace

CalendarWeekView::CalendarWeekView(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
{
    Accessibility::install();
    setObjectName(QStringLiteral("calendarWeek"));
    setAccessibleName(tr("Week calendar"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    HistoryModel* history = model.history();
    connect(history, &HistoryModel::historyEntriesChanged, this, &CalendarWeekView::relayout);
    connect(history, &HistoryModel::historyDayChanged, this, &CalendarWeekView::relayout);
    followRunningClock(this, model, [this] {
        if (isVisible())
            relayout();
    });
    relayout();
}

CalendarWeekView::~CalendarWeekView() = default;

void CalendarWeekView::relayout()
{
    const QUuid wasSelected = m_selected >= 0 && m_selected < m_week.blocks.size()
                                  ? m_week.blocks.at(m_selected).entry.id
                                  : QUuid();
    m_week =
        CalendarLayout::week(m_model.history()->historyDay(), m_model.history()->historyEntries(),
                             m_model.books().calendar(), m_model.clock().now());
    const int wasAt = m_selected;
    m_selected = -1;
    for (int i = 0; i < m_week.blocks.size(); ++i) {
        if (!wasSelected.isNull() && m_week.blocks.at(i).entry.id == wasSelected) {
            m_selected = i;
            break;
        }
    }
    // The selected session moved to another place among the blocks: a
    // screen reader follows it there.
    if (m_selected != wasAt && hasFocus())
        Accessibility::focusItem(this, m_selected);
    updateGeometry();
    update();
}

int CalendarWeekView::headerHeight() const
{
    return fontMetrics().height() * 2 + 18;
}

int CalendarWeekView::gutterWidth() const
{
    return fontMetrics().horizontalAdvance(QStringLiteral("00:00")) + 16;
}

double CalendarWeekView::hourHeight() const
{
    const int hours = std::max(1, m_week.lastHour - m_week.firstHour);
    return std::max(minimumHourHeight, double(height() - headerHeight() - 8) / hours);
}

double CalendarWeekView::columnWidth() const
{
    return double(width() - gutterWidth() - 4) / 7.0;
}

QSize CalendarWeekView::minimumSizeHint() const
{
    const int hours = m_week.lastHour - m_week.firstHour;
    return {gutterWidth() + 7 * 72, headerHeight() + int(hours * minimumHourHeight) + 8};
}

QSize CalendarWeekView::sizeHint() const
{
    const int hours = m_week.lastHour - m_week.firstHour;
    return {gutterWidth() + 7 * 130, headerHeight() + hours * 44 + 8};
}

QRect CalendarWeekView::blockRect(int i) const
{
    const CalendarBlock& block = m_week.blocks.at(i);
    const double hour = hourHeight();
    const double column = columnWidth();
    const double x = gutterWidth() + block.column * column;
    const double top = headerHeight() + (block.fromHour - m_week.firstHour) * hour;
    const double bottom = headerHeight() + (block.toHour - m_week.firstHour) * hour;
    return QRectF(x + 3, top + 1, column - 6, std::max(4.0, bottom - top - 2)).toRect();
}

void CalendarWeekView::select(int block)
{
    if (block < -1 || block >= m_week.blocks.size())
        return;
    m_selected = block;
    if (hasFocus())
        Accessibility::focusItem(this, block);
    update();
}

QString CalendarWeekView::itemName(int block) const
{
    if (block < 0 || block >= m_week.blocks.size())
        return {};
    const TimeEntry& entry = m_week.blocks.at(block).entry;
    return HistoryCaptions::shortDayTitle(m_week.days.at(m_week.blocks.at(block).column)) +
           QStringLiteral(", ") + HistoryCaptions::timeSpan(entry, m_model.books().calendar()) +
           QStringLiteral(", ") + blockTitle(entry) + QStringLiteral(", ") +
           Duration::coarseString(entry.duration(m_model.clock().now()));
}

QList<Accessibility::Items::Action> CalendarWeekView::itemActions(int block) const
{
    if (block < 0 || block >= m_week.blocks.size())
        return {};
    return {{QStringLiteral("open"), tr("Open details")}};
}

void CalendarWeekView::actOn(int block, const QString& id)
{
    if (id == u"open" && block >= 0 && block < m_week.blocks.size())
        Q_EMIT sessionOpened(m_week.blocks.at(block).entry);
}

void CalendarWeekView::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    const QColor text = pal.color(QPalette::WindowText);
    const QColor secondary = Theme::secondaryText(pal);
    QColor grid = text;
    grid.setAlphaF(0.10);
    const int header = headerHeight();
    const int gutter = gutterWidth();
    const double hour = hourHeight();
    const double column = columnWidth();
    const QDate today = m_model.books().today();
    const QDateTime now = m_model.clock().now();
    QFont digits = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    digits.setPointSizeF(font().pointSizeF() * 0.9);

    // Day headings: the day, and its total under it.
    for (int c = 0; c < 7; ++c) {
        const QRectF cell(gutter + c * column, 4, column, header - 8);
        const bool isToday = m_week.days.at(c) == today;
        QFont bold = font();
        bold.setBold(true);
        painter.setFont(bold);
        painter.setPen(isToday ? Theme::accent(pal) : text);
        painter.drawText(cell.adjusted(6, 0, -6, -cell.height() / 2),
                         Qt::AlignLeft | Qt::AlignBottom,
                         HistoryCaptions::shortDayTitle(m_week.days.at(c)));
        painter.setFont(digits);
        painter.setPen(secondary);
        const double total = m_week.dayTotals.at(c);
        painter.drawText(cell.adjusted(6, cell.height() / 2 + 2, -6, 0),
                         Qt::AlignLeft | Qt::AlignTop,
                         total > 0 ? Duration::coarseString(total) : QStringLiteral("–"));
    }

    // Hours down the side and their lines across.
    painter.setFont(digits);
    for (int h = m_week.firstHour; h <= m_week.lastHour; ++h) {
        const double y = header + (h - m_week.firstHour) * hour;
        painter.setPen(grid);
        painter.drawLine(QPointF(gutter, y + 0.5), QPointF(width() - 4, y + 0.5));
        // Each hour's label is centred on its line.
        painter.setPen(secondary);
        painter.drawText(QRectF(0, y - hour / 2, gutter - 8, hour),
                         Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("%1:00").arg(h, 2, 10, QLatin1Char('0')));
    }
    for (int c = 0; c <= 7; ++c) {
        const double x = gutter + c * column;
        painter.setPen(grid);
        painter.drawLine(QPointF(x + 0.5, header),
                         QPointF(x + 0.5, header + (m_week.lastHour - m_week.firstHour) * hour));
    }

    // The blocks.
    const QFontMetrics metrics(font());
    for (int i = 0; i < m_week.blocks.size(); ++i) {
        const CalendarBlock& block = m_week.blocks.at(i);
        const TimeEntry& entry = block.entry;
        const QRect place = blockRect(i);
        const QColor colour = ProjectBadge::colour(
            entry.isInternal ? ProjectColour::neutral() : ProjectColour::of(entry), pal);
        QColor fill = colour;
        fill.setAlphaF(Theme::isDark(pal) ? 0.42 : 0.30);
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        painter.drawRoundedRect(QRectF(place), 5, 5);
        if (entry.isInternal) {
            // Internal work is marked by a hatch as well as its grey.
            QColor hatch = text;
            hatch.setAlphaF(0.16);
            painter.setBrush(QBrush(hatch, Qt::BDiagPattern));
            painter.drawRoundedRect(QRectF(place), 5, 5);
        }
        painter.setBrush(colour);
        painter.drawRoundedRect(QRectF(place.left(), place.top(), 4, place.height()), 2, 2);
        if (entry.isTicking()) {
            painter.setBrush(Qt::NoBrush);
            painter.setPen(QPen(Theme::accent(pal), 2));
            painter.drawRoundedRect(QRectF(place).adjusted(1, 1, -1, -1), 5, 5);
        }
        if (i == m_selected && hasFocus()) {
            painter.setBrush(Qt::NoBrush);
            painter.setPen(QPen(pal.color(QPalette::Highlight), 2, Qt::DotLine));
            painter.drawRoundedRect(QRectF(place).adjusted(-1, -1, 1, 1), 6, 6);
        }
        // Text only where it fits: the title, then the times.
        const QRect inner = place.adjusted(9, 3, -4, -2);
        if (inner.height() >= metrics.height()) {
            painter.setPen(text);
            painter.setFont(font());
            const QString title =
                entry.isTicking() ? tr("Running · %1").arg(blockTitle(entry)) : blockTitle(entry);
            painter.drawText(inner, Qt::AlignLeft | Qt::AlignTop,
                             metrics.elidedText(title, Qt::ElideRight, inner.width()));
            if (inner.height() >= metrics.height() * 2) {
                painter.setPen(secondary);
                painter.drawText(
                    inner.adjusted(0, metrics.height(), 0, 0), Qt::AlignLeft | Qt::AlignTop,
                    metrics.elidedText(HistoryCaptions::timeSpan(entry, m_model.books().calendar()),
                                       Qt::ElideRight, inner.width()));
            }
        }
    }

    // The present, as a line across today's column.
    const int todayColumn = int(m_week.days.indexOf(today));
    if (todayColumn >= 0) {
        const QTime time = m_model.books().calendar().local(now).time();
        const double at = time.hour() + time.minute() / 60.0;
        if (at >= m_week.firstHour && at <= m_week.lastHour) {
            const double y = header + (at - m_week.firstHour) * hour;
            painter.setPen(QPen(Theme::failure(pal), 1.5));
            painter.drawLine(QPointF(gutter + todayColumn * column, y),
                             QPointF(gutter + (todayColumn + 1) * column, y));
        }
    }
}

void CalendarWeekView::mousePressEvent(QMouseEvent* event)
{
    for (int i = int(m_week.blocks.size()) - 1; i >= 0; --i) {
        if (blockRect(i).contains(event->position().toPoint())) {
            setFocus(Qt::MouseFocusReason);
            select(i);
            Q_EMIT sessionOpened(m_week.blocks.at(i).entry);
            return;
        }
    }
    QWidget::mousePressEvent(event);
}

void CalendarWeekView::keyPressEvent(QKeyEvent* event)
{
    const int count = int(m_week.blocks.size());
    if (count > 0 && event->modifiers() == Qt::NoModifier) {
        switch (event->key()) {
        case Qt::Key_Right:
        case Qt::Key_Down:
            select(m_selected < 0 ? 0 : std::min(count - 1, m_selected + 1));
            return;
        case Qt::Key_Left:
        case Qt::Key_Up:
            select(m_selected < 0 ? count - 1 : std::max(0, m_selected - 1));
            return;
        case Qt::Key_Home:
            select(0);
            return;
        case Qt::Key_End:
            select(count - 1);
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            if (m_selected >= 0)
                Q_EMIT sessionOpened(m_week.blocks.at(m_selected).entry);
            return;
        default:
            break;
        }
    }
    QWidget::keyPressEvent(event);
}

bool CalendarWeekView::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        for (int i = int(m_week.blocks.size()) - 1; i >= 0; --i) {
            if (blockRect(i).contains(help->pos())) {
                const TimeEntry& entry = m_week.blocks.at(i).entry;
                QToolTip::showText(
                    help->globalPos(),
                    blockTitle(entry) + u'\n' +
                        HistoryCaptions::timeSpan(entry, m_model.books().calendar()) +
                        QStringLiteral(" · ") +
                        Duration::coarseString(entry.duration(m_model.clock().now())),
                    this);
                return true;
            }
        }
        QToolTip::hideText();
        return true;
    }
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
        update();
    return QWidget::event(event);
}

} // namespace zol::ui
