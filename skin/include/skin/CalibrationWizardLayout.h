#pragma once

// Where the controls of the sensor calibration wizard and of its 15-second
// confirmation sit, in client pixels. The wizard and the skin art generator
// both build from these strings.
namespace skin::calibration {

// The wizard (525 x 360): close, cancel and the three step indicators.
inline constexpr int kWizardWidth = 525;
inline constexpr int kWizardHeight = 360;
inline constexpr const char* kExit = "Exit,496,4,25,22,";
inline constexpr const char* kCancel = "Cancel,15,322,95,24,";
inline constexpr const char* kSteps[3] = {"Step First,40,90,115,30,", "Step Second,185,90,100,30,",
                                          "Step Finish,305,90,60,30,"};

// The four panels (440 x 180) lie at one place on the wizard; one shows at a time.
inline constexpr int kPanelLeft = 42;
inline constexpr int kPanelTop = 130;
inline constexpr int kPanelWidth = 440;
inline constexpr int kPanelHeight = 180;
inline constexpr const char* kStart = "Start,27,132,187,28,";
inline constexpr const char* kProgressBar = "Progress bar,233,55,128,15,";
inline constexpr const char* kRetry = "Retry Calibration,235,133,185,28,";
inline constexpr const char* kContinue = "Continue,235,133,185,28,";
// The sensor picture, stretched into this rectangle of the progress, retry
// and success panels: left, top, right, bottom.
inline constexpr int kPicture[4] = {60, 25, 185, 150};

// The confirmation (360 x 272).
inline constexpr int kConfirmWidth = 360;
inline constexpr int kConfirmHeight = 272;
inline constexpr const char* kAccept = "Accept,157,239,140,23,";
inline constexpr const char* kConfirmCancel = "Cancel,54,239,93,23,";
inline constexpr const char* kConfirmExit = "Exit,332,4,25,21,";
// The bar of the seconds left, under the "%d sec" text.
inline constexpr const char* kConfirmBar = "Confirm bar,54,140,243,12,";

}  // namespace skin::calibration
