#include "settings/FunctionCodes.h"

#include "settings/KeyNames.h"

namespace settings {

namespace {

struct CodeName {
  int code;
  std::string_view name;
};

constexpr CodeName kFixedNames[] = {
    {0, "Disabled"},
    {1, "Click"},
    {2, "Menu"},
    {3, "Universal scrolling"},
    {4, "Double-click"},
    {6, "Disabled"},
    {7, "IE Forward"},
    {8, "IE Backward"},
    {9, "Tilt Left"},
    {10, "Tilt Right"},
    {11, "DPI Change"},
    {13, "Scroll Up"},
    {14, "Scroll Down"},
    {16, "Profile Cycle"},
    {17, "Profile Up"},
    {18, "Profile Down"},
    {19, "Assign a sensitivity"},
    {20, "DPI Cycle"},
    {21, "DPI Up"},
    {22, "DPI Down"},
    {23, "Sensitivity Cycle"},
    {24, "Sensitivity Up"},
    {25, "Sensitivity Down"},
    {26, "Windows key"},
    {27, "Open Driver"},
    {32, "Open Player"},
    {33, "Previous Track"},
    {34, "Next Track"},
    {35, "Play/Pause"},
    {36, "Stop"},
    {37, "Windows Mute"},
    {38, "Windows Volume Up"},
    {39, "Windows Volume Down"},
    {50, "Stop Timer"},
    {64, "Disabled"},
    {65, "Dual-Shift[+] Vesk ORB Optical"},
    {66, "Dual-Wheel Sensitivity"},
    {67, "Dual-Wheel Profile"},
    {68, "Dual-Wheel DPI"},
    {69, "Dual-Wheel Volume"},
    {70, "Dual-Wheel Alt-Tab"},
    {71, "Dual-Wheel Aero Flip 3D"},
    {83, "Dual-Shift[+] all devices"},
    {84, "Dual-Shift[+] all Lock"},
};

bool isSlotNamedCode(int c) {
  return c == 5 || c == 15 || c == 48 || c == 49 || (c >= 51 && c <= 55) || c == 81 || c == 82;
}

std::string keyDisplayName(const ButtonSlot& slot) {
  if (slot.EventCount == 0) return {};
  const std::uint8_t modifiers = slot.Events[0].Action;
  std::string name;
  if (!(modifiers & kModifierNone)) {
    if (modifiers & kModifierCtrl) name += "Ctrl+";
    if (modifiers & kModifierShift) name += "Shift+";
    if (modifiers & kModifierAlt) name += "Alt+";
    if (modifiers & kModifierWin) name += "Win+";
  }
  return name + HidUsageName(slot.Events[0].Key);
}

// File name and extension of a path in either separator style.
std::string fileNameOf(std::string_view path) {
  const auto sep = path.find_last_of("\\/");
  return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

}  // namespace

bool IsKnownFunctionCode(int c) {
  if (isSlotNamedCode(c)) return true;
  for (const CodeName& n : kFixedNames)
    if (n.code == c) return true;
  return false;
}

std::string_view FunctionCodeFixedName(int c) {
  for (const CodeName& n : kFixedNames)
    if (n.code == c) return n.name;
  return {};
}

std::string FunctionDisplayName(const ButtonSlot& slot, const Profile& profile) {
  const int c = slot.FunctionCode;
  switch (c) {
    case 5:
      return keyDisplayName(slot);
    case 15:
      return fileNameOf(fieldText(slot.ProgramPath));
    case 48:
      return std::string(fieldText(slot.Name3));
    case 49:
      return std::string(fieldText(slot.TimerName));
    case 81:
      return "Dual-Shift[+] " + std::string(fieldText(slot.Name1));
    case 82:
      return "Dual-Shift[+] " + std::string(fieldText(slot.Name1)) + " Lock";
    default:
      break;
  }
  if (c >= 51 && c <= 55)
    return "Steady-Aim " +
           std::to_string(static_cast<long long>(profile.CpiLevel_X[c - 51]) * 100) + " DPI";
  return std::string(FunctionCodeFixedName(c));
}

}  // namespace settings
