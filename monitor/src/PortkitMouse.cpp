#include "monitor/PortkitMouse.h"

#include "monitor/MonitorNames.h"
#include "platform/Clock.h"

namespace monitor {

PortkitMouse::PortkitMouse(const std::string& programFolder)
    : PortkitMouse(device::PortkitLibrary::load(programFolder)) {}

PortkitMouse::PortkitMouse(std::unique_ptr<device::PortkitLibrary> library)
    : library_(library ? std::move(library) : device::PortkitLibrary::absent()),
      transport_(*library_),
      layer_(transport_, platform::clock()),
      sequences_(layer_) {}

void PortkitMouse::openMonitor(platform::HWND window) {
  library_->openDevMonitor(window, msg::kDeviceEvent, msg::kDevicePlug);
}

void PortkitMouse::unload() {
  // The transport and layer refer to the library object, so the shared
  // library is let go when this object goes, right after the window.
  unloaded_ = true;
}

std::optional<int> PortkitMouse::readFirmwareVersion() {
  int version = 0;
  if (!layer_.readFirmwareVersion(version)) return std::nullopt;
  return version;
}

bool PortkitMouse::readEverything(settings::SettingsImage& image,
                                  const std::function<void(int)>& storeVersion) {
  int version = -1;
  const bool completed = sequences_.readEverything(image, version);
  if (version >= 0) storeVersion(version);
  return completed;
}

std::optional<MouseDevice::SensorPixels> PortkitMouse::captureSensorImage() {
  device::codec::SensorImage image;
  if (!layer_.captureSensorImage(image)) return std::nullopt;
  return image.pixels;
}

}  // namespace monitor
