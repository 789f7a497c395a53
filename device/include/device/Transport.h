#pragma once

#include <cstdint>
#include <span>

namespace device {

// Carries feature reports to and from the mouse. The protocol code never
// opens a device itself: it is given a transport (the device library, the
// simulated mouse in-process, or a test double).
class Transport {
 public:
  virtual ~Transport() = default;
  // Sends the report; byte 0 is its id. True when sent.
  virtual bool setFeature(std::span<const std::uint8_t> report) = 0;
  // report[0] holds the id to read; on success the whole span holds the
  // report. True when received.
  virtual bool getFeature(std::span<std::uint8_t> report) = 0;
};

}  // namespace device
