#include "tray/TrayIconPainter.h"

#include "common/Icons.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace zol::ui {

QString pictureName(TrayStatus::Picture picture)
{
    switch (picture) {
    case TrayStatus::Picture::clock:
        return QStringLiteral("clock");
    case TrayStatus::Picture::runningClock:
        return QStringLiteral("clock-filled");
    case TrayStatus::Picture::warningClock:
        return QStringLiteral("clock-warning");
    case TrayStatus::Picture::paused:
        return QStringLiteral("pause-circle");
    }
    return QStringLiteral("clock");
}

QPixmap trayPixmap(const TrayStatus& status, int size, const QColor& ink)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QString picture = pictureName(status.picture);

    if (status.time.isEmpty() || size < 22) {
        const int margin = size >= 22 ? size / 11 : 1;
        painter.drawPixmap(margin, margin, Icons::pixmap(picture, size - 2 * margin, ink));
        return QPixmap::fromImage(image);
    }

    // The time as large as it fits, and under it a small mark of the state:
    // a dot while running (red when it ran too long), two bars when paused.
    // A picture of a clock beside it would be too small to read.
    QFont font;
    font.setBold(true);
    font.setStretch(QFont::SemiCondensed);
    const auto largestFitting = [&](const QString& text, qreal from, qreal width) {
        qreal pixels = from;
        for (;; pixels -= 0.5) {
            font.setPixelSize(qMax(1, qRound(pixels)));
            if (QFontMetricsF(font).horizontalAdvance(text) <= width || pixels <= 5)
                return pixels;
        }
    };
    const qreal pixels = largestFitting(status.time, size * 0.52, size - 2);
    const qsizetype space = status.time.indexOf(u' ');
    if (pixels < size * 0.36 && space > 0) {
        // "10h 45m" on one line would be too small to read: hours over
        // minutes instead, the state in the colour of the words, dimmed
        // while paused.
        const QString hours = status.time.left(space);
        const QString minutes = status.time.mid(space + 1);
        const qreal line = std::min(largestFitting(hours, size * 0.5, size - 2),
                                    largestFitting(minutes, size * 0.5, size - 2));
        font.setPixelSize(qMax(1, qRound(line)));
        painter.setFont(font);
        QColor words =
            status.picture == TrayStatus::Picture::warningClock ? QColor(0xe5, 0x48, 0x4d) : ink;
        if (status.picture == TrayStatus::Picture::paused)
            words.setAlphaF(0.55);
        painter.setPen(words);
        const qreal half = size / 2.0;
        painter.drawText(QRectF(0, 0, size, half + 1), Qt::AlignHCenter | Qt::AlignBottom, hours);
        painter.drawText(QRectF(0, half - 1, size, half + 1), Qt::AlignHCenter | Qt::AlignTop,
                         minutes);
        return QPixmap::fromImage(image);
    }
    font.setPixelSize(qMax(1, qRound(pixels)));
    painter.setFont(font);
    painter.setPen(ink);
    const qreal textHeight = size * 0.66;
    painter.drawText(QRectF(0, 0, size, textHeight), Qt::AlignHCenter | Qt::AlignBottom,
                     status.time);

    const qreal markTop = size * 0.72;
    const qreal markHeight = size * 0.22;
    const qreal middle = size / 2.0;
    painter.setPen(Qt::NoPen);
    switch (status.picture) {
    case TrayStatus::Picture::paused: {
        painter.setBrush(ink);
        const qreal bar = qMax(2.0, size * 0.09);
        painter.drawRect(QRectF(middle - bar * 1.5, markTop, bar, markHeight));
        painter.drawRect(QRectF(middle + bar * 0.5, markTop, bar, markHeight));
        break;
    }
    case TrayStatus::Picture::warningClock:
        painter.setBrush(QColor(0xe5, 0x48, 0x4d));
        painter.drawEllipse(QPointF(middle, markTop + markHeight / 2), markHeight * 0.62,
                            markHeight * 0.62);
        break;
    case TrayStatus::Picture::runningClock:
    case TrayStatus::Picture::clock:
        painter.setBrush(ink);
        painter.drawEllipse(QPointF(middle, markTop + markHeight / 2), markHeight / 2,
                            markHeight / 2);
        break;
    }
    return QPixmap::fromImage(image);
}

QPixmap trayPixmap(const TrayStatus& status, int size, const QColor& ink, const QColor& halo)
{
    // The picture in the halo's colour, shifted a pixel each way, under the
    // picture itself.
    const QPixmap outline = trayPixmap(status, size, halo);
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
            if (dx != 0 || dy != 0)
                painter.drawPixmap(dx, dy, outline);
        }
    }
    painter.drawPixmap(0, 0, trayPixmap(status, size, ink));
    painter.end();
    return QPixmap::fromImage(image);
}

QIcon trayIcon(const TrayStatus& status, const QColor& ink, const QColor& halo)
{
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64})
        icon.addPixmap(halo.isValid() ? trayPixmap(status, size, ink, halo)
                                      : trayPixmap(status, size, ink));
    return icon;
}

} // namespace zol::ui
