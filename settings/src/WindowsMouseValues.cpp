#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Registry.h"
#include "settings/IniValue.h"
#include "settings/SettingsFiles.h"

namespace settings {

namespace {

constexpr const char* kMouseKey = "HKEY_CURRENT_USER\\Control Panel\\Mouse";
constexpr const char* kDesktopKey = "HKEY_CURRENT_USER\\Control Panel\\Desktop";
constexpr int kAccelerationRows = 20;
constexpr std::size_t kValueBufferSize = 80;

// The values of a key, read once for all the values taken from it.
using KeyValues = std::vector<std::pair<std::string, std::string>>;

// Value names compare as the store compares them: A..Z as a..z.
bool sameName(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return lower(x) == lower(y); });
}

// A value as the programs read it: into an 80-byte buffer, which a longer
// value does not fit; the text up to its first NUL. nullopt when there is
// none.
std::optional<std::string_view> readText(const KeyValues& values, std::string_view name) {
  for (const auto& [n, v] : values) {
    if (!sameName(n, name)) continue;
    if (v.size() + 1 > kValueBufferSize) return std::nullopt;
    return std::string_view(v.c_str());
  }
  return std::nullopt;
}

// Parsed as decimal; nullopt when it cannot be read, so the caller keeps its
// field.
std::optional<int> readNumber(const KeyValues& values, const char* name) {
  const auto text = readText(values, name);
  if (!text) return std::nullopt;
  return parseProfileInt(*text);
}

// Unchanged values are not rewritten: the store writes each value through
// to disk.
bool writeNumber(platform::RegistryKey& key, const KeyValues& values, const char* name, int value) {
  const std::string text = std::to_string(value);
  if (readText(values, name) == text) return true;
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
    const KeyValues values = mouse->values();
    ok = writeNumber(*mouse, values, "DoubleClickSpeed", p.DbleClickSpeed);
    ok = writeNumber(*mouse, values, "MouseSensitivity", p.MouseSpeed) && ok;
    ok = writeNumber(*mouse, values, "MouseTrails", p.MouseTrails) && ok;
    const int row = (p.AccelerationFlag == 0 || p.Acceleration < 0)
                        ? 0
                        : std::min(p.Acceleration, kAccelerationRows - 1);
    const AccelerationTriple t = AccelerationTriples(row);
    ok = writeNumber(*mouse, values, "MouseSpeed", t.speed) && ok;
    ok = writeNumber(*mouse, values, "MouseThreshold1", t.threshold1) && ok;
    ok = writeNumber(*mouse, values, "MouseThreshold2", t.threshold2) && ok;
  }
  const auto desktop = platform::RegistryKey::create(kDesktopKey);
  if (!desktop) return false;
  const KeyValues values = desktop->values();
  ok = writeNumber(*desktop, values, "WheelScrollLines",
                   p.ScrollWheelFlag == 1 ? -1 : p.ScrollWheelSpeed) &&
       ok;
  ok = writeNumber(*desktop, values, "WheelScrollChars", p.TiltSpeed) && ok;
  return ok;
}

bool ReadWindowsMouseValues(Profile& p) {
  {
    const auto mouse = platform::RegistryKey::create(kMouseKey);
    if (!mouse) return false;
    const KeyValues values = mouse->values();
    if (auto v = readNumber(values, "DoubleClickSpeed")) p.DbleClickSpeed = *v;
    if (auto v = readNumber(values, "MouseSensitivity")) p.MouseSpeed = *v;
    if (auto v = readNumber(values, "MouseTrails")) p.MouseTrails = *v;
    const auto s = readNumber(values, "MouseSpeed");
    const auto t1 = readNumber(values, "MouseThreshold1");
    const auto t2 = readNumber(values, "MouseThreshold2");
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
  const KeyValues values = desktop->values();
  if (auto lines = readNumber(values, "WheelScrollLines")) {
    if (*lines == -1) {
      p.ScrollWheelFlag = 1;
      if (p.ScrollWheelSpeed < 1 || p.ScrollWheelSpeed > 10) p.ScrollWheelSpeed = 3;
    } else {
      p.ScrollWheelSpeed = *lines;
      p.ScrollWheelFlag = 0;
    }
  }
  if (auto chars = readNumber(values, "WheelScrollChars")) p.TiltSpeed = *chars;
  return true;
}

}  // namespace settings
