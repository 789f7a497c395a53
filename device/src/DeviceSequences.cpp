#include "device/DeviceSequences.h"

#include "settings/FunctionCodes.h"

namespace device {
namespace {

constexpr std::uint8_t kMacroCode = settings::code(settings::FunctionCode::Macro);

bool anySlotChanged(const settings::SettingsImage& image, int p) {
  for (int b = 0; b < settings::kSlotCount; ++b) {
    if (image.SlotChanged[p][b] == 1) return true;
  }
  return false;
}

}  // namespace

bool DeviceSequences::stepDone() {
  layer_.abortablePause(kStepPause);
  return !layer_.aborted();
}

bool DeviceSequences::readEverything(settings::SettingsImage& image, int& firmwareVersion) {
  if (layer_.aborted()) return false;
  layer_.readFirmwareVersion(firmwareVersion);
  if (!stepDone()) return false;
  layer_.readCurrentProfile(image);
  if (!stepDone()) return false;
  for (int p = 0; p < settings::kProfileCount && !layer_.aborted(); ++p) {
    layer_.readProfileSettings(image, p);
  }
  if (!stepDone()) return false;
  for (int p = 0; p < settings::kProfileCount && !layer_.aborted(); ++p) {
    layer_.readButtons(image, p);
  }
  if (!stepDone()) return false;
  readMacros(image);
  if (!stepDone()) return false;
  const bool trackingRead = layer_.readTrackingControl(image);
  if (!stepDone()) return false;
  settings::clearChangeFlags(image);
  return trackingRead && !layer_.aborted();
}

bool DeviceSequences::readMacros(settings::SettingsImage& image) {
  for (int p = 0; p < settings::kProfileCount; ++p) {
    for (int b = 0; b < settings::kSlotCount; ++b) {
      if (image.Profiles[p].MacroKeyInfo[b].FunctionCode != kMacroCode) continue;
      bool read = false;
      for (int attempt = 0; attempt < kMacroReadAttempts && !read; ++attempt) {
        if (layer_.aborted()) return false;
        read = layer_.readMacro(image, p, b);
        layer_.abortablePause(kStepPause);
      }
      if (!read) return false;
    }
  }
  return true;
}

bool DeviceSequences::writeChanges(const settings::SettingsImage& image) {
  if (layer_.aborted()) return false;
  bool allWritten = true;
  if (image.CurrentProfileChanged == 1) {
    allWritten = layer_.writeCurrentProfile(image) && allWritten;
    if (!stepDone()) return false;
  }
  for (int p = 0; p < settings::kProfileCount; ++p) {
    if (image.ProfileChanged[p] != 1) continue;
    allWritten = layer_.writeProfileSettings(image, p) && allWritten;
    if (!stepDone()) return false;
  }
  for (int p = 0; p < settings::kProfileCount; ++p) {
    if (!anySlotChanged(image, p)) continue;
    allWritten = layer_.writeButtons(image, p) && allWritten;
    if (!stepDone()) return false;
  }
  return writeMacros(image, true) && allWritten;
}

bool DeviceSequences::writeEverything(const settings::SettingsImage& image) {
  if (layer_.aborted()) return false;
  bool allWritten = true;
  // A backup without a current profile restores everything else.
  if (settings::isValidProfile(image.CurrentProfile)) {
    allWritten = layer_.writeCurrentProfile(image);
    if (!stepDone()) return false;
  }
  for (int p = 0; p < settings::kProfileCount; ++p) {
    allWritten = layer_.writeProfileSettings(image, p) && allWritten;
    if (!stepDone()) return false;
  }
  for (int p = 0; p < settings::kProfileCount; ++p) {
    allWritten = layer_.writeButtons(image, p) && allWritten;
    if (!stepDone()) return false;
  }
  return writeMacros(image, false) && allWritten;
}

bool DeviceSequences::writeMacros(const settings::SettingsImage& image, bool onlyChanged) {
  for (int p = 0; p < settings::kProfileCount; ++p) {
    for (int b = 0; b < settings::kSlotCount; ++b) {
      if (image.Profiles[p].MacroKeyInfo[b].FunctionCode != kMacroCode) continue;
      if (onlyChanged && image.SlotChanged[p][b] != 1) continue;
      if (layer_.aborted() || !layer_.writeMacro(image, p, b)) return false;
      layer_.shortPause(kPauseAfterMacroWrite);
    }
  }
  return !layer_.aborted();
}

bool DeviceSequences::applyWithReset() { return !layer_.aborted() && layer_.sendReset(); }

bool DeviceSequences::requestedMacroSlot(int requestValue, int& p, int& b) {
  if (requestValue < 1 || requestValue > 110) return false;
  p = (requestValue - 1) / 22;
  b = (requestValue - 1) % 22 + 2;
  return true;
}

bool DeviceSequences::writeRequestedMacro(const settings::SettingsImage& image, int requestValue) {
  int p = 0;
  int b = 0;
  return requestedMacroSlot(requestValue, p, b) && !layer_.aborted() &&
         layer_.writeMacro(image, p, b);
}

}  // namespace device
