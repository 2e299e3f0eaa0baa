#pragma once

// Pictures of screens for a person to look at: each state of a widget, drawn
// offscreen in the light and the dark palette, saved as PNG in the build
// folder's "screenshots" (or ZOL_SCREENSHOT_DIR).

#include "common/Theme.h"

#include <QApplication>
#include <QDir>
#include <QStyleFactory>
#include <QWidget>

#include <functional>

namespace zol::test {

inline QString screenshotFolder()
{
    const QString chosen = qEnvironmentVariable("ZOL_SCREENSHOT_DIR");
    const QString folder =
        chosen.isEmpty() ? QStringLiteral(QT_TESTCASE_BUILDDIR "/../../screenshots") : chosen;
    QDir().mkpath(folder);
    return QDir(folder).absolutePath();
}

// Draws `widget` in both palettes (the Fusion style, as a desktop without
// its own dark style gets) and saves "<name>-light.png" and "<name>-dark.png".
// `prepare` runs after each palette change, before the picture is taken.
inline void saveScreenshots(QWidget& widget, const QString& name,
                            const std::function<void()>& prepare = {})
{
    const QPalette before = QApplication::palette();
    QApplication::setStyle(ui::Theme::style());
    for (const ui::Theme::Scheme scheme : {ui::Theme::Scheme::light, ui::Theme::Scheme::dark}) {
        QApplication::setPalette(ui::Theme::palette(scheme));
        if (prepare)
            prepare();
        widget.adjustSize();
        QApplication::processEvents();
        widget.grab().save(screenshotFolder() + u'/' + name +
                           (scheme == ui::Theme::Scheme::dark ? QStringLiteral("-dark.png")
                                                             : QStringLiteral("-light.png")));
    }
    QApplication::setPalette(before);
}

} // namespace zol::test
