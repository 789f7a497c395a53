#include "SensorBitmap.h"

namespace monitordata {
namespace {

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

}  // namespace

std::vector<std::uint8_t> SensorBitmap::blank() {
  constexpr std::uint32_t pixelBytes = kSide * kRowBytes;
  std::vector<std::uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  put32(out, kPixelOffset + pixelBytes);
  put32(out, 0);
  put32(out, kPixelOffset);
  put32(out, 40);
  put32(out, kSide);
  put32(out, kSide);
  put16(out, 1);
  put16(out, 8);
  put32(out, 0);  // uncompressed
  put32(out, pixelBytes);
  put32(out, 2835);  // 72 dpi
  put32(out, 2835);
  put32(out, 256);
  put32(out, 0);
  for (int i = 0; i < 256; ++i) {
    const auto grey = static_cast<std::uint8_t>(i);
    out.insert(out.end(), {grey, grey, grey, 0});
  }
  out.resize(kPixelOffset + pixelBytes, 0);
  return out;
}

}  // namespace monitordata
