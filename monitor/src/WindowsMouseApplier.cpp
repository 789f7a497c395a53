#include "monitor/WindowsMouseApplier.h"

#include <charconv>
#include <string>

#include "platform/Registry.h"

namespace monitor {
namespace {

int readNumber(const platform::RegistryKey* key, const char* name) {
  if (!key) return 0;
  const auto text = key->queryString(name);
  if (!text) return 0;
  int value = 0;
  std::from_chars(text->data(), text->data() + text->size(), value);
  return value;
}

}  // namespace

void WindowsMouseApplier::apply(settings::Profile& profile, platform::DesktopMouse& desktop) {
  desktop.setDoubleClickTime(profile.DbleClickSpeed);

  auto key = platform::RegistryKey::create(kMouseKey);
  int speed = readNumber(key.get(), "MouseSpeed");
  int threshold2 = readNumber(key.get(), "MouseThreshold2");
  int threshold1 = readNumber(key.get(), "MouseThreshold1");
  if (profile.AccelerationFlag != 1 && (speed != 0 || threshold1 != 0 || threshold2 != 0)) {
    if (key) {
      key->setString("MouseSpeed", "0");
      key->setString("MouseThreshold2", "0");
      key->setString("MouseThreshold1", "0");
    }
    speed = threshold1 = threshold2 = 0;
    profile.Acceleration = 0;
  }
  desktop.setAcceleration(threshold1, threshold2, speed);
  desktop.setPointerSpeed(profile.MouseSpeed);
  desktop.setWheelScrollLines(profile.ScrollWheelFlag != 0 ? -1 : profile.ScrollWheelSpeed);
  desktop.setWheelScrollChars(profile.TiltSpeed);
  desktop.setMouseTrails(profile.MouseTrails);
}

}  // namespace monitor
