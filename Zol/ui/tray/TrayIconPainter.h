#pragma once

#include "TrayStatus.h"

#include <QColor>
#include <QIcon>
#include <QPixmap>

namespace zol::ui {

// The name of the drawing (in the icons' resource) of each tray picture.
QString pictureName(TrayStatus::Picture picture);

// The tray's picture at `size` pixels in `ink`. A tray gives the icon a
// square and shows no text beside it, so from 22 px up a tracking session
// shows its time (h:mm) over a small mark of its state; below that, and when
// nothing is tracked, the picture alone.
QPixmap trayPixmap(const TrayStatus& status, int size, const QColor& ink);
// The same with a one-pixel outline in `halo` around every stroke, for a
// tray whose colour is not known: light ink in a dark halo reads on a light
// panel and on a dark one.
QPixmap trayPixmap(const TrayStatus& status, int size, const QColor& ink, const QColor& halo);
// Every size a tray may ask for; outlined when `halo` is valid.
QIcon trayIcon(const TrayStatus& status, const QColor& ink, const QColor& halo = {});

} // namespace zol::ui
