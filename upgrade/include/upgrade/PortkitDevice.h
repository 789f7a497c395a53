#pragma once

#include <memory>
#include <string>

#include "device/LibraryTransport.h"
#include "device/PortkitLibrary.h"
#include "upgrade/DeviceAccess.h"

namespace upgrade {

// The device access library loaded from the updater's own folder, with the
// six exports the updater uses.
class PortkitDevice : public DeviceAccess {
 public:
  explicit PortkitDevice(const std::string& folder)
      : library_(device::PortkitLibrary::load(folder, false)), transport_(*library_) {}

  bool present() const override { return library_->present(); }
  const std::string& loadError() const { return library_->loadError(); }
  void openDevMonitor(platform::HWND window) override;
  bool openFeatureDevice() override { return library_->openFeatureDevice(); }
  void closeDevMonitor() override { library_->closeDevMonitor(); }
  void closeFeatureDevice() override { library_->closeFeatureDevice(); }
  device::Transport& transport() override { return transport_; }

 private:
  std::unique_ptr<device::PortkitLibrary> library_;
  device::LibraryTransport transport_;
};

}  // namespace upgrade
