#include "skin/RegionFromBitmap.h"

#include <algorithm>
#include <vector>

namespace skin {
namespace {

struct KeyRange {
  int lo[3];
  int hi[3];
  bool transparent(QRgb p) const {
    const int c[3] = {qRed(p), qGreen(p), qBlue(p)};
    for (int i = 0; i < 3; ++i)
      if (c[i] < lo[i] || c[i] > hi[i]) return false;
    return true;
  }
};

}  // namespace

QRegion regionFromBitmap(const QImage& bitmap, QColor key, int tolerance) {
  QRegion result;
  if (bitmap.isNull()) return result;
  const QImage image = bitmap.convertToFormat(QImage::Format_RGB32);
  tolerance = std::max(0, tolerance);
  const KeyRange range{
      {key.red(), key.green(), key.blue()},
      {std::min(255, key.red() + tolerance), std::min(255, key.green() + tolerance),
       std::min(255, key.blue() + tolerance)}};

  // Runs of one row are one-pixel-high rectangles in top-down, left-right
  // order, which is the banded form QRegion takes without sorting.
  std::vector<QRect> batch;
  batch.reserve(kRegionBatch);
  auto flush = [&] {
    if (batch.empty()) return;
    QRegion part;
    part.setRects(batch.data(), static_cast<int>(batch.size()));
    result |= part;
    batch.clear();
  };
  for (int y = 0; y < image.height(); ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    int x = 0;
    while (x < image.width()) {
      while (x < image.width() && range.transparent(row[x])) ++x;
      const int start = x;
      while (x < image.width() && !range.transparent(row[x])) ++x;
      if (x > start) {
        batch.emplace_back(start, y, x - start, 1);
        if (static_cast<int>(batch.size()) == kRegionBatch) flush();
      }
    }
  }
  flush();
  return result;
}

}  // namespace skin
