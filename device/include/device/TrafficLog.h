#pragma once

#include <functional>
#include <string>

#include "device/Transport.h"

namespace device {

// Passes every report through to another transport and tells an observer
// about it (direction, bytes as exchanged, success): veskctl --verbose.
class TrafficLog : public Transport {
 public:
  enum class Direction { Set, Get };
  using Observer = std::function<void(Direction, std::span<const std::uint8_t>, bool ok)>;

  TrafficLog(Transport& inner, Observer observer) : inner_(inner), observer_(std::move(observer)) {}
  bool setFeature(std::span<const std::uint8_t> report) override;
  bool getFeature(std::span<std::uint8_t> report) override;

  // "SET 05 03 01" style line: lower-case hex bytes separated by spaces.
  static std::string format(Direction direction, std::span<const std::uint8_t> report);

 private:
  Transport& inner_;
  Observer observer_;
};

}  // namespace device
