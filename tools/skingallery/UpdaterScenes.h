#pragma once

#include <QImage>
#include <QString>
#include <utility>
#include <vector>

// The Firmware updater's window and its four dialogs, as the updater builds
// them from the skin art, for the gallery.
namespace gallery {

// The window half-way through an update of a 20-block image, shaped.
QImage updaterWindow();
// The confirmation, notice, success and failure dialogs, each shaped and
// named by its kind.
std::vector<std::pair<QString, QImage>> updaterDialogs();

}  // namespace gallery
