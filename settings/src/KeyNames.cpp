#include "settings/KeyNames.h"

#include <array>
#include <string_view>

namespace settings {

namespace {

constexpr std::array<std::string_view, 5> kMouseButtonNames = {
    "Left Button", "Right Button", "Wheel", "Side Button 1", "Side Button 2"};

struct NamedCode {
  int code;
  std::string_view name;
};

constexpr NamedCode kVirtualKeys[] = {
    {8, "BackSpace"},
    {9, "Tab"},
    {12, "Clr"},
    {13, "Enter"},
    {16, "Shift"},
    {17, "Ctrl"},
    {18, "Alt"},
    {19, "Pause"},
    {20, "Caps Lock"},
    {27, "Esc"},
    {32, "Space"},
    {33, "Page Up"},
    {34, "Page Down"},
    {35, "End"},
    {36, "Home"},
    {37, "Left Arrow"},
    {38, "Up Arrow"},
    {39, "Right Arrow"},
    {40, "Down Arrow"},
    {41, "Select"},
    {42, "Print Screen"},
    {43, "Exe"},
    {44, "Snapshot"},
    {45, "Insert"},
    {46, "Delete"},
    {47, "Help"},
    {91, "Left Windows Button"},
    {92, "Right Windows Button"},
    {93, "APP"},
    {106, "Num*"},
    {107, "Num+"},
    {108, "NumRet"},
    {109, "Num-"},
    {110, "Num."},
    {111, "Num/"},
    {144, "Num Lock"},
    {145, "Scroll Lock"},
    {160, "Left Shift"},
    {161, "Right Shift"},
    {162, "Left Ctrl"},
    {163, "Right Ctrl"},
    {164, "Left Alt"},
    {165, "Right Alt"},
};

// The unshifted character of a US layout for the keys that give one.
char usLayoutCharacter(int code) {
  if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z')) return static_cast<char>(code);
  switch (code) {
    case 0xBA:
      return ';';
    case 0xBB:
      return '=';
    case 0xBC:
      return ',';
    case 0xBD:
      return '-';
    case 0xBE:
      return '.';
    case 0xBF:
      return '/';
    case 0xC0:
      return '`';
    case 0xDB:
      return '[';
    case 0xDC:
      return '\\';
    case 0xDD:
      return ']';
    case 0xDE:
      return '\'';
    case 0xE2:
      return '\\';
    default:
      return 0;
  }
}

constexpr std::string_view kHidSymbols1[] = {"-", "=", "[", "]", "\\"};      // 45..49
constexpr std::string_view kHidSymbols2[] = {";", "'", "`", ",", ".", "/"};  // 51..56
constexpr std::string_view kHidNav[] = {"Print Screen", "Scroll Lock", "Break",      "Insert",
                                        "Home",         "Page Up",     "Delete",     "End",
                                        "Page Down",    "Right Arrow", "Left Arrow", "Down Arrow",
                                        "Up Arrow"};  // 70..82
constexpr std::string_view kHidKeypad[] = {"Num_/", "Num_*", "Num_-", "Num_+",
                                           "Num_Enter"};  // 84..88
constexpr std::string_view kHidModifiers[] = {"Left Control", "Left Shift",    "Left Alt",
                                              "Left GUI",     "Right Control", "Right Shift",
                                              "Right Alt",    "Right GUI"};  // 224..231
constexpr std::string_view kHidEditing[] = {"Enter", "Esc", "BackSpace", "Tab", "Space"};  // 40..44

}  // namespace

std::string VirtualKeyName(int code) {
  if (code >= 240 && code <= 244) return std::string(kMouseButtonNames[code - 240]);
  if (code >= 96 && code <= 105) return "Num" + std::to_string(code - 96);
  if (code >= 112 && code <= 123) return "F" + std::to_string(code - 111);
  for (const NamedCode& k : kVirtualKeys)
    if (k.code == code) return std::string(k.name);
  const char c = usLayoutCharacter(code);
  return c ? std::string(1, c) : std::string();
}

std::string HidUsageName(int code) {
  if (code >= 4 && code <= 29) return std::string(1, static_cast<char>('A' + code - 4));
  if (code >= 30 && code <= 38) return std::string(1, static_cast<char>('1' + code - 30));
  if (code == 39) return "0";
  if (code >= 40 && code <= 44) return std::string(kHidEditing[code - 40]);
  if (code >= 45 && code <= 49) return std::string(kHidSymbols1[code - 45]);
  if (code == 50) return "Europe 1";
  if (code >= 51 && code <= 56) return std::string(kHidSymbols2[code - 51]);
  if (code == 57) return "Caps Lock";
  if (code >= 58 && code <= 69) return "F" + std::to_string(code - 57);
  if (code >= 70 && code <= 82) return std::string(kHidNav[code - 70]);
  if (code == 83) return "Num Lock";
  if (code >= 84 && code <= 88) return std::string(kHidKeypad[code - 84]);
  if (code >= 89 && code <= 97) return "Num_" + std::to_string(code - 88);
  if (code == 98) return "Num_0";
  if (code == 99) return "Num_.";
  if (code == 100) return "Europe 2";
  if (code == 101) return "APP";
  if (code == 130) return "Sleep";
  if (code >= 224 && code <= 231) return std::string(kHidModifiers[code - 224]);
  if (code >= 240 && code <= 244) return std::string(kMouseButtonNames[code - 240]);
  return {};
}

}  // namespace settings
