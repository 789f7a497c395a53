#pragma once

// Where every control of the Main page sits, in the page's client pixels
// (the page is 774 x 312). The page builds its controls from these strings and
// the skin art generator draws its sheets from the same strings.
namespace skin::mainpage {

inline constexpr int kWidth = 774;
inline constexpr int kHeight = 312;

inline constexpr const char* kSensitivity = "SENSITIVITY,23,41,266,25,";
inline constexpr const char* kScrollSpeed = "Scroll speed,46,117,240,25,";
inline constexpr const char* kTiltSpeed = "Tilt Speed,23,214,240,25,";
inline constexpr const char* kDoubleClickSpeed = "Double Click speed,156,279,140,20,";
inline constexpr const char* kSensitivitySpin = "Sensitivity,311,34,45,19,";
inline constexpr const char* kNotOnePage = "not one page,13,112,20,20,";
inline constexpr const char* kOnePage = "one page,13,136,190,20,";
inline constexpr const char* kDpiRows[5] = {"DPI,395,64,375,49,", "DPI,395,113,375,49,",
                                            "DPI,395,162,375,49,", "DPI,395,211,375,49,",
                                            "DPI,395,260,375,49,"};
inline constexpr const char* kDoubleClickTest = "Double Click Test,330,277,42,23,";

// Inside a DPI row (375 x 49), as left, top, right, bottom.
namespace dpirow {
struct Box {
  int left, top, right, bottom;
};
inline constexpr int kWidth = 375;
inline constexpr int kHeight = 49;
inline constexpr Box kBar{1, 1, 302, 16};
inline constexpr Box kEnable{12, 18, 26, 32};
inline constexpr Box kLink{360, 16, 370, 32};
inline constexpr Box kSliderX{32, 20, 299, 24};
inline constexpr Box kSliderY{32, 26, 299, 30};
inline constexpr Box kSpinX{313, 8, 357, 25};
inline constexpr Box kSpinY{313, 25, 357, 42};
// Slider range of X and Y, in units of 100 DPI.
inline constexpr int kMinimum = 1;
inline constexpr int kMaximum = 64;
}  // namespace dpirow

}  // namespace skin::mainpage
