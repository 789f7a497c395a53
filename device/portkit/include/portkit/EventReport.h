#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace portkit {

// The mouse reports its events as input reports on the configuration
// interface, 5 bytes each:
//
//   byte 0     report id 0x20
//   bytes 1-2  event type, little-endian (the high 16 bits of the event,
//              e.g. 0x2000 profile changed, 0xB000 DPI level changed)
//   bytes 3-4  event value, little-endian (the low 16 bits)
//
// Any other input report on the node (pointer motion, buttons) is not an
// event and is ignored.
inline constexpr std::uint8_t kEventReportId = 0x20;
inline constexpr std::size_t kEventReportLength = 5;

struct DeviceEvent {
  std::uint16_t type = 0;
  std::uint16_t value = 0;
};

std::optional<DeviceEvent> parseEventReport(std::span<const std::uint8_t> report);

// Decides the plug messages: the mouse is present while at least one of its
// hidraw nodes is. A mouse has several nodes (one per interface); only the
// first arrival and the last removal are plug changes.
class PlugTracker {
 public:
  // nullopt: no change; true: the mouse arrived.
  std::optional<bool> nodeAdded(const std::string& devnode);
  // nullopt: no change; false: the mouse went away.
  std::optional<bool> nodeRemoved(const std::string& devnode);
  bool present() const { return !nodes_.empty(); }

 private:
  std::vector<std::string> nodes_;
};

}  // namespace portkit
