#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "settings/SettingsImage.h"

// Button function codes (slot byte 1) and the names the button page shows.
namespace settings {

enum class FunctionCode : std::uint8_t {
  Disabled = 0,
  Click = 1,
  Menu = 2,
  UniversalScrolling = 3,
  DoubleClick = 4,
  Key = 5,
  Disabled6 = 6,
  IEForward = 7,
  IEBackward = 8,
  TiltLeft = 9,
  TiltRight = 10,
  DpiChange = 11,
  ScrollUp = 13,
  ScrollDown = 14,
  OpenProgram = 15,
  ProfileCycle = 16,
  ProfileUp = 17,
  ProfileDown = 18,
  AssignSensitivity = 19,
  DpiCycle = 20,
  DpiUp = 21,
  DpiDown = 22,
  SensitivityCycle = 23,
  SensitivityUp = 24,
  SensitivityDown = 25,
  WindowsKey = 26,
  OpenDriver = 27,
  OpenPlayer = 32,
  PreviousTrack = 33,
  NextTrack = 34,
  PlayPause = 35,
  Stop = 36,
  WindowsMute = 37,
  WindowsVolumeUp = 38,
  WindowsVolumeDown = 39,
  Macro = 48,
  Timer = 49,
  StopTimer = 50,
  SteadyAim0 = 51,  // 51..55: Steady-Aim at DPI level 0..4
  SteadyAim4 = 55,
  Disabled64 = 64,
  DualShift = 65,
  DualWheelSensitivity = 66,
  DualWheelProfile = 67,
  DualWheelDpi = 68,
  DualWheelVolume = 69,
  DualWheelAltTab = 70,
  DualWheelFlip3D = 71,
  DualShiftPeer = 81,
  DualShiftPeerLock = 82,
  DualShiftAll = 83,
  DualShiftAllLock = 84,
};

inline constexpr std::uint8_t code(FunctionCode c) { return static_cast<std::uint8_t>(c); }

// Modifier bits of a code-5 slot (event 0 byte 1). Bit 0 means "no modifiers".
inline constexpr std::uint8_t kModifierNone = 0x01;
inline constexpr std::uint8_t kModifierShift = 0x02;
inline constexpr std::uint8_t kModifierCtrl = 0x04;
inline constexpr std::uint8_t kModifierAlt = 0x08;
inline constexpr std::uint8_t kModifierWin = 0x10;

// True for the codes of the table; every other code has no function.
bool IsKnownFunctionCode(int code);
// The fixed name of a code; "" for codes named from their slot (5, 15, 48,
// 49, 51..55, 81, 82) and for unknown codes.
std::string_view FunctionCodeFixedName(int code);
// The name the button page shows for a slot of `profile`.
std::string FunctionDisplayName(const ButtonSlot& slot, const Profile& profile);

}  // namespace settings
