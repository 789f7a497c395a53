#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

// Feature reports of the mouse: ids, lengths, selector codes, status values
// and the additive checksum they share.
namespace device {

inline constexpr std::uint8_t kSelectReport = 4;  // also the status report
inline constexpr std::uint8_t kCurrentProfileReport = 5;
inline constexpr std::uint8_t kProfileSettingsReport = 6;
inline constexpr std::uint8_t kButtonsReport = 7;
inline constexpr std::uint8_t kMacroReport = 8;
inline constexpr std::uint8_t kVersionReport = 9;  // read: version; sent: reset command
inline constexpr std::uint8_t kSensorImageReport = 12;
inline constexpr std::uint8_t kHostActiveReport = 14;
inline constexpr std::uint8_t kTrackingReport = 15;
inline constexpr std::uint8_t kLightCommandReport = 16;
inline constexpr std::uint8_t kColourBlockReport = 26;

inline constexpr std::size_t kSelectLength = 3;
inline constexpr std::size_t kCurrentProfileLength = 3;
inline constexpr std::size_t kProfileSettingsLength = 46;
inline constexpr std::size_t kButtonsLength = 77;
inline constexpr std::size_t kMacroLength = 2082;
inline constexpr std::size_t kVersionLength = 6;
inline constexpr std::size_t kSensorCaptureLength = 4;
inline constexpr std::size_t kSensorImageLength = 1028;
inline constexpr std::size_t kHostActiveLength = 3;
inline constexpr std::size_t kTrackingLength = 6;
inline constexpr std::size_t kLightCommandLength = 16;
inline constexpr std::size_t kColourBlockLength = 1029;

// What the next read returns (report 4 byte 2); 0..23 select a macro slot.
inline constexpr std::uint8_t kSelectProfileSettings = 0x80;
inline constexpr std::uint8_t kSelectButtons = 0x90;

// Status (report 4 byte 1 on read); any other value means failed.
inline constexpr std::uint8_t kStatusDone = 1;
inline constexpr std::uint8_t kStatusBusy = 3;

inline constexpr std::uint8_t kResetCommand = 11;  // report 9 byte 2 when sent

// Macro report layout.
inline constexpr std::size_t kMacroNameLength = 24;
inline constexpr std::size_t kMacroName1Offset = 6;
inline constexpr std::size_t kMacroName2Offset = 30;
inline constexpr std::size_t kMacroName3Offset = 54;
inline constexpr std::size_t kMacroCountOffset = 78;
inline constexpr std::size_t kMacroEventsOffset = 80;
inline constexpr std::size_t kMacroChecksumOffset = 2080;
static_assert(kMacroEventsOffset + 500 * 4 == kMacroChecksumOffset);
static_assert(kMacroChecksumOffset + 2 == kMacroLength);
static_assert(kMacroName3Offset + kMacroNameLength == kMacroCountOffset);

// Sensor image: 30 x 30 bytes from byte 3 of report 12.
inline constexpr std::size_t kSensorSide = 30;
inline constexpr std::size_t kSensorPixels = kSensorSide * kSensorSide;
inline constexpr std::size_t kSensorPixelsOffset = 3;
static_assert(kSensorPixelsOffset + kSensorPixels <= kSensorImageLength);

// Colour database blocks.
inline constexpr std::size_t kColourBlockData = 1024;
inline constexpr std::size_t kColourBlockDataOffset = 3;
static_assert(kColourBlockDataOffset + kColourBlockData + 2 == kColourBlockLength);

// 16-bit sum of the bytes, each unsigned, wrapping.
std::uint16_t checksum16(std::span<const std::uint8_t> bytes);
// Writes the checksum of all bytes before the last two into the last two
// (low byte first).
void sealChecksum(std::span<std::uint8_t> report);
// True when the last two bytes hold the checksum of the bytes before them.
bool checksumMatches(std::span<const std::uint8_t> report);

inline std::uint16_t readU16(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}
inline void writeU16(std::span<std::uint8_t> bytes, std::size_t at, std::uint16_t v) {
  bytes[at] = static_cast<std::uint8_t>(v & 0xFF);
  bytes[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

}  // namespace device
