#pragma once

#include <cstdint>
#include <vector>

namespace monitordata {

// The blank picture the Monitor writes sensor images into: an 8-bit
// grey-scale bitmap of 30 x 30 pixels, 32-byte rows, pixel data at byte 1078
// (14-byte file header, 40-byte info header, 256 palette entries).
class SensorBitmap {
 public:
  static constexpr int kSide = 30;
  static constexpr int kRowBytes = 32;
  static constexpr int kPixelOffset = 14 + 40 + 256 * 4;
  static_assert(kPixelOffset == 1078);
  static std::vector<std::uint8_t> blank();
};

}  // namespace monitordata
