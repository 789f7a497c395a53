#pragma once

#include <QImage>
#include <QString>
#include <utility>
#include <vector>

// The sensor calibration wizard in each of its states, its 15-second
// confirmation and the factory reset confirmation, as the Configuration
// program builds them, each under the file name the gallery gives it.
namespace gallery {

std::vector<std::pair<QImage, QString>> calibrationDialogs();

}  // namespace gallery
