#include "monitor/FirmwareCheck.h"

namespace monitor {

FirmwareCheck::Verdict FirmwareCheck::compare(std::optional<int> mouseVersion,
                                              std::uint32_t packagedVersion) {
  if (!mouseVersion || *mouseVersion == 0) return Verdict::Pass;
  const auto mouse = static_cast<std::uint32_t>(*mouseVersion);
  if (packagedVersion == mouse) return Verdict::Pass;
  return packagedVersion > mouse ? Verdict::Upgrade : Verdict::Downgrade;
}

}  // namespace monitor
