#include "upgrade/DeviceVersion.h"

#include <array>

namespace upgrade {
namespace {
constexpr std::uint8_t kVersionReport = 9;
constexpr std::size_t kVersionLength = 6;
constexpr std::size_t kVersionByte = 3;
}  // namespace

std::optional<int> readDeviceVersion(device::Transport& transport) {
  std::array<std::uint8_t, kVersionLength> report{kVersionReport};
  if (!transport.getFeature(report)) return std::nullopt;
  return report[kVersionByte];
}

std::string deviceVersionText(std::optional<int> version) {
  if (!version || *version < 100 || *version > 500) return "N/A";
  const std::string digits = std::to_string(*version);
  return digits.substr(0, 1) + '.' + digits.substr(1);
}

}  // namespace upgrade
