#pragma once

#include "platform/Shell.h"
#include "upgrade/MonitorPort.h"

namespace upgrade {

// The Monitor found by its window title through the message layer, and
// started through the desktop's shell.
class PlatformMonitorPort : public MonitorPort {
 public:
  explicit PlatformMonitorPort(platform::Shell& shell) : shell_(shell) {}
  platform::HWND findMonitor() override;
  void closeMonitor(platform::HWND monitor) override;
  void postCloseMonitor() override;
  bool startProgram(const std::string& path) override;

 private:
  platform::Shell& shell_;
};

}  // namespace upgrade
