#pragma once

#include <atomic>
#include <cstdint>
#include <span>

#include "device/ReportCodec.h"
#include "device/Transport.h"
#include "platform/Clock.h"
#include "settings/SettingsImage.h"

namespace device {

// The single operations on the mouse, each a report exchange followed by the
// status wait the mouse needs. Every operation returns true on success; a
// failed transfer is never retried here. Time passes only through the given
// clock, so tests run it in virtual time.
//
// The abort flag may be set from another thread (removal, shutdown); every
// pause and status wait then ends at once and fails.
class DeviceLayer {
 public:
  // Status wait: attempt k pauses kFirst.. before polling; at most 10 polls.
  static constexpr int kMaxStatusPolls = 10;
  static constexpr int kPauseStep = 100;

  DeviceLayer(Transport& transport, platform::Clock& clock)
      : transport_(transport), clock_(clock) {}

  void requestAbort() { abort_.store(true); }
  void clearAbort() { abort_.store(false); }
  bool aborted() const { return abort_.load(); }

  // Sleeps ms / 100 steps of 100 ms, stopping early once the abort flag is set.
  void abortablePause(int ms);
  // Sleeps ms unless the abort flag is set (pauses shorter than one step).
  void shortPause(int ms);
  // Polls report 4 until the mouse is no longer busy: pauses initialDelay,
  // 1000, 1500, then 2000 ms before each poll; true when the last poll read
  // status 1.
  bool statusWait(int initialDelayMs);

  bool readFirmwareVersion(int& version);
  bool readCurrentProfile(settings::SettingsImage& image);
  bool writeCurrentProfile(const settings::SettingsImage& image);
  bool readProfileSettings(settings::SettingsImage& image, int p);
  bool writeProfileSettings(const settings::SettingsImage& image, int p);
  bool readButtons(settings::SettingsImage& image, int p);
  bool writeButtons(const settings::SettingsImage& image, int p);
  bool readMacro(settings::SettingsImage& image, int p, int b);
  bool writeMacro(const settings::SettingsImage& image, int p, int b);
  bool readTrackingControl(settings::SettingsImage& image);
  // command 253/254/255: lift-off trial cancelled/confirmed/start; anything
  // else sends the current values.
  bool sendTrackingControl(const settings::SettingsImage& image, int command);
  // Calibration command 1..4 changes the calibration state, then sends.
  bool setCalibrationState(const settings::SettingsImage& image, int command);
  bool sendHostActive(bool active);
  bool sendReset();
  // On success the mean of the image becomes the calibration value.
  bool captureSensorImage(codec::SensorImage& image);
  // Sends the file as 1024-byte blocks; stops at the first block that fails.
  bool uploadColourDatabase(std::span<const std::uint8_t> file);
  bool sendLightCommand(const codec::LightCommandBytes& command);

  codec::Calibration& calibration() { return calibration_; }
  const codec::Calibration& calibration() const { return calibration_; }
  Transport& transport() { return transport_; }
  platform::Clock& clock() { return clock_; }

 private:
  bool writeThenWait(std::span<const std::uint8_t> report, int initialDelayMs);
  bool select(int p, std::uint8_t what);

  Transport& transport_;
  platform::Clock& clock_;
  std::atomic<bool> abort_{false};
  codec::Calibration calibration_;
};

}  // namespace device
