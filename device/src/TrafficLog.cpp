#include "device/TrafficLog.h"

namespace device {

bool TrafficLog::setFeature(std::span<const std::uint8_t> report) {
  const bool ok = inner_.setFeature(report);
  if (observer_) observer_(Direction::Set, report, ok);
  return ok;
}

bool TrafficLog::getFeature(std::span<std::uint8_t> report) {
  const bool ok = inner_.getFeature(report);
  if (observer_) observer_(Direction::Get, report, ok);
  return ok;
}

std::string TrafficLog::format(Direction direction, std::span<const std::uint8_t> report) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string line = direction == Direction::Set ? "SET" : "GET";
  line.reserve(4 + report.size() * 3);
  for (std::uint8_t b : report) {
    line += ' ';
    line += kHex[b >> 4];
    line += kHex[b & 15];
  }
  return line;
}

}  // namespace device
