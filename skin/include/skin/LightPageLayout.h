#pragma once

// Where every control of the Color page sits, in the page's client pixels
// (774 x 312). The page builds its controls from these strings and the skin
// art generator draws its sheets from the same strings. The mode group has
// zero height: it exists and keeps its state, but is never shown.
namespace skin::lightpage {

inline constexpr const char* kLightSwitch = "Turn light on/off,275,255,100,16,";
inline constexpr const char* kColorForAll = "Select Color for all light,275,285,250,16,";
inline constexpr const char* kModes[3] = {"Use Selected color,535,36,65,0,",
                                          "Random single color,535,54,65,0,",
                                          "Random multi color,535,72,65,0,"};
// In the order of the stored flow 0..5.
inline constexpr const char* kFlows[6] = {"Flow Off,535,225,200,17,",
                                          "All lights simultaneously,535,140,200,17,",
                                          "Flow direction Up,535,157,200,17,",
                                          "Flow direction Down,535,174,200,17,",
                                          "Flow direction Left,535,191,200,17,",
                                          "Flow direction Right,535,208,200,17,"};
// In the order of the stored effect 0..4.
inline constexpr const char* kEffects[5] = {
    "All light Off,638,33,100,17,", "Full lightened,535,33,100,17,", "Blinking,535,50,100,17,",
    "Breathing,638,50,100,17,", "Heartbeat,535,67,100,17,"};
inline constexpr const char* kSpeed = "Effect Speed,678,279,52,20,";
inline constexpr const char* kPreview = "Color Line Window,0,0,248,312,";
inline constexpr int kSwatchCount = 33;
inline constexpr int kSwatchSize = 24;
// Swatch n (0..32): seven per row in four rows from (299,80), 25 pixels
// apart, then five in a fifth row at y 180.
inline constexpr int swatchX(int n) { return 299 + 25 * (n % 7); }
inline constexpr int swatchY(int n) { return n < 28 ? 80 + 25 * (n / 7) : 180; }
inline constexpr int kZoneMarkX = 274;
inline constexpr int kZoneMarkY = 38;
inline constexpr int kZoneMarkSize = 18;

}  // namespace skin::lightpage
