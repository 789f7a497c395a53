#pragma once

#include <QImage>
#include <QString>

// Pictures shared by many windows: the page mask, slider thumbs, the hand
// cursor and the colour-indicator plate.
namespace skinart {

QImage pageMask();
// Slider thumbs: everything of the top-left pixel's colour is cut away.
QImage sliderThumb(int width, int height, const QColor& accent);
QImage dpiThumb();
QImage handCursor();
QImage colorDotsPlate();

}  // namespace skinart
