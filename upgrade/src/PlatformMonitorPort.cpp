#include "upgrade/PlatformMonitorPort.h"

#include "platform/Window.h"
#include "upgrade/UpdaterNames.h"

namespace upgrade {

platform::HWND PlatformMonitorPort::findMonitor() { return platform::FindWindow(kMonitorTitle); }

void PlatformMonitorPort::closeMonitor(platform::HWND monitor) {
  platform::SendMessageChecked(monitor, platform::WM_CLOSE, 0, 0);
}

void PlatformMonitorPort::postCloseMonitor() {
  const platform::HWND monitor = findMonitor();
  if (monitor != platform::kNoWindow) platform::PostMessage(monitor, platform::WM_CLOSE, 0, 0);
}

bool PlatformMonitorPort::startProgram(const std::string& path) { return shell_.open(path); }

}  // namespace upgrade
