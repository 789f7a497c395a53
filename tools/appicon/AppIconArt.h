#pragma once

#include <QImage>

// The suite's icons in the desktop's icon theme: the Configuration program's
// menu icon (the mouse on a tile) and the Monitor's tray icon (the mouse
// alone, on any panel colour). Drawn for each size rather than scaled, so the
// small ones stay sharp.
namespace appicon {

QImage applicationIcon(int size);
QImage trayIcon(int size);

}  // namespace appicon
