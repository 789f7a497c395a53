#pragma once

#include <memory>
#include <optional>

#include "portkit/HidrawNode.h"

namespace portkit {

// Arrivals and removals of hidraw nodes.
struct HotplugEvent {
  bool added = false;
  HidrawNode node;  // on removal only devnode is certain
};

class HotplugMonitor {
 public:
  virtual ~HotplugMonitor() = default;
  // Readable when receive() has something.
  virtual int fd() const = 0;
  virtual std::optional<HotplugEvent> receive() = 0;
};

// udev's netlink monitor for the hidraw subsystem; nullptr when udev is not
// available (no hotplug then, discovery still works on open).
std::unique_ptr<HotplugMonitor> makeUdevHotplugMonitor();

}  // namespace portkit
