// What the mouse does when one of its buttons is pressed: the function of
// that slot in the current profile, the event it reports to the host and the
// change to its own state.
#include "mousesim/MouseModel.h"

namespace mousesim {
namespace {

using namespace device;

enum : std::uint16_t {
  kTiltEvent = 0x1000,
  kVolumeEvent = 0x1B00,
  kProfileEvent = 0x2000,
  kProgramEvent = 0x6000,
  kCountdownEvent = 0x8000,
  kOpenDriverEvent = 0xA000,
  kDpiEvent = 0xB000,
  kSensitivityEvent = 0xC000,
  kFirstCounterEvent = 0xE100,
  kMediaEvent = 0xF000,
  kMacroRequestEvent = 0xFE00,
  kDualShiftEvent = 0xFF00,
};

constexpr int kSensitivityMin = 1;
constexpr int kSensitivityMax = 11;
constexpr int kFirstRequestableSlot = 2;
constexpr int kRequestableSlotsPerProfile = 22;

int step(int value, int direction, int lo, int hi, bool wrap) {
  int next = value + direction;
  if (next > hi) next = wrap ? lo : hi;
  if (next < lo) next = wrap ? hi : lo;
  return next;
}

}  // namespace

bool MouseModel::press(int button) {
  if (!plugged_ || button < 1 || button > settings::kSlotCount) return false;
  const int slot = button - 1;
  const std::uint8_t code = currentProfile().buttons[3 + 3 * slot];
  const auto b = static_cast<std::uint16_t>(button);
  switch (code) {
    case 9:
      emitEvent(kTiltEvent, 255);
      break;
    case 10:
      emitEvent(kTiltEvent, 1);
      break;
    case 11:
    case 20:
    case 68:
      changeDpi(+1, true);
      break;
    case 21:
      changeDpi(+1, false);
      break;
    case 22:
      changeDpi(-1, false);
      break;
    case 15:
      emitEvent(kProgramEvent, b);
      break;
    case 16:
    case 67:
      changeProfile(+1, true);
      break;
    case 17:
      changeProfile(+1, false);
      break;
    case 18:
      changeProfile(-1, false);
      break;
    case 19:
      changeSensitivity(0, false);
      break;
    case 23:
      changeSensitivity(+1, true);
      break;
    case 24:
    case 66:
      changeSensitivity(+1, false);
      break;
    case 25:
      changeSensitivity(-1, false);
      break;
    case 27:
      emitEvent(kOpenDriverEvent, 1);
      break;
    case 32:
    case 33:
    case 34:
    case 35:
    case 36:
      emitEvent(kMediaEvent, static_cast<std::uint16_t>(code | 0x100));  // pressed
      emitEvent(kMediaEvent, code);                                      // released
      break;
    case 38:
    case 69:
      emitEvent(kVolumeEvent, 1);
      break;
    case 39:
      emitEvent(kVolumeEvent, 255);
      break;
    case 48:
      requestOrPlayMacro(slot);
      break;
    case 49:
    case 50:
      emitEvent(kCountdownEvent, b);
      break;
    case 81:
    case 82:
    case 83:
    case 84:
      emitEvent(kDualShiftEvent, b);
      break;
    default:
      break;  // performed by the mouse alone
  }
  // The five main buttons count their clicks in statistics counters 0..4.
  if (button <= 5) emitEvent(static_cast<std::uint16_t>(kFirstCounterEvent + 0x100 * slot), 1);
  return true;
}

void MouseModel::changeProfile(int delta, bool wrap) {
  const int next = step(memory_.currentProfile, delta, 0, settings::kProfileCount - 1, wrap);
  if (next == memory_.currentProfile) return;
  memory_.currentProfile = static_cast<std::uint8_t>(next);
  changed();
  emitEvent(kProfileEvent, static_cast<std::uint16_t>(next + 1));
}

void MouseModel::changeDpi(int direction, bool wrap) {
  auto& s = currentProfile().settings;
  const std::uint8_t enabled = s[6] & 0x1F;
  int level = s[12] < settings::kCpiLevelCount ? s[12] : 0;
  if (enabled == 0) return;
  // Step over disabled levels; at most one full turn.
  for (int i = 0; i < settings::kCpiLevelCount; ++i) {
    const int next = step(level, direction, 0, settings::kCpiLevelCount - 1, wrap);
    if (next == level) return;
    level = next;
    if (enabled & (1 << level)) break;
  }
  if (!(enabled & (1 << level)) || level == s[12]) return;
  s[12] = static_cast<std::uint8_t>(level);
  sealChecksum(s);
  changed();
  emitEvent(kDpiEvent, static_cast<std::uint16_t>(level + 1));
}

void MouseModel::changeSensitivity(int direction, bool wrap) {
  auto& s = currentProfile().settings;
  const bool split = s[3] == 1;
  const int x = step(s[4], direction, kSensitivityMin, kSensitivityMax, wrap);
  const int y = step(s[5], direction, kSensitivityMin, kSensitivityMax, wrap);
  s[4] = static_cast<std::uint8_t>(x);
  s[5] = static_cast<std::uint8_t>(y);
  sealChecksum(s);
  changed();
  // Separate X and Y: X in the low byte, Y in the high byte.
  emitEvent(kSensitivityEvent, static_cast<std::uint16_t>(split ? (x | (y << 8)) : y));
}

void MouseModel::requestOrPlayMacro(int slot) {
  const auto& macro = currentProfile().macros[slot];
  const bool empty = readU16(macro, kMacroCountOffset) == 0;
  // A macro slot whose macro memory is empty asks the host to send it again.
  if (empty && slot >= kFirstRequestableSlot) {
    const int v =
        memory_.currentProfile * kRequestableSlotsPerProfile + (slot - kFirstRequestableSlot) + 1;
    emitEvent(kMacroRequestEvent, static_cast<std::uint16_t>(v));
  }
}

}  // namespace mousesim
