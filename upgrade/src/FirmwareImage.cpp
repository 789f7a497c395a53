#include "upgrade/FirmwareImage.h"

#include <algorithm>
#include <fstream>

namespace upgrade {
namespace upd = device::update;

FirmwareImage::FirmwareImage() : buffer_(upd::kMaxImageSize, 0) {}

void FirmwareImage::clear() {
  std::fill(buffer_.begin(), buffer_.end(), 0);
  checksums_.fill(0);
  size_ = 0;
}

FirmwareImage::Load FirmwareImage::load(const std::string& path) {
  clear();
  if (path.empty()) return Load::Unreadable;
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  if (!file) return Load::Unreadable;
  const std::streamoff length = file.tellg();
  if (length < 0) return Load::Unreadable;
  if (length == 0) return Load::Empty;
  // An image that does not fit the mouse is refused whole, never cut.
  if (static_cast<std::uint64_t>(length) > upd::kMaxImageSize) return Load::TooLarge;
  file.seekg(0);
  if (!file.read(reinterpret_cast<char*>(buffer_.data()), length)) {
    clear();
    return Load::Unreadable;
  }
  size_ = static_cast<std::size_t>(length);
  computeChecksums();
  return Load::Ok;
}

FirmwareImage::Load FirmwareImage::assign(std::span<const std::uint8_t> bytes) {
  clear();
  if (bytes.empty()) return Load::Empty;
  if (bytes.size() > upd::kMaxImageSize) return Load::TooLarge;
  std::copy(bytes.begin(), bytes.end(), buffer_.begin());
  size_ = bytes.size();
  computeChecksums();
  return Load::Ok;
}

void FirmwareImage::computeChecksums() {
  for (std::size_t block = 0; block < blockCount(); ++block)
    checksums_[block] = upd::blockChecksum(bytes(), block);
}

}  // namespace upgrade
