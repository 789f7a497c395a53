#pragma once

#include <QImage>
#include <QString>

// Pictures shared by many windows: the page mask, slider thumbs, the hand
// cursor, the colour-indicator plate and the language chips.
namespace skinart {

QImage pageMask();
// Slider thumbs: everything of the top-left pixel's colour is cut away.
QImage sliderThumb(int width, int height, const QColor& accent);
QImage dpiThumb();
QImage handCursor();
QImage colorDotsPlate();
QImage languageChip(int language, int state);
QString languageCode(int language);

}  // namespace skinart
