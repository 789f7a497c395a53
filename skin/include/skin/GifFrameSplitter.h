#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace skin {

// One frame of an animated GIF, re-packed as a stand-alone single-image GIF
// so that any GIF decoder can turn it into a picture.
struct GifFrame {
  std::vector<std::uint8_t> gif;  // complete "GIF89a" file of this one image
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int delay = 0;     // hundredths of a second, as stored
  int disposal = 0;  // 0..7; 2 restore background, 3 restore previous
};

struct GifRgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const GifRgb&) const = default;
};

struct GifSplit {
  bool isGif = false;  // signature "GIF" and version "87a" or "89a"
  int screenWidth = 0;
  int screenHeight = 0;
  std::optional<GifRgb> background;  // global colour table entry of the header's index
  std::vector<GifFrame> frames;      // complete frames only, in file order
};

// Walks the block structure of GIF data without decoding pixels. Truncated
// or corrupt data ends the walk; what was complete before stays usable.
GifSplit splitGif(std::span<const std::uint8_t> data);

}  // namespace skin
