#pragma once

#include <string>

// Names of key codes as the button, macro and key-combination pages show
// them. Both return "" for a code they do not know.
namespace settings {

// Windows virtual-key code. Codes without a name of their own are named by
// the character the key gives on a US layout with no modifier held.
std::string VirtualKeyName(int code);
// USB HID keyboard usage (the codes of key-type button slots and macro
// events); 240..244 are the five mouse buttons.
std::string HidUsageName(int code);

}  // namespace settings
