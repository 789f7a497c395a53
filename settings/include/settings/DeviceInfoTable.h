#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace settings {

inline constexpr int kMaxDeviceRecords = 100;

// One peer device known through cross-device messaging, as DeviceInfo.ini
// lists it.
struct DeviceRecord {
  std::uint16_t VID;
  std::uint16_t PID;
  char Name[20];        // up to 19 characters
  std::int32_t Cpi[5];  // "CPI 0" .. "CPI 4"
};
static_assert(sizeof(DeviceRecord) == 44);
static_assert(offsetof(DeviceRecord, PID) == 2);
static_assert(offsetof(DeviceRecord, Name) == 4);
static_assert(offsetof(DeviceRecord, Cpi) == 24);

struct DeviceInfoTable {
  std::int32_t Count;  // 0..100
  DeviceRecord Records[kMaxDeviceRecords];
};
static_assert(std::is_trivial_v<DeviceInfoTable> && std::is_standard_layout_v<DeviceInfoTable>);
static_assert(sizeof(DeviceInfoTable) == 4 + 100 * 44);

}  // namespace settings
