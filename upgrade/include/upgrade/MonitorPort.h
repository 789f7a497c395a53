#pragma once

#include <string>

#include "platform/Types.h"

namespace upgrade {

// How the updater reaches the Monitor: by its window, and by starting it.
class MonitorPort {
 public:
  virtual ~MonitorPort() = default;
  virtual platform::HWND findMonitor() = 0;
  // Sends WM_CLOSE and returns once the Monitor has handled it.
  virtual void closeMonitor(platform::HWND monitor) = 0;
  // Posts WM_CLOSE to the Monitor's window, if there is one.
  virtual void postCloseMonitor() = 0;
  virtual bool startProgram(const std::string& path) = 0;
};

}  // namespace upgrade
