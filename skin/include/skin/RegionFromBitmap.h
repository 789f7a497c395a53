#pragma once

#include <QColor>
#include <QImage>
#include <QRegion>

namespace skin {

// The region covering every pixel whose colour lies outside the key range
// [key, key + tolerance] (per channel, capped at 255). Windows cut their
// outline with it from their mask: key white, tolerance 0.
QRegion regionFromBitmap(const QImage& bitmap, QColor key = Qt::white, int tolerance = 0);

// Rectangles are handed over in batches of this many rows of runs.
inline constexpr int kRegionBatch = 2000;

}  // namespace skin
