#include "common/Icons.h"

#include <QFile>
#include <QHash>
#include <QPainter>
#include <QSvgRenderer>
#include <QWidget>

// The resource file lives in a static library: it is registered by hand, once,
// before the first drawing is read.
static void registerResources()
{
    Q_INIT_RESOURCE(zol);
}

namespace zol::ui::Icons {

namespace {

QByteArray drawing(const QString& name)
{
    static const bool registered = [] {
        registerResources();
        return true;
    }();
    Q_UNUSED(registered);
    static QHash<QString, QByteArray> cache;
    const auto found = cache.constFind(name);
    if (found != cache.constEnd())
        return *found;
    QFile file(QStringLiteral(":/icons/") + name + QStringLiteral(".svg"));
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    cache.insert(name, bytes);
    return bytes;
}

// Where an element of the drawing lands in `area`: render(painter, id,
// bounds) stretches the element over `bounds`, so a part drawn alone needs
// its own place in the whole drawing.
QRectF placeOf(QSvgRenderer& renderer, const QString& id, const QRectF& area)
{
    const QRectF view = renderer.viewBoxF();
    const QRectF box = renderer.transformForElement(id).mapRect(renderer.boundsOnElement(id));
    if (view.isEmpty())
        return area;
    const qreal sx = area.width() / view.width();
    const qreal sy = area.height() / view.height();
    return QRectF(area.left() + (box.left() - view.left()) * sx,
                  area.top() + (box.top() - view.top()) * sy, box.width() * sx, box.height() * sy);
}

} // namespace

QPixmap pixmap(const QString& name, int size, const QColor& colour, qreal pixelRatio)
{
    QByteArray svg = drawing(name);
    svg.replace("currentColor", colour.name(QColor::HexRgb).toLatin1());
    QSvgRenderer renderer(svg);
    const int pixels = qRound(size * pixelRatio);
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (renderer.isValid()) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF area(0, 0, pixels, pixels);
        if (renderer.elementExists(QStringLiteral("base"))) {
            renderer.render(&painter, QStringLiteral("base"),
                            placeOf(renderer, QStringLiteral("base"), area));
            if (renderer.elementExists(QStringLiteral("knockout"))) {
                painter.setCompositionMode(QPainter::CompositionMode_DestinationOut);
                renderer.render(&painter, QStringLiteral("knockout"),
                                placeOf(renderer, QStringLiteral("knockout"), area));
                painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
            }
            if (renderer.elementExists(QStringLiteral("overlay")))
                renderer.render(&painter, QStringLiteral("overlay"),
                                placeOf(renderer, QStringLiteral("overlay"), area));
        } else {
            renderer.render(&painter, area);
        }
    }
    QPixmap result = QPixmap::fromImage(image);
    result.setDevicePixelRatio(pixelRatio);
    return result;
}

bool has(const QString& name)
{
    return !drawing(name).isEmpty();
}

QIcon icon(const QString& name, const QColor& colour)
{
    QIcon result;
    for (const int size : {16, 20, 24, 32, 48})
        result.addPixmap(pixmap(name, size, colour));
    return result;
}

QIcon icon(const QString& name, const QWidget* widget)
{
    const QPalette& palette = widget->palette();
    const qreal ratio = widget->devicePixelRatioF();
    QIcon result;
    for (const int size : {16, 20, 24, 32}) {
        result.addPixmap(pixmap(name, size, palette.color(QPalette::Active, QPalette::ButtonText), ratio),
                         QIcon::Normal);
        result.addPixmap(
            pixmap(name, size, palette.color(QPalette::Disabled, QPalette::ButtonText), ratio),
            QIcon::Disabled);
    }
    return result;
}

} // namespace zol::ui::Icons
