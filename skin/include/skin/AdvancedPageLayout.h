#pragma once

// Where every control of the Advanced page sits, in the page's client pixels
// (774 x 312). The page builds its controls from these strings and the skin
// art generator draws its sheets from the same strings. Strings of size zero
// are controls that exist without being shown.
namespace skin::advancedpage {

inline constexpr const char* kSeparateAxes = "Enable Advanced Setting,15,92,190,16,";
inline constexpr const char* kSoundDpi = "Sound FeedBack DPi Switch,405,54,117,15,";
inline constexpr const char* kSoundProfile = "Sound FeedBack Profile Switch,405,72,117,15,";
inline constexpr const char* kSoundSensitivity = "Sound FeedBack Sensitivity Switch,405,90,125,15,";
inline constexpr const char* kSoundVolumeKeys = "Sound Volume Up/Down,538,54,135,15,";
inline constexpr const char* kSoundTrophy = "Sound Trophy,538,73,135,15,";
inline constexpr const char* kSoundVolume = "Sound Volume,506,115,102,20,";
inline constexpr const char* kPollingRates[4] = {"125Hz,120,275,60,20,", "250Hz,180,275,60,20,",
                                                 "500Hz,240,275,60,20,", "1000Hz,300,275,70,20,"};
inline constexpr const char* kAcceleration = "Enable mouse acceleration,405,222,180,16,";
inline constexpr const char* kTrails = "Enable mouse Trails,595,222,150,16,";
inline constexpr const char* kReset = "BUTTON_Reset,665,275,100,22,Reset";
// Lift-off distance, in the order of the stored values 0..3.
inline constexpr const char* kLiftOff[4] = {"OFF,13,221,90,20,", "Extra low,224,221,82,20,",
                                            "Low, 173,221,47,20,", "Normal,105,221,64,20,"};
inline constexpr const char* kSfcOff = "SFC OFF,0,0,0,0,";
inline constexpr const char* kSfcOn = "SFC ON,0,0,0,0,";
inline constexpr const char* kRecalibrate = "BUTTON_ReCalibrate,85,168,90,20,Reset";
inline constexpr const char* kAxisX = "X-AXIS,0,0,0,0,";
inline constexpr const char* kAxisY = "Y-AXIS,0,0,0,0,";
inline constexpr const char* kPointerSpeed = "Pointer Speed,414,200,216,21,";
inline constexpr const char* kSensitivityX = "Sensitivity X,0,0,0,0,";
inline constexpr const char* kSensitivityY = "Sensitivity Y,0,0,0,0,";
inline constexpr const char* kSnapOff = "Snap off,53,32,38,20,";
inline constexpr const char* kSnapOn = "Snap on,12,32,41,20,";
inline constexpr const char* kSnapSlider = "Snap Slider,115,29,246,20,";
inline constexpr const char* kAlignmentOff = "SAligment off,274,150,38,20,";
inline constexpr const char* kAlignmentOn = "SAligment on,233,150,41,20,";
inline constexpr const char* kAlignmentSlider = "SAligment Slider,18,125,206,20,";
inline constexpr const char* kAlignmentSpin = "SAligment Spin,237,130,45,16,";

}  // namespace skin::advancedpage
