#pragma once

#include "device/DeviceLayer.h"
#include "settings/SettingsImage.h"

namespace device {

// The multi-step exchanges with the mouse, built from the operations of the
// device layer. Each honours the layer's abort flag between its steps.
class DeviceSequences {
 public:
  static constexpr int kStepPause = 100;
  static constexpr int kMacroReadAttempts = 3;
  static constexpr int kPauseAfterMacroWrite = 50;

  explicit DeviceSequences(DeviceLayer& layer) : layer_(layer) {}

  // Reads the whole mouse into the image: firmware version, current
  // profile, each profile's settings and buttons, the macros of every macro
  // slot, tracking control; then clears the change flags. Saving the files
  // and publishing the image is the caller's. False when aborted or the
  // tracking control could not be read. firmwareVersion is set only when
  // the mouse answered it.
  bool readEverything(settings::SettingsImage& image, int& firmwareVersion);
  // Writes exactly what the change flags mark. False when any write failed
  // or the sequence was aborted.
  bool writeChanges(const settings::SettingsImage& image);
  // Writes the current profile, every profile's settings and buttons and
  // every macro slot, whatever the change flags say (restoring a backup).
  // A current profile outside 0..4 is skipped, not sent.
  bool writeEverything(const settings::SettingsImage& image);
  // The apply that restores the factory settings: only the reset command.
  bool applyWithReset();
  // The mouse asked for a macro (event 0xFE with value 1..110).
  bool writeRequestedMacro(const settings::SettingsImage& image, int requestValue);
  // The slot a macro request names; false when the value is out of range.
  static bool requestedMacroSlot(int requestValue, int& p, int& b);

 private:
  bool readMacros(settings::SettingsImage& image);
  bool writeMacros(const settings::SettingsImage& image, bool onlyChanged);
  bool stepDone();

  DeviceLayer& layer_;
};

}  // namespace device
