#pragma once

#include "device/Transport.h"
#include "platform/Types.h"

namespace upgrade {

// The device access library as the updater uses it. A library that is
// missing, or lacks an export, is not present: nothing of it is called.
class DeviceAccess {
 public:
  virtual ~DeviceAccess() = default;
  virtual bool present() const = 0;
  virtual void openDevMonitor(platform::HWND window) = 0;
  virtual bool openFeatureDevice() = 0;
  virtual void closeDevMonitor() = 0;
  virtual void closeFeatureDevice() = 0;
  virtual device::Transport& transport() = 0;
};

}  // namespace upgrade
