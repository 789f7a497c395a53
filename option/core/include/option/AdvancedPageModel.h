#pragma once

#include <functional>

#include "platform/Types.h"
#include "settings/SettingsImage.h"

// The Advanced page: the pointer values, split X/Y sensitivity, polling rate,
// sound feedback, angle snapping and sensor alignment of the profile being
// shown, and for the whole mouse the lift-off distance and tracking control.
// Profile values go into the working image only (the main window applies
// them); lift-off and tracking control reach the Monitor at once, through the
// hooks the window supplies.
namespace option {

// Pointer-speed slider position 1..11 to the desktop pointer speed 1..20 and
// back; anything unexpected maps to the middle (position 6, speed 10).
int pointerSpeedFromPosition(int position);
int positionFromPointerSpeed(int speed);

class AdvancedPageModel {
 public:
  // Control ids as the page's sliders and spins report them.
  enum Id {
    kVolumeSlider = 200,
    kAxisXSlider = 300,
    kAxisYSlider = 301,
    kPointerSpeedSlider = 302,
    kSnapSlider = 400,
    kAlignmentSlider = 450,
    kSensitivityXSpin = 400,
    kSensitivityYSpin = 401,
    kAlignmentSpin = 600,
  };
  enum CheckBox {
    kSeparateAxes,
    kSoundDpi,
    kSoundProfile,
    kSoundSensitivity,
    kSoundVolumeKeys,
    kSoundTrophy,
    kAcceleration,
    kTrails,
    kCheckBoxCount
  };
  // Messages to the Monitor and their codes.
  static constexpr platform::UINT kLiftOffMsg = platform::WM_USER + 206;      // 1230
  static constexpr platform::UINT kCalibrationMsg = platform::WM_USER + 207;  // 1231
  static constexpr platform::LPARAM kLiftOffStart = 255;
  static constexpr platform::LPARAM kLiftOffConfirmed = 254;
  static constexpr platform::LPARAM kLiftOffRestored = 253;
  static constexpr platform::LPARAM kCalibrationAccepted = 2;
  static constexpr platform::LPARAM kCalibrationFailed = 3;
  static constexpr platform::LPARAM kTrackingOff = 4;
  static constexpr int kAccelerationOn = 8;
  static constexpr int kTrailsOn = 5;

  // What the page needs from the main window, the Monitor and the dialogs.
  struct Hooks {
    // The Monitor's window exists.
    std::function<bool()> monitorPresent;
    // The lift-off and tracking-control values of the working image into the
    // saved image, the shared image and the settings files; false when one
    // of them could not be written. Tracking control only when asked.
    std::function<bool(bool withTracking)> storeDeviceSettings;
    std::function<void(platform::UINT msg, platform::LPARAM code)> postToMonitor;
    // The lift-off confirmation dialogs, stage 1 and 2; true on OK.
    std::function<bool(int stage)> confirmLiftOff;
    // The calibration wizard (true when it ended with OK) and, after it,
    // its second stage (true on OK).
    std::function<bool(bool fromSfcOn)> calibrate;
    std::function<bool()> confirmCalibration;
    // The reset confirmation; true on OK.
    std::function<bool()> confirmReset;
    // After a reset of the working image: reload, refresh, apply with reset.
    std::function<void()> resetDone;
  };

  struct View {
    bool check[kCheckBoxCount] = {};
    int volume = 0;            // 0..4
    int pollingRate = 0;       // 0..3
    int liftOff = 0;           // 0..3
    int trackControl = 0;      // 0..1
    bool recalibrate = false;  // "ReCalibrate" enabled
    int axisX = 6, axisY = 6;  // 1..11
    int spinX = 0, spinY = 0;  // -5..5
    int pointerSpeed = 6;      // slider 1..11
    int snapFlag = 0, snap = 1;
    int alignmentFlag = 0, alignment = 30;  // 0..60
    int alignmentSpin = 0;                  // -30..30
  };

  AdvancedPageModel(settings::SettingsImage& working, std::function<int()> profile, Hooks hooks);

  void load();
  const View& view() const { return view_; }

  void sliderValue(int value, int id);
  void spinValue(int value, int id);
  void checkBoxClicked(CheckBox box, bool selected);
  void pollingRateClicked(int index);
  void snapClicked(bool on);
  void alignmentClicked(bool on);
  void liftOffClicked(int index);
  void sfcClicked(bool on);
  void recalibrateClicked();
  void resetClicked();

  // The factory settings into an image (without the on-screen display block,
  // which lives beside it): globals, five profiles, the system's language.
  static void resetImage(settings::SettingsImage& image, int systemLanguage);

 private:
  settings::Profile& profile();
  void loadDevice();
  void runCalibration(bool fromSfcOn);
  void restoreLiftOff(int old);

  settings::SettingsImage& working_;
  std::function<int()> profileIndex_;
  Hooks hooks_;
  View view_;
};

}  // namespace option
