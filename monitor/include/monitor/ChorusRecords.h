#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "settings/DeviceInfoTable.h"
#include "settings/SettingsImage.h"

// The WM_COPYDATA records exchanged with the cross-device host
// ("NIVARO Chorus Monitor"). They are wire formats: the host reads and writes
// them byte for byte, little-endian, packed.
namespace monitor::chorus {

// The mouse's USB ids at the front of every record (the same ids the device
// access library looks for by default).
inline constexpr std::uint16_t kVendorId = 0x1209;
inline constexpr std::uint16_t kProductId = 0x0001;

// wParam of every WM_COPYDATA the Monitor sends to the host.
inline constexpr std::uintptr_t kCopyDataWParam = 2024;
inline constexpr std::uintptr_t kRecordBase = 0x07970000;
inline constexpr std::uintptr_t kDeviceActive = kRecordBase + 3;
inline constexpr std::uintptr_t kDeviceInactive = kRecordBase + 4;
inline constexpr std::uintptr_t kSteadyAimNotice = kRecordBase + 5;

// Device active / inactive and the Steady-Aim notice.
struct StatusRecord {
  std::uint16_t vendorId;
  std::uint16_t productId;
  std::uint32_t window;  // the Monitor's window
  std::int32_t dpi[5];   // CpiLevel_X of the current profile, x 100
};
static_assert(sizeof(StatusRecord) == 28);
static_assert(offsetof(StatusRecord, productId) == 2);
static_assert(offsetof(StatusRecord, window) == 4);
static_assert(offsetof(StatusRecord, dpi) == 8);

// Dual-Shift of another device, dwData = kRecordBase + command.
#pragma pack(push, 1)
struct DualShiftRecord {
  std::uint16_t vendorId;
  std::uint16_t productId;
  std::uint8_t command;
  std::uint16_t vendorIdAgain;
  std::uint16_t peerValue;
  std::uint8_t pressFlag;
};
#pragma pack(pop)
static_assert(sizeof(DualShiftRecord) == 10);
static_assert(offsetof(DualShiftRecord, command) == 4);
static_assert(offsetof(DualShiftRecord, vendorIdAgain) == 5);
static_assert(offsetof(DualShiftRecord, peerValue) == 7);
static_assert(offsetof(DualShiftRecord, pressFlag) == 9);

// A peer announcing itself through the host (cbData 64).
struct PeerRecord {
  std::uint16_t kind;
  std::uint16_t id;
  char16_t name[20];  // UTF-16, NUL-terminated when shorter than 20
  std::uint8_t levels[20];
};
static_assert(sizeof(PeerRecord) == 64);
static_assert(offsetof(PeerRecord, id) == 2);
static_assert(offsetof(PeerRecord, name) == 4);
static_assert(offsetof(PeerRecord, levels) == 44);

// Dual-Shift command numbers the host knows.
inline constexpr std::uint8_t kShiftPeer = 245;      // code 81
inline constexpr std::uint8_t kShiftPeerLock = 246;  // code 82
inline constexpr std::uint8_t kShiftAll = 140;       // code 83
inline constexpr std::uint8_t kShiftAllLock = 141;   // code 84
inline constexpr std::uint16_t kAllPeers = 0xFFFF;

StatusRecord makeStatusRecord(std::uint32_t window, const settings::Profile* profile);
// The record for the function code of the slot whose Dual-Shift button went
// down (pressFlag 0) or up.
DualShiftRecord makeDualShiftRecord(const settings::ButtonSlot& slot, std::uint8_t pressFlag);
// The stored form of a peer: kind and id as VID and PID, the name in UTF-8
// cut to 19 bytes on a character boundary, the 20 bytes of level data.
settings::DeviceRecord peerEntry(const PeerRecord& record);

template <typename Record>
std::span<const std::byte> bytesOf(const Record& record) {
  return std::as_bytes(std::span<const Record, 1>(&record, 1));
}

}  // namespace monitor::chorus
