#include <algorithm>
#include <optional>
#include <string>

#include "platform/Registry.h"
#include "settings/IniValue.h"
#include "settings/SettingsFiles.h"

namespace settings {

namespace {

constexpr const char* kMouseKey = "HKEY_CURRENT_USER\\Control Panel\\Mouse";
constexpr const char* kDesktopKey = "HKEY_CURRENT_USER\\Control Panel\\Desktop";
constexpr int kAccelerationRows = 20;
constexpr std::size_t kValueBufferSize = 80;

// A value read as the programs read it: into an 80-byte buffer, then parsed
// as decimal. nullopt when it cannot be read, so the caller keeps its field.
std::optional<int> readNumber(const platform::RegistryKey& key, const char* name) {
  char buffer[kValueBufferSize];
  if (!key.queryString(name, buffer, sizeof buffer)) return std::nullopt;
  return parseProfileInt(buffer);
}

// Unchanged values are not rewritten: the store writes each value through
// to disk.
bool writeNumber(platform::RegistryKey& key, const char* name, int value) {
  const std::string text = std::to_string(value);
  char current[kValueBufferSize];
  if (key.queryString(name, current, sizeof current) && text == current) return true;
  return key.setString(name, text);
}

}  // namespace

AccelerationTriple AccelerationTriples(int index) {
  if (index <= 0) return {0, 0, 0};
  if (index <= 10) return {1, 14 - index, 0};
  return {2, 4, 24 - std::min(index, kAccelerationRows - 1)};
}

bool WriteWindowsMouseValues(const Profile& p) {
  bool ok = true;
  {
    const auto mouse = platform::RegistryKey::create(kMouseKey);
    if (!mouse) return false;
    ok = writeNumber(*mouse, "DoubleClickSpeed", p.DbleClickSpeed);
    ok = writeNumber(*mouse, "MouseSensitivity", p.MouseSpeed) && ok;
    ok = writeNumber(*mouse, "MouseTrails", p.MouseTrails) && ok;
    const int row = (p.AccelerationFlag == 0 || p.Acceleration < 0)
                        ? 0
                        : std::min(p.Acceleration, kAccelerationRows - 1);
    const AccelerationTriple t = AccelerationTriples(row);
    ok = writeNumber(*mouse, "MouseSpeed", t.speed) && ok;
    ok = writeNumber(*mouse, "MouseThreshold1", t.threshold1) && ok;
    ok = writeNumber(*mouse, "MouseThreshold2", t.threshold2) && ok;
  }
  const auto desktop = platform::RegistryKey::create(kDesktopKey);
  if (!desktop) return false;
  ok =
      writeNumber(*desktop, "WheelScrollLines", p.ScrollWheelFlag == 1 ? -1 : p.ScrollWheelSpeed) &&
      ok;
  ok = writeNumber(*desktop, "WheelScrollChars", p.TiltSpeed) && ok;
  return ok;
}

bool ReadWindowsMouseValues(Profile& p) {
  {
    const auto mouse = platform::RegistryKey::create(kMouseKey);
    if (!mouse) return false;
    if (auto v = readNumber(*mouse, "DoubleClickSpeed")) p.DbleClickSpeed = *v;
    if (auto v = readNumber(*mouse, "MouseSensitivity")) p.MouseSpeed = *v;
    if (auto v = readNumber(*mouse, "MouseTrails")) p.MouseTrails = *v;
    const auto s = readNumber(*mouse, "MouseSpeed");
    const auto t1 = readNumber(*mouse, "MouseThreshold1");
    const auto t2 = readNumber(*mouse, "MouseThreshold2");
    // Without all three values there is nothing to match: keep the profile's.
    if (s && t1 && t2) {
      for (int row = 0; row < kAccelerationRows; ++row) {
        const AccelerationTriple t = AccelerationTriples(row);
        if (t.speed == *s && t.threshold1 >= *t1 && t.threshold2 >= *t2) p.Acceleration = row;
      }
      p.AccelerationFlag = p.Acceleration != 0 ? 1 : 0;
    }
  }
  const auto desktop = platform::RegistryKey::create(kDesktopKey);
  if (!desktop) return false;
  if (auto lines = readNumber(*desktop, "WheelScrollLines")) {
    if (*lines == -1) {
      p.ScrollWheelFlag = 1;
      if (p.ScrollWheelSpeed < 1 || p.ScrollWheelSpeed > 10) p.ScrollWheelSpeed = 3;
    } else {
      p.ScrollWheelSpeed = *lines;
      p.ScrollWheelFlag = 0;
    }
  }
  if (auto chars = readNumber(*desktop, "WheelScrollChars")) p.TiltSpeed = *chars;
  return true;
}

}  // namespace settings
