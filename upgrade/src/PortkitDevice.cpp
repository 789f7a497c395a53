#include "upgrade/PortkitDevice.h"

#include "upgrade/UpdaterNames.h"

namespace upgrade {

void PortkitDevice::openDevMonitor(platform::HWND window) {
  library_->openDevMonitor(window, msg::kDeviceEvent, msg::kDevicePlug);
}

}  // namespace upgrade
