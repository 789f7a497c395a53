// What the mouse does when one of its buttons is pressed: the function of
// that slot in the current profile, the event it reports to the host and the
// change to its own state.
#include "device/DeviceEvents.h"
#include "mousesim/MouseModel.h"
#include "settings/FunctionCodes.h"

namespace mousesim {
namespace {

using namespace device;
using settings::FunctionCode;

constexpr std::uint16_t kTiltEvent = event::kHorizontalScroll;
constexpr std::uint16_t kVolumeEvent = event::kVolume;
constexpr std::uint16_t kProfileEvent = event::kProfile;
constexpr std::uint16_t kProgramEvent = event::kStartProgram;
constexpr std::uint16_t kCountdownEvent = event::kCountdownA;
constexpr std::uint16_t kOpenDriverEvent = event::kOpenOption;
constexpr std::uint16_t kDpiEvent = event::kDpi;
constexpr std::uint16_t kSensitivityEvent = event::kSensitivity;
constexpr std::uint16_t kFirstCounterEvent = event::kFirstStatistics;
constexpr std::uint16_t kMediaEvent = event::kMedia;
constexpr std::uint16_t kMacroRequestEvent = event::kResendMacro;
constexpr std::uint16_t kDualShiftEvent = event::kDualShift;

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
  switch (static_cast<FunctionCode>(code)) {
    case FunctionCode::TiltLeft:
      emitEvent(kTiltEvent, 255);
      break;
    case FunctionCode::TiltRight:
      emitEvent(kTiltEvent, 1);
      break;
    case FunctionCode::DpiChange:
    case FunctionCode::DpiCycle:
    case FunctionCode::DualWheelDpi:
      changeDpi(+1, true);
      break;
    case FunctionCode::DpiUp:
      changeDpi(+1, false);
      break;
    case FunctionCode::DpiDown:
      changeDpi(-1, false);
      break;
    case FunctionCode::OpenProgram:
      emitEvent(kProgramEvent, b);
      break;
    case FunctionCode::ProfileCycle:
    case FunctionCode::DualWheelProfile:
      changeProfile(+1, true);
      break;
    case FunctionCode::ProfileUp:
      changeProfile(+1, false);
      break;
    case FunctionCode::ProfileDown:
      changeProfile(-1, false);
      break;
    case FunctionCode::AssignSensitivity:
      changeSensitivity(0, false);
      break;
    case FunctionCode::SensitivityCycle:
      changeSensitivity(+1, true);
      break;
    case FunctionCode::SensitivityUp:
    case FunctionCode::DualWheelSensitivity:
      changeSensitivity(+1, false);
      break;
    case FunctionCode::SensitivityDown:
      changeSensitivity(-1, false);
      break;
    case FunctionCode::OpenDriver:
      emitEvent(kOpenDriverEvent, 1);
      break;
    case FunctionCode::OpenPlayer:
    case FunctionCode::PreviousTrack:
    case FunctionCode::NextTrack:
    case FunctionCode::PlayPause:
    case FunctionCode::Stop:
      emitEvent(kMediaEvent, static_cast<std::uint16_t>(code | 0x100));  // pressed
      emitEvent(kMediaEvent, code);                                      // released
      break;
    case FunctionCode::WindowsVolumeUp:
    case FunctionCode::DualWheelVolume:
      emitEvent(kVolumeEvent, 1);
      break;
    case FunctionCode::WindowsVolumeDown:
      emitEvent(kVolumeEvent, 255);
      break;
    case FunctionCode::Macro:
      requestOrPlayMacro(slot);
      break;
    case FunctionCode::Timer:
    case FunctionCode::StopTimer:
      emitEvent(kCountdownEvent, b);
      break;
    case FunctionCode::DualShiftPeer:
    case FunctionCode::DualShiftPeerLock:
    case FunctionCode::DualShiftAll:
    case FunctionCode::DualShiftAllLock:
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
