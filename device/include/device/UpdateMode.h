#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

// The firmware update mode of the mouse: report 27 carries the updater's
// commands, report 28 answers with a status. The constants below are the
// mouse's; the updater and the simulated mouse both take them from here.
namespace device::update {

inline constexpr std::uint8_t kCommandReport = 27;
inline constexpr std::uint8_t kStatusReport = 28;
inline constexpr std::size_t kCommandLength = 1026;
inline constexpr std::size_t kStatusLength = 3;
inline constexpr std::size_t kCommandDataOffset = 2;

enum Command : std::uint8_t {
  kEnterUpdateMode = 0,
  kAnnounceImage = 1,
  kPrepare = 2,
  kAnnounceBlock = 3,
  kBlockData = 4,
  kFinish = 15,
};

// Report 28 byte 1; anything else means failed.
inline constexpr std::uint8_t kStatusDone = 1;
inline constexpr std::uint8_t kStatusBusy = 3;
inline constexpr std::uint8_t kStatusRepeat = 4;
inline constexpr std::uint8_t kStatusFailed = 2;

// Command 0, bytes 4..11.
inline constexpr std::array<std::uint8_t, 8> kModeEntryCode = {0x56, 0x45, 0x53, 0x4B,
                                                               0xD0, 0x0F, 0x5A, 0xA5};
// Commands 1 and 3, bytes 8..11.
inline constexpr std::array<std::uint8_t, 4> kUpdateSignature = {0x4E, 0x56, 0x52, 0x4F};
// Command 2, byte 4.
inline constexpr std::uint8_t kPrepareValue = 0x5C;

inline constexpr std::size_t kBlockSize = 1024;
inline constexpr std::size_t kMaxBlocks = 200;
inline constexpr std::size_t kMaxImageSize = kBlockSize * kMaxBlocks;  // 204800

// Firmware images may name the version they install: an image that starts
// with kImageMagic carries the version number (0..255) in the byte after it.
// The mouse installs any other image as its current version plus one.
inline constexpr std::array<std::uint8_t, 4> kImageMagic = {'V', 'S', 'K', 'F'};
inline constexpr std::size_t kImageVersionOffset = 4;

using CommandBytes = std::array<std::uint8_t, kCommandLength>;

inline std::size_t blockCount(std::size_t imageSize) {
  return (imageSize + kBlockSize - 1) / kBlockSize;
}

// Sum of a block's 1024 bytes (bytes past the image count as zero), mod 65536.
inline std::uint16_t blockChecksum(std::span<const std::uint8_t> image, std::size_t block) {
  std::uint16_t sum = 0;
  for (std::size_t i = block * kBlockSize; i < image.size() && i < (block + 1) * kBlockSize; ++i) {
    sum = static_cast<std::uint16_t>(sum + image[i]);
  }
  return sum;
}

inline CommandBytes makeCommand(Command command) {
  CommandBytes r{};
  r[0] = kCommandReport;
  r[1] = command;
  return r;
}

inline CommandBytes enterUpdateMode() {
  CommandBytes r = makeCommand(kEnterUpdateMode);
  for (std::size_t i = 0; i < kModeEntryCode.size(); ++i) r[4 + i] = kModeEntryCode[i];
  return r;
}

inline CommandBytes announceImage(std::uint32_t imageSize) {
  CommandBytes r = makeCommand(kAnnounceImage);
  for (int i = 0; i < 4; ++i) r[4 + i] = static_cast<std::uint8_t>(imageSize >> (8 * i));
  for (std::size_t i = 0; i < kUpdateSignature.size(); ++i) r[8 + i] = kUpdateSignature[i];
  return r;
}

inline CommandBytes prepare() {
  CommandBytes r = makeCommand(kPrepare);
  r[4] = kPrepareValue;
  return r;
}

inline CommandBytes announceBlock(std::uint16_t index, std::uint16_t checksum) {
  CommandBytes r = makeCommand(kAnnounceBlock);
  r[4] = static_cast<std::uint8_t>(index & 0xFF);
  r[5] = static_cast<std::uint8_t>(index >> 8);
  r[6] = static_cast<std::uint8_t>(checksum & 0xFF);
  r[7] = static_cast<std::uint8_t>(checksum >> 8);
  for (std::size_t i = 0; i < kUpdateSignature.size(); ++i) r[8 + i] = kUpdateSignature[i];
  return r;
}

inline CommandBytes blockData(std::span<const std::uint8_t> image, std::size_t block) {
  CommandBytes r = makeCommand(kBlockData);
  for (std::size_t i = 0; i < kBlockSize; ++i) {
    const std::size_t at = block * kBlockSize + i;
    r[kCommandDataOffset + i] = at < image.size() ? image[at] : 0;
  }
  return r;
}

inline CommandBytes finish() { return makeCommand(kFinish); }

}  // namespace device::update
