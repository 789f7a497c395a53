#include "device/DeviceLayer.h"

namespace device {
namespace {

constexpr int kSettleAfterCapture = 2000;
constexpr int kBeforeImageRead = 500;

int pauseBeforePoll(int attempt, int initialDelayMs) {
  switch (attempt) {
    case 0:
      return initialDelayMs;
    case 1:
      return 1000;
    case 2:
      return 1500;
    default:
      return 2000;
  }
}

}  // namespace

void DeviceLayer::abortablePause(int ms) {
  // Each step ends at its own 100 ms mark from the start, so a long pause
  // does not grow by the scheduler's lateness on every step.
  const std::int64_t start = clock_.now();
  for (int i = 0; i < ms / kPauseStep; ++i) {
    if (aborted()) return;
    const std::int64_t left = start + std::int64_t{kPauseStep} * (i + 1) - clock_.now();
    if (left > 0) clock_.sleep(left);
  }
}

void DeviceLayer::shortPause(int ms) {
  if (!aborted() && ms > 0) clock_.sleep(ms);
}

bool DeviceLayer::statusWait(int initialDelayMs) {
  bool done = false;
  std::uint8_t lastStatus = 0;
  for (int attempt = 0; attempt < kMaxStatusPolls; ++attempt) {
    abortablePause(pauseBeforePoll(attempt, initialDelayMs));
    if (aborted()) return false;
    std::uint8_t status[kSelectLength] = {kSelectReport, 0, 0};
    const bool read = transport_.getFeature(status);
    if (read) lastStatus = status[1];
    done = read && status[1] == kStatusDone;
    // A failed poll after a busy answer asks again; only a definite answer ends the wait.
    if (lastStatus != kStatusBusy) break;
  }
  return done;
}

bool DeviceLayer::writeThenWait(std::span<const std::uint8_t> report, int initialDelayMs) {
  return transport_.setFeature(report) && statusWait(initialDelayMs);
}

bool DeviceLayer::select(int p, std::uint8_t what) {
  // An abort that came during the wait skips the read that would follow.
  return writeThenWait(codec::encodeSelect(p, what), 100) && !aborted();
}

bool DeviceLayer::readFirmwareVersion(int& version) {
  codec::VersionBytes r{kVersionReport};
  if (!transport_.getFeature(r)) return false;
  version = codec::decodeFirmwareVersion(r);
  return true;
}

bool DeviceLayer::readCurrentProfile(settings::SettingsImage& image) {
  codec::CurrentProfileBytes r{kCurrentProfileReport};
  if (!transport_.getFeature(r)) return false;
  codec::decodeCurrentProfile(r, image);
  return true;
}

bool DeviceLayer::writeCurrentProfile(const settings::SettingsImage& image) {
  // Report 5 carries profiles 0..4 only; anything else is never sent.
  return settings::isValidProfile(image.CurrentProfile) &&
         writeThenWait(codec::encodeCurrentProfile(image.CurrentProfile), 100);
}

bool DeviceLayer::readProfileSettings(settings::SettingsImage& image, int p) {
  if (!settings::isValidProfile(p) || !select(p, kSelectProfileSettings)) return false;
  codec::ProfileSettingsBytes r{kProfileSettingsReport};
  if (!transport_.getFeature(r)) return false;
  codec::decodeProfileSettings(r, image.Profiles[p]);
  return true;
}

bool DeviceLayer::writeProfileSettings(const settings::SettingsImage& image, int p) {
  return settings::isValidProfile(p) &&
         writeThenWait(codec::encodeProfileSettings(image.Profiles[p], p), 100);
}

bool DeviceLayer::readButtons(settings::SettingsImage& image, int p) {
  if (!settings::isValidProfile(p) || !select(p, kSelectButtons)) return false;
  codec::ButtonsBytes r{kButtonsReport};
  return transport_.getFeature(r) && codec::decodeButtons(r, image.Profiles[p]);
}

bool DeviceLayer::writeButtons(const settings::SettingsImage& image, int p) {
  return settings::isValidProfile(p) &&
         writeThenWait(codec::encodeButtons(image.Profiles[p], p), 500);
}

bool DeviceLayer::readMacro(settings::SettingsImage& image, int p, int b) {
  settings::ButtonSlot* slot = settings::findSlot(image, p, b);
  if (!slot || !select(p, static_cast<std::uint8_t>(b))) return false;
  codec::MacroBytes r{kMacroReport};
  return transport_.getFeature(r) && codec::decodeMacro(r, *slot);
}

bool DeviceLayer::writeMacro(const settings::SettingsImage& image, int p, int b) {
  const settings::ButtonSlot* slot = settings::findSlot(image, p, b);
  return slot && writeThenWait(codec::encodeMacro(*slot, p, b), 500);
}

bool DeviceLayer::readTrackingControl(settings::SettingsImage& image) {
  codec::TrackingBytes r{kTrackingReport};
  if (!transport_.getFeature(r)) return false;
  codec::decodeTrackingControl(r, image, calibration_);
  return true;
}

bool DeviceLayer::sendTrackingControl(const settings::SettingsImage& image, int command) {
  return writeThenWait(codec::encodeTrackingControl(image, calibration_, command), 100);
}

bool DeviceLayer::setCalibrationState(const settings::SettingsImage& image, int command) {
  codec::applyCalibrationCommand(calibration_, command);
  return sendTrackingControl(image, command);
}

bool DeviceLayer::sendHostActive(bool active) {
  return writeThenWait(codec::encodeHostActive(active), 100);
}

bool DeviceLayer::sendReset() { return writeThenWait(codec::encodeResetCommand(), 100); }

bool DeviceLayer::captureSensorImage(codec::SensorImage& image) {
  if (!transport_.setFeature(codec::encodeSensorCapture())) return false;
  abortablePause(kSettleAfterCapture);
  if (!statusWait(0)) return false;
  abortablePause(kBeforeImageRead);
  if (aborted()) return false;
  std::array<std::uint8_t, kSensorImageLength> r{kSensorImageReport};
  if (!transport_.getFeature(r)) return false;
  image = codec::decodeSensorImage(r);
  calibration_.value = image.mean;
  return true;
}

bool DeviceLayer::uploadColourDatabase(std::span<const std::uint8_t> file) {
  const std::size_t blocks = codec::colourBlockCount(file.size());
  // Block numbers travel as 16 bits; a larger file cannot be addressed.
  if (blocks > 0x10000) return false;
  for (std::size_t k = 0; k < blocks; ++k) {
    if (aborted() || !writeThenWait(codec::encodeColourBlock(file, k), 300)) return false;
  }
  return true;
}

bool DeviceLayer::sendLightCommand(const codec::LightCommandBytes& command) {
  return writeThenWait(command, 100);
}

}  // namespace device
