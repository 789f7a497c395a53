#include "option/VersionText.h"

namespace option {

std::string firmwareVersionText(int version, bool atStart) {
  if (version < 100 || (atStart && version > 500)) return "N/A";
  const std::string digits = std::to_string(version);
  return digits.substr(0, 1) + '.' + digits.substr(1);
}

}  // namespace option
