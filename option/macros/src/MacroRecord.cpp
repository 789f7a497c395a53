#include "macros/MacroRecord.h"

#include <algorithm>
#include <cstring>

namespace macros {

std::string MacroRecord::name() const { return std::string(Name, ::strnlen(Name, sizeof Name)); }

void MacroRecord::setName(std::string_view name) {
  std::memset(Name, 0, sizeof Name);
  std::memcpy(Name, name.data(), std::min(name.size(), kMaxRecordNameLength));
}

int MacroRecord::eventCount() const { return std::clamp(EventCount, 0, kMaxEvents); }

}  // namespace macros
