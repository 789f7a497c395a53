#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace settings {

// The on-screen display settings block, kept whole in config.ini
// (section "OSDSetting", key "config"). The suite only reads it; the fields it
// knows are the ones that have defaults.
struct OsdSetting {
  std::uint8_t Head[28];
  std::uint8_t Bytes28[8];
  char Text36[100];
  std::int32_t Value136;
  char Text140[100];
  char Text240[100];
  std::int32_t Value340;
};
static_assert(std::is_trivial_v<OsdSetting> && std::is_standard_layout_v<OsdSetting>);
static_assert(sizeof(OsdSetting) == 344);
static_assert(offsetof(OsdSetting, Text36) == 36);
static_assert(offsetof(OsdSetting, Value136) == 136);
static_assert(offsetof(OsdSetting, Text140) == 140);
static_assert(offsetof(OsdSetting, Text240) == 240);
static_assert(offsetof(OsdSetting, Value340) == 340);

// The defaults the Configuration program starts from and restores: all zero
// except 110 at offset 136 and 5 at offset 340.
OsdSetting defaultOsdSetting();

}  // namespace settings
