#include "monitor/SensorImageStore.h"

#include <fstream>

namespace monitor {

SensorImageStore::BitmapRows SensorImageStore::layout(const Pixels& image) {
  BitmapRows rows{};
  for (std::size_t r = 0; r < kSide; ++r)
    for (std::size_t c = 0; c < kSide; ++c) {
      // Transposed: bitmap row r holds image column r; reversed within the row.
      const std::uint8_t v = image[c * kSide + r];
      rows[r * kRowBytes + (kSide - 1 - c)] = static_cast<std::uint8_t>((v << 2) | (v >> 6));
    }
  return rows;
}

bool SensorImageStore::store(const std::string& bitmapPath, const Pixels& image) {
  std::fstream file(bitmapPath, std::ios::binary | std::ios::in | std::ios::out);
  if (!file) return false;
  file.seekg(0, std::ios::end);
  if (static_cast<std::size_t>(file.tellg()) < kPixelOffset + kSide * kRowBytes) return false;
  const BitmapRows rows = layout(image);
  file.seekp(static_cast<std::streamoff>(kPixelOffset));
  file.write(reinterpret_cast<const char*>(rows.data()), rows.size());
  return static_cast<bool>(file);
}

}  // namespace monitor
