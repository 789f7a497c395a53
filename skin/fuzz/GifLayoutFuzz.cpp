// libFuzzer target: GIF block splitting and layout strings take any bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "skin/GifFrameSplitter.h"
#include "skin/LayoutEntry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const skin::GifSplit split = skin::splitGif({data, size});
  for (const skin::GifFrame& frame : split.frames) {
    // Every re-packed frame must itself split back into exactly one frame.
    if (skin::splitGif(frame.gif).frames.size() != 1) __builtin_trap();
  }
  const skin::LayoutEntry entry = skin::parseLayout({reinterpret_cast<const char*>(data), size});
  if (entry.nameView().size() >= skin::LayoutEntry::kNameCapacity) __builtin_trap();
  if (entry.helpView().size() >= skin::LayoutEntry::kHelpCapacity) __builtin_trap();
  return 0;
}
