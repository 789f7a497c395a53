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
  // A range of one colour, as every window's white key is: one comparison a pixel.
  bool single() const { return lo[0] == hi[0] && lo[1] == hi[1] && lo[2] == hi[2]; }
};

struct Run {
  int left;
  int right;  // one past the last kept pixel
  bool operator==(const Run&) const = default;
};

template <typename Transparent>
void rowRuns(const QRgb* row, int width, Transparent transparent, std::vector<Run>& runs) {
  runs.clear();
  int x = 0;
  while (x < width) {
    while (x < width && transparent(row[x])) ++x;
    const int start = x;
    while (x < width && !transparent(row[x])) ++x;
    if (x > start) runs.push_back({start, x});
  }
}

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
  const QRgb keyRgb = qRgb(key.red(), key.green(), key.blue()) & RGB_MASK;

  // Rows with the same runs as the row above grow the rectangles of that
  // band instead of adding new ones: a window's outline changes only at its
  // corners, and every clip against the shape costs by its rectangles. Bands
  // go in top-down, left-right order, the banded form QRegion takes without
  // sorting.
  std::vector<QRect> batch;
  batch.reserve(kRegionBatch);
  auto flushBatch = [&] {
    if (batch.empty()) return;
    QRegion part;
    part.setRects(batch.data(), static_cast<int>(batch.size()));
    result |= part;
    batch.clear();
  };
  std::vector<Run> band, runs;
  int bandTop = 0;
  auto closeBand = [&](int bottom) {
    for (const Run& r : band) {
      batch.emplace_back(r.left, bandTop, r.right - r.left, bottom - bandTop);
      if (static_cast<int>(batch.size()) == kRegionBatch) flushBatch();
    }
  };
  for (int y = 0; y < image.height(); ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    if (range.single())
      rowRuns(
          row, image.width(), [keyRgb](QRgb p) { return (p & RGB_MASK) == keyRgb; }, runs);
    else
      rowRuns(
          row, image.width(), [&range](QRgb p) { return range.transparent(p); }, runs);
    if (y > 0 && runs == band) continue;
    closeBand(y);
    band.swap(runs);
    bandTop = y;
  }
  closeBand(image.height());
  flushBatch();
  return result;
}

}  // namespace skin
