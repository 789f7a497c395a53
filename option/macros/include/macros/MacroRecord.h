#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "settings/SettingsImage.h"

// One stored macro: a fixed block kept byte for byte in the preset file, and
// the source of what a button slot carries when the macro is assigned.
namespace macros {

inline constexpr std::size_t kRecordNameSize = 52;
inline constexpr std::size_t kMaxRecordNameLength = kRecordNameSize - 1;  // 51
inline constexpr int kMaxEvents = settings::kMaxMacroEvents;              // 500

struct MacroRecord {
  char Name[kRecordNameSize];               // NUL-terminated
  std::int32_t PlayCount;                   // runs per trigger, 1..255
  std::int32_t EventCount;                  // 0..500
  settings::MacroEvent Events[kMaxEvents];  // past EventCount: zero

  std::string name() const;
  // Cut to 51 characters, the rest of the field cleared.
  void setName(std::string_view name);
  // EventCount limited to 0..500: what every reader of the events uses, since
  // a damaged file may hold any number there.
  int eventCount() const;
};

static_assert(std::endian::native == std::endian::little, "stored records are little-endian");
static_assert(sizeof(MacroRecord) == 2060);
static_assert(offsetof(MacroRecord, Name) == 0);
static_assert(offsetof(MacroRecord, PlayCount) == 52);
static_assert(offsetof(MacroRecord, EventCount) == 56);
static_assert(offsetof(MacroRecord, Events) == 60);

}  // namespace macros
