#pragma once

// Where every control of the Button Assign page sits, in the page's client
// pixels (774 x 312). The page builds its controls from these strings and the
// skin art generator draws its sheets from the same strings.
namespace skin::buttonpage {

// Bars of slots 1..24: the normal layer on the left, the Dual-Shift layer on
// the right (the name is descriptive only; the fourteenth reads "B4").
inline constexpr const char* kBars[24] = {
    "B1,33,40,158,17,",    "B2,33,59,158,17,",    "B3,33,78,158,17,",    "B4,33,97,158,17,",
    "B5,33,116,158,17,",   "B6,33,135,158,17,",   "B7,33,154,158,17,",   "B8,33,173,158,17,",
    "B9,33,192,158,17,",   "B10,33,211,158,17,",  "B11,33,230,158,17,",  "B12,33,249,158,17,",
    "B13,424,40,158,17,",  "B4,424,59,158,17,",   "B15,424,78,158,17,",  "B16,424,97,158,17,",
    "B17,424,116,158,17,", "B18,424,135,158,17,", "B19,424,154,158,17,", "B20,424,173,158,17,",
    "B21,424,192,158,17,", "B22,424,211,158,17,", "B23,424,230,158,17,", "B24,424,249,158,17,"};
inline constexpr int kBarWidth = 158;
inline constexpr int kBarHeight = 17;
// The orientation group: exists without being shown.
inline constexpr const char* kRightHanded = "right,166,278,100,0,";
inline constexpr const char* kLeftHanded = "Left,270,278,100,0,";
inline constexpr const char* kMacroManager = "Macro Manager,324,286,126,24,";

}  // namespace skin::buttonpage
