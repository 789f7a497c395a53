#pragma once

#include <string>

// The version texts in the main window's header.
namespace option {

inline constexpr const char* kSoftwareVersion = "1.06";

// The firmware number the Monitor stored ("FWVersion"), 105 -> "1.05": the
// number in decimal with a point after its first digit. Below 100 there is no
// firmware to speak of ("N/A"); at start a number above 500 is taken for a
// stale or foreign value ("N/A") until the Monitor has read the mouse.
std::string firmwareVersionText(int version, bool atStart);

}  // namespace option
