#pragma once

#include <cstdint>

// Event types the mouse reports (the high 16 bits of a 32-bit device event;
// the low 16 bits are its value). The mouse sends them, the Monitor acts on
// them.
namespace device::event {

inline constexpr std::uint16_t kHorizontalScroll = 0x1000;
inline constexpr std::uint16_t kVolume = 0x1B00;
inline constexpr std::uint16_t kProfile = 0x2000;
inline constexpr std::uint16_t kCalibration = 0x3000;
inline constexpr std::uint16_t kStartProgram = 0x6000;
inline constexpr std::uint16_t kCountdownA = 0x8000;
inline constexpr std::uint16_t kCountdownB = 0x9000;
inline constexpr std::uint16_t kOpenOption = 0xA000;
inline constexpr std::uint16_t kDpi = 0xB000;
inline constexpr std::uint16_t kSensitivity = 0xC000;
inline constexpr std::uint16_t kPollingRate = 0xD000;
// Usage statistics: one type per counter, 0xE100 to 0xEF00 in steps of 0x100.
inline constexpr std::uint16_t kFirstStatistics = 0xE100;
inline constexpr std::uint16_t kLastStatistics = 0xEF00;
inline constexpr std::uint16_t kMedia = 0xF000;
inline constexpr std::uint16_t kColorDatabase = 0xFD00;
inline constexpr std::uint16_t kResendMacro = 0xFE00;
inline constexpr std::uint16_t kDualShift = 0xFF00;
// Not from the mouse: the device library's plug message, turned into an
// event of this type by the Monitor.
inline constexpr std::uint16_t kPlug = 0x7F00;

}  // namespace device::event
