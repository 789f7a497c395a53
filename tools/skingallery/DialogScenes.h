#pragma once

#include <QImage>
#include <QString>
#include <utility>
#include <vector>

// The Configuration program's small dialogs as the program builds them, with
// sample entries, each under the file name the gallery gives it.
namespace gallery {

std::vector<std::pair<QImage, QString>> smallDialogs();

}  // namespace gallery
