#include "window/ConnectionBadge.h"

#include "SharingModel.h"
#include "common/Icons.h"
#include "common/Theme.h"

#include <QPainter>

namespace zol::ui {

namespace {

constexpr int iconSize = 16;
constexpr int padding = 10;

} // namespace

ConnectionBadge::ConnectionBadge(SharingModel& sharing, QWidget* parent)
    : QWidget(parent)
    , m_sharing(sharing)
{
    setObjectName(QStringLiteral("connectionBadge"));
    const auto follow = [this] {
        setAccessibleName(text());
        setToolTip(m_sharing.connection().kind == Connection::Kind::shareUnreachable
                       ? m_sharing.connection().error
                       : QString());
        updateGeometry();
        update();
    };
    connect(&sharing, &SharingModel::connectionChanged, this, follow);
    follow();
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

ConnectionBadge::~ConnectionBadge() = default;

QString ConnectionBadge::text() const
{
    return m_sharing.connection().title();
}

QColor ConnectionBadge::colour() const
{
    switch (m_sharing.connection().kind) {
    case Connection::Kind::shareReachable:
        return Theme::success(palette());
    case Connection::Kind::shareUnreachable:
        return Theme::failure(palette());
    case Connection::Kind::localOnly:
        break;
    }
    return Theme::secondaryText(palette());
}

QSize ConnectionBadge::sizeHint() const
{
    const QFontMetrics metrics(font());
    return {padding * 2 + iconSize + 6 + metrics.horizontalAdvance(text()),
            std::max(iconSize, metrics.height()) + 8};
}

void ConnectionBadge::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor fill = colour();
    fill.setAlphaF(0.14);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.drawRoundedRect(box, box.height() / 2, box.height() / 2);
    // The panel's marks for the same states.
    QString icon = QStringLiteral("network");
    if (m_sharing.connection().kind == Connection::Kind::localOnly)
        icon = QStringLiteral("laptop");
    else if (m_sharing.connection().kind == Connection::Kind::shareUnreachable)
        icon = QStringLiteral("warning");
    const QRect mark(padding, (height() - iconSize) / 2, iconSize, iconSize);
    painter.drawPixmap(mark, Icons::pixmap(icon, iconSize, colour(), devicePixelRatioF()));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRect(mark.right() + 7, 0, width() - mark.right() - 7 - padding, height()),
                     Qt::AlignLeft | Qt::AlignVCenter, text());
}

} // namespace zol::ui
