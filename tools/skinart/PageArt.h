#pragma once

#include <QImage>

// Pictures of the Color and Trophy pages beyond their sheets.
namespace skinart {

// 18 x 18 mark of the zone being edited (0..3).
QImage zoneMark(int zone);
// 248 x 312 top view of the mouse with zone 0..3 highlighted.
QImage zonePreview(int zone);
// 220 x 34 level bar, drawn full; the page shows its left part.
QImage levelBar();
// Highlight picture 0..59 of the Button Assign page, 188 x 240.
QImage buttonHighlight(int picture, bool leftHanded);
// Trophy 1..13, 150 x 150, earned or locked.
QImage trophyPicture(int trophy, bool earned);

}  // namespace skinart
