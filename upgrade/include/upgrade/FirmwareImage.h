#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "device/UpdateMode.h"

namespace upgrade {

// A firmware image as the mouse takes it: at most 200 blocks of 1024 bytes,
// each announced with the 16-bit sum of its bytes (the last block padded
// with zeros).
class FirmwareImage {
 public:
  enum class Load { Ok, Unreadable, Empty, TooLarge };

  FirmwareImage();
  // Replaces the image with the file's bytes. On any failure the image is
  // left empty, so nothing of a bad file is ever sent.
  Load load(const std::string& path);
  // The same from bytes already in memory.
  Load assign(std::span<const std::uint8_t> bytes);

  bool empty() const { return size_ == 0; }
  std::size_t size() const { return size_; }
  std::size_t blockCount() const { return device::update::blockCount(size_); }
  std::uint16_t checksum(std::size_t block) const { return checksums_.at(block); }
  // The image bytes followed by the zero padding up to the buffer's end.
  std::span<const std::uint8_t> bytes() const { return {buffer_.data(), size_}; }

 private:
  void clear();
  void computeChecksums();

  std::vector<std::uint8_t> buffer_;  // kMaxImageSize bytes, zero past size_
  std::array<std::uint16_t, device::update::kMaxBlocks> checksums_{};
  std::size_t size_ = 0;
};

}  // namespace upgrade
