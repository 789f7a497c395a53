#pragma once

#include <string>

// Key codes as macros store them: USB HID keyboard usages (page 07h), and
// F0h..F4h for the five mouse buttons. The recorder and the timeline take a
// key by its physical position, so a macro recorded on one keyboard layout
// presses the same keys on any other.
namespace macros {

inline constexpr int kMouseLeftUsage = 0xF0;
inline constexpr int kMouseLastUsage = 0xF4;
inline constexpr int kNoUsage = -1;

inline bool isMouseUsage(int usage) { return usage >= kMouseLeftUsage && usage <= kMouseLastUsage; }

// The usage of a Windows virtual-key code (the 109 keys macros can hold,
// mouse buttons included); kNoUsage for any other code.
int usageFromVirtualKey(int virtualKey);
// The usage of a key by its Linux input code (an X keycode minus 8), which
// names the physical key whatever the layout; kNoUsage for keys macros
// cannot hold.
int usageFromLinuxKeyCode(int keyCode);
// The usage whose display name is `name` (case-insensitive); kNoUsage when
// no key of the table has it.
int usageFromName(const std::string& name);
// "Left Control", "A", "Left Button", ...; "" for codes without a name.
std::string usageName(int usage);

}  // namespace macros
