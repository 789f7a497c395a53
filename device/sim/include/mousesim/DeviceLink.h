#pragma once

#include <cstdint>

namespace mousesim {

// A way other than the simulator's socket by which programs reach the mouse
// (the kernel's uhid device). The simulator's loop polls fd() and calls
// serve() when it is readable, and tells the link of events and plug changes.
class DeviceLink {
 public:
  virtual ~DeviceLink() = default;
  virtual int fd() const = 0;
  virtual void serve() = 0;
  virtual void event(std::uint16_t type, std::uint16_t value) = 0;
  virtual void plugged(bool plugged) = 0;
};

}  // namespace mousesim
