#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>

#include "device/ReportCodec.h"
#include "platform/Types.h"
#include "settings/SettingsImage.h"

namespace monitor {

// The mouse as the Monitor drives it: the device library's plug and event
// notices and the protocol's sequences (which keep the tracking calibration
// value and state).
class MouseDevice {
 public:
  using SensorPixels = std::array<std::uint8_t, 900>;

  virtual ~MouseDevice() = default;
  virtual bool libraryPresent() const = 0;
  // Plug and event messages (1325, 1326) go to this window from now on.
  virtual void openMonitor(platform::HWND window) = 0;
  virtual void closeMonitor() = 0;
  virtual bool openFeature() = 0;
  virtual void closeFeature() = 0;
  virtual void unload() = 0;

  // The abort flag: may be set from any thread; every pause and status wait
  // then ends at once and the running sequence fails.
  virtual void requestAbort() = 0;
  virtual void clearAbort() = 0;
  virtual bool aborted() const = 0;

  // Report 9; nothing when the read fails.
  virtual std::optional<int> readFirmwareVersion() = 0;
  // The whole mouse into the image (change flags cleared at the end). The
  // version goes to storeVersion as soon as it is read. True when it got to
  // the end without an abort.
  virtual bool readEverything(settings::SettingsImage& image,
                              const std::function<void(int)>& storeVersion) = 0;
  // Writes exactly what the change flags mark.
  virtual bool writeChanges(const settings::SettingsImage& image) = 0;
  virtual bool writeCurrentProfile(const settings::SettingsImage& image) = 0;
  // The macro the mouse asked for with request value 1..110.
  virtual bool writeRequestedMacro(const settings::SettingsImage& image, int requestValue) = 0;
  virtual bool uploadColorDatabase(std::span<const std::uint8_t> file) = 0;
  virtual bool sendHostActive(bool active) = 0;
  virtual bool sendReset() = 0;
  // Report 16: a one-shot light command or the ambient light event.
  virtual bool sendLightCommand(const device::codec::LightCommandBytes& command) = 0;
  virtual std::optional<SensorPixels> captureSensorImage() = 0;
  virtual bool sendTrackingControl(const settings::SettingsImage& image, int command) = 0;
  virtual bool setCalibrationState(const settings::SettingsImage& image, int command) = 0;
};

}  // namespace monitor
