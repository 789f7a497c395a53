#include "skin/GifFrameSplitter.h"

#include <cstring>

namespace skin {
namespace {

class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> data) : data_(data) {}
  bool has(std::size_t n) const { return n <= data_.size() - pos_; }
  std::size_t pos() const { return pos_; }
  std::uint8_t byte() { return data_[pos_++]; }
  int word() {
    const int v = data_[pos_] | (data_[pos_ + 1] << 8);
    pos_ += 2;
    return v;
  }
  void skip(std::size_t n) { pos_ += n; }
  std::span<const std::uint8_t> slice(std::size_t from, std::size_t to) const {
    return data_.subspan(from, to - from);
  }
  // Skips a chain of data sub-blocks up to and including the zero-length
  // terminator; false when the data ends first.
  bool skipSubBlocks() {
    while (has(1)) {
      const std::uint8_t n = byte();
      if (n == 0) return true;
      if (!has(n)) return false;
      skip(n);
    }
    return false;
  }

 private:
  std::span<const std::uint8_t> data_;
  std::size_t pos_ = 0;
};

void append(std::vector<std::uint8_t>& out, std::span<const std::uint8_t> bytes) {
  out.insert(out.end(), bytes.begin(), bytes.end());
}
void appendWord(std::vector<std::uint8_t>& out, int v) {
  out.push_back(static_cast<std::uint8_t>(v & 0xFF));
  out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

struct ControlBlock {
  std::uint8_t packed = 0;
  int delay = 0;
  std::uint8_t transparentIndex = 0;
};

}  // namespace

GifSplit splitGif(std::span<const std::uint8_t> data) {
  GifSplit result;
  Reader in(data);
  if (!in.has(13)) return result;
  if (std::memcmp(data.data(), "GIF87a", 6) != 0 && std::memcmp(data.data(), "GIF89a", 6) != 0)
    return result;
  result.isGif = true;
  in.skip(6);
  result.screenWidth = in.word();
  result.screenHeight = in.word();
  const std::uint8_t screenFlags = in.byte();
  const std::uint8_t backgroundIndex = in.byte();
  in.skip(1);  // pixel aspect ratio

  std::span<const std::uint8_t> globalTable;
  if (screenFlags & 0x80) {
    const std::size_t entries = std::size_t{2} << (screenFlags & 0x07);
    if (!in.has(entries * 3)) return result;
    globalTable = in.slice(in.pos(), in.pos() + entries * 3);
    in.skip(entries * 3);
    if (backgroundIndex < entries) {
      const std::uint8_t* rgb = &globalTable[backgroundIndex * 3u];
      result.background = GifRgb{rgb[0], rgb[1], rgb[2]};
    }
  }

  ControlBlock control;
  bool hasControl = false;
  while (in.has(1)) {
    const std::uint8_t introducer = in.byte();
    if (introducer == 0x3B) break;  // trailer
    if (introducer == 0x21) {
      if (!in.has(1)) break;
      const std::uint8_t label = in.byte();
      if (label == 0xF9 && in.has(6) && data[in.pos()] == 4) {
        in.skip(1);
        control.packed = in.byte();
        control.delay = in.word();
        control.transparentIndex = in.byte();
        hasControl = true;
      }
      if (!in.skipSubBlocks()) break;
      continue;
    }
    if (introducer != 0x2C) break;  // not a block of a GIF: stop here

    if (!in.has(9)) break;
    const std::size_t descriptorStart = in.pos();
    GifFrame frame;
    frame.left = in.word();
    frame.top = in.word();
    frame.width = in.word();
    frame.height = in.word();
    const std::uint8_t imageFlags = in.byte();
    std::size_t localTableBytes = 0;
    if (imageFlags & 0x80) localTableBytes = (std::size_t{2} << (imageFlags & 0x07)) * 3;
    if (!in.has(localTableBytes + 1)) break;
    in.skip(localTableBytes + 1);  // local colour table and LZW minimum code size
    if (!in.skipSubBlocks()) break;
    const std::size_t imageEnd = in.pos();

    if (hasControl) {
      frame.delay = control.delay;
      frame.disposal = (control.packed >> 2) & 0x07;
    }
    if (frame.width > 0 && frame.height > 0) {
      std::vector<std::uint8_t>& gif = frame.gif;
      const char* header = "GIF89a";
      gif.assign(header, header + 6);
      appendWord(gif, frame.width);
      appendWord(gif, frame.height);
      gif.push_back(static_cast<std::uint8_t>(globalTable.empty() ? 0 : (screenFlags & 0x87)));
      gif.push_back(globalTable.empty() ? 0 : backgroundIndex);
      gif.push_back(0);
      append(gif, globalTable);
      if (hasControl) {
        const std::uint8_t gce[] = {0x21,
                                    0xF9,
                                    4,
                                    control.packed,
                                    static_cast<std::uint8_t>(control.delay & 0xFF),
                                    static_cast<std::uint8_t>(control.delay >> 8),
                                    control.transparentIndex,
                                    0};
        append(gif, gce);
      }
      gif.push_back(0x2C);
      appendWord(gif, 0);
      appendWord(gif, 0);
      append(gif, in.slice(descriptorStart + 4, imageEnd));  // size, flags, tables, data
      gif.push_back(0x3B);
      result.frames.push_back(std::move(frame));
    }
    hasControl = false;
  }
  return result;
}

}  // namespace skin
