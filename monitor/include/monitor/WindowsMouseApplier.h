#pragma once

#include "platform/DesktopMouse.h"
#include "settings/SettingsImage.h"

namespace monitor {

// Puts the desktop mouse settings of a profile into effect: double-click
// time, acceleration (switched off in the registry store when the profile
// has it off), pointer speed, wheel lines and characters, trails.
class WindowsMouseApplier {
 public:
  static constexpr const char* kMouseKey = "HKEY_CURRENT_USER\\Control Panel\\Mouse";
  static void apply(settings::Profile& profile, platform::DesktopMouse& desktop);
};

}  // namespace monitor
