#pragma once

#include <memory>
#include <string>

#include "device/DeviceLayer.h"
#include "device/DeviceSequences.h"
#include "device/LibraryTransport.h"
#include "device/PortkitLibrary.h"
#include "monitor/MouseDevice.h"

namespace monitor {

// The mouse through the device access library of the program folder. A
// missing library leaves the mouse absent for the whole run.
class PortkitMouse : public MouseDevice {
 public:
  explicit PortkitMouse(const std::string& programFolder);
  // For tests: a library loaded elsewhere (or an absent one).
  explicit PortkitMouse(std::unique_ptr<device::PortkitLibrary> library);

  bool libraryPresent() const override { return !unloaded_ && library_->present(); }
  void openMonitor(platform::HWND window) override;
  void closeMonitor() override { library_->closeDevMonitor(); }
  bool openFeature() override { return library_->openFeatureDevice(); }
  void closeFeature() override { library_->closeFeatureDevice(); }
  void unload() override;

  void requestAbort() override { layer_.requestAbort(); }
  void clearAbort() override { layer_.clearAbort(); }
  bool aborted() const override { return layer_.aborted(); }

  std::optional<int> readFirmwareVersion() override;
  bool readEverything(settings::SettingsImage& image,
                      const std::function<void(int)>& storeVersion) override;
  bool writeChanges(const settings::SettingsImage& image) override {
    return sequences_.writeChanges(image);
  }
  bool writeCurrentProfile(const settings::SettingsImage& image) override {
    return layer_.writeCurrentProfile(image);
  }
  bool writeRequestedMacro(const settings::SettingsImage& image, int requestValue) override {
    return sequences_.writeRequestedMacro(image, requestValue);
  }
  bool uploadColorDatabase(std::span<const std::uint8_t> file) override {
    return layer_.uploadColourDatabase(file);
  }
  bool sendHostActive(bool active) override { return layer_.sendHostActive(active); }
  bool sendReset() override { return sequences_.applyWithReset(); }
  bool sendLightCommand(const device::codec::LightCommandBytes& command) override {
    return layer_.sendLightCommand(command);
  }
  std::optional<SensorPixels> captureSensorImage() override;
  bool sendTrackingControl(const settings::SettingsImage& image, int command) override {
    return layer_.sendTrackingControl(image, command);
  }
  bool setCalibrationState(const settings::SettingsImage& image, int command) override {
    return layer_.setCalibrationState(image, command);
  }

 private:
  std::unique_ptr<device::PortkitLibrary> library_;
  device::LibraryTransport transport_;
  device::DeviceLayer layer_;
  device::DeviceSequences sequences_;
  bool unloaded_ = false;
};

}  // namespace monitor
