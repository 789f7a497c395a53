#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace monitor {

// Stores a captured 30 x 30 sensor image into the pixel data of the 8-bit
// bitmap the calibration wizard shows (byte 1078 on).
class SensorImageStore {
 public:
  static constexpr std::size_t kPixelOffset = 1078;
  static constexpr std::size_t kRowBytes = 32;
  static constexpr std::size_t kSide = 30;
  using Pixels = std::array<std::uint8_t, kSide * kSide>;
  using BitmapRows = std::array<std::uint8_t, kSide * kRowBytes>;

  // Transposed, each row's 30 bytes reversed, 2 zero bytes of row padding,
  // each byte rotated left by 2 bits.
  static BitmapRows layout(const Pixels& image);
  // Overwrites the pixel data of an existing bitmap; false when the file is
  // missing or too short to hold it.
  static bool store(const std::string& bitmapPath, const Pixels& image);
};

}  // namespace monitor
