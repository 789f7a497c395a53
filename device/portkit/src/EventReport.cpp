#include "portkit/EventReport.h"

#include <algorithm>

namespace portkit {

std::optional<DeviceEvent> parseEventReport(std::span<const std::uint8_t> r) {
  if (r.size() < kEventReportLength || r[0] != kEventReportId) return std::nullopt;
  return DeviceEvent{static_cast<std::uint16_t>(r[1] | (r[2] << 8)),
                     static_cast<std::uint16_t>(r[3] | (r[4] << 8))};
}

std::optional<bool> PlugTracker::nodeAdded(const std::string& devnode) {
  if (std::find(nodes_.begin(), nodes_.end(), devnode) != nodes_.end()) return std::nullopt;
  const bool wasPresent = present();
  nodes_.push_back(devnode);
  return wasPresent ? std::nullopt : std::optional<bool>(true);
}

std::optional<bool> PlugTracker::nodeRemoved(const std::string& devnode) {
  const auto it = std::find(nodes_.begin(), nodes_.end(), devnode);
  if (it == nodes_.end()) return std::nullopt;
  nodes_.erase(it);
  return present() ? std::nullopt : std::optional<bool>(false);
}

}  // namespace portkit
