#include "option/AdvancedPageModel.h"

#include <algorithm>

#include "settings/SettingsFiles.h"

namespace option {

int pointerSpeedFromPosition(int position) {
  if (position == 1) return 1;
  if (position >= 2 && position <= 11) return (position - 1) * 2;
  return 10;
}

int positionFromPointerSpeed(int speed) {
  if (speed == 0 || speed == 1) return 1;
  if (speed == 2) return 2;
  // 9 and 10 sit in the middle with everything unexpected.
  if (speed >= 3 && speed <= 8) return (speed + 1) / 2 + 1;
  if (speed >= 11 && speed <= 20) return (speed + 1) / 2 + 1;
  return 6;
}

AdvancedPageModel::AdvancedPageModel(settings::SettingsImage& working, std::function<int()> profile,
                                     Hooks hooks)
    : working_(working), profileIndex_(std::move(profile)), hooks_(std::move(hooks)) {}

settings::Profile& AdvancedPageModel::profile() {
  return working_.Profiles[std::clamp(profileIndex_(), 0, settings::kProfileCount - 1)];
}

void AdvancedPageModel::load() {
  const settings::Profile& p = profile();
  view_.check[kSeparateAxes] = p.XYSynchronous != 0;
  view_.check[kSoundDpi] = p.SoundDpi != 0;
  view_.check[kSoundProfile] = p.SoundProfile != 0;
  view_.check[kSoundSensitivity] = p.SoundSens != 0;
  view_.check[kSoundVolumeKeys] = p.VolumeUpDown != 0;
  view_.check[kSoundTrophy] = p.SoundTrophy != 0;
  view_.check[kAcceleration] = p.AccelerationFlag != 0;
  view_.check[kTrails] = p.MouseTrails != 0;
  view_.volume = std::clamp(p.SoundVolume, 0, 4);
  view_.pollingRate = std::clamp(p.PollingRate, 0, 3);
  view_.axisX = std::clamp(p.Sensitivity_X, 1, 11);
  view_.axisY = std::clamp(p.Sensitivity_Y, 1, 11);
  view_.spinX = view_.axisX - 6;
  view_.spinY = view_.axisY - 6;
  view_.pointerSpeed = positionFromPointerSpeed(p.MouseSpeed);
  view_.snapFlag = p.ASnapFlag != 0 ? 1 : 0;
  view_.snap = std::clamp(p.ASnap, 1, 6);
  view_.alignmentFlag = p.SAlignmentFlag != 0 ? 1 : 0;
  view_.alignment = std::clamp(p.SAlignment, 0, 60);
  view_.alignmentSpin = view_.alignment - 30;
  loadDevice();
}

void AdvancedPageModel::loadDevice() {
  view_.liftOff = std::clamp(working_.LiftOnFlag, 0, 3);
  view_.trackControl = working_.TrackControlFlag == 1 ? 1 : 0;
  view_.recalibrate = working_.TrackControlFlag == 1;
}

void AdvancedPageModel::sliderValue(int value, int id) {
  settings::Profile& p = profile();
  switch (id) {
    case kVolumeSlider:
      p.SoundVolume = view_.volume = std::clamp(value, 0, 4);
      break;
    case kAxisXSlider:
      value = std::clamp(value, 1, 11);
      if (value != p.Sensitivity_X) {
        p.Sensitivity_X = view_.axisX = value;
        view_.spinX = value - 6;
      }
      break;
    case kAxisYSlider:
      value = std::clamp(value, 1, 11);
      if (value != p.Sensitivity_Y) {
        p.Sensitivity_Y = view_.axisY = value;
        view_.spinY = value - 6;
      }
      break;
    case kPointerSpeedSlider:
      view_.pointerSpeed = std::clamp(value, 1, 11);
      p.MouseSpeed = pointerSpeedFromPosition(value);
      break;
    case kSnapSlider:
      p.ASnap = view_.snap = std::clamp(value, 1, 6);
      break;
    case kAlignmentSlider:
      p.SAlignment = view_.alignment = std::clamp(value, 0, 60);
      view_.alignmentSpin = view_.alignment - 30;
      break;
    default:
      break;
  }
}

void AdvancedPageModel::spinValue(int value, int id) {
  // The fields echo what the page put into them; only a different number is
  // the user's.
  settings::Profile& p = profile();
  if (id == kSensitivityXSpin) {
    value = std::clamp(value, -5, 5);
    if (value == view_.spinX) return;
    view_.spinX = value;
    if (value + 6 != p.Sensitivity_X) p.Sensitivity_X = view_.axisX = value + 6;
  } else if (id == kAlignmentSpin) {
    value = std::clamp(value, -30, 30);
    if (value == view_.alignmentSpin) return;
    view_.alignmentSpin = value;
    if (value + 30 != p.SAlignment) p.SAlignment = view_.alignment = value + 30;
  }
  // The Y spin reports too; the page leaves the Y value to its slider.
}

void AdvancedPageModel::checkBoxClicked(CheckBox box, bool selected) {
  settings::Profile& p = profile();
  const int on = selected ? 1 : 0;
  switch (box) {
    case kSeparateAxes:
      p.XYSynchronous = on;
      break;
    case kSoundDpi:
      p.SoundDpi = on;
      break;
    case kSoundProfile:
      p.SoundProfile = on;
      break;
    case kSoundSensitivity:
      p.SoundSens = on;
      break;
    case kSoundVolumeKeys:
      p.VolumeUpDown = on;
      break;
    case kSoundTrophy:
      p.SoundTrophy = on;
      break;
    case kAcceleration:
      p.AccelerationFlag = on;
      p.Acceleration = selected ? kAccelerationOn : 0;
      break;
    case kTrails:
      p.MouseTrails = selected ? kTrailsOn : 0;
      break;
    default:
      return;
  }
  view_.check[box] = selected;
}

void AdvancedPageModel::pollingRateClicked(int index) {
  if (index < 0 || index > 3) return;
  profile().PollingRate = view_.pollingRate = index;
}

void AdvancedPageModel::snapClicked(bool on) { profile().ASnapFlag = view_.snapFlag = on ? 1 : 0; }

void AdvancedPageModel::alignmentClicked(bool on) {
  profile().SAlignmentFlag = view_.alignmentFlag = on ? 1 : 0;
}

void AdvancedPageModel::restoreLiftOff(int old) {
  working_.LiftOnFlag = old;
  hooks_.storeDeviceSettings(false);
  hooks_.postToMonitor(kLiftOffMsg, kLiftOffRestored);
}

void AdvancedPageModel::liftOffClicked(int index) {
  if (index < 0 || index > 3 || index == working_.LiftOnFlag) return;
  const int old = working_.LiftOnFlag;
  working_.LiftOnFlag = index;
  if (hooks_.monitorPresent()) {
    // The Monitor sets the new distance from the stored value while the user
    // tries it; anything but two OKs puts the old one back.
    if (!hooks_.storeDeviceSettings(false)) {
      // The mouse never got the new distance: a trial would test the old one.
      restoreLiftOff(old);
    } else if (!hooks_.confirmLiftOff(1) || !hooks_.confirmLiftOff(2)) {
      restoreLiftOff(old);
    } else {
      hooks_.postToMonitor(kLiftOffMsg, kLiftOffConfirmed);
    }
  }
  loadDevice();
}

void AdvancedPageModel::runCalibration(bool fromSfcOn) {
  if (!hooks_.monitorPresent()) return;
  // The Monitor sends tracking control from the shared image on every
  // calibration message, so the run has to find tracking control there;
  // without it the mouse would calibrate with tracking control it never got.
  if (!hooks_.storeDeviceSettings(true)) {
    if (fromSfcOn) {
      working_.TrackControlFlag = 0;
      hooks_.storeDeviceSettings(true);
    }
    loadDevice();
    return;
  }
  loadDevice();
  const bool wizardOk = hooks_.calibrate(fromSfcOn);
  const bool accepted = wizardOk && hooks_.confirmCalibration();
  if (fromSfcOn && !accepted) {
    // Switched on for this calibration and not kept (wizard cancelled, or the
    // result refused or left to time out): the refusal clears the value in
    // the mouse, so tracking control on would calibrate nothing. Handed over
    // before the refusal, or the Monitor would leave it on in the mouse while
    // the page shows it off.
    working_.TrackControlFlag = 0;
    hooks_.storeDeviceSettings(true);
  }
  hooks_.postToMonitor(kCalibrationMsg, accepted ? kCalibrationAccepted : kCalibrationFailed);
}

void AdvancedPageModel::sfcClicked(bool on) {
  if (on) {
    working_.TrackControlFlag = 1;
    runCalibration(true);
  } else {
    working_.TrackControlFlag = 0;
    if (hooks_.monitorPresent()) {
      hooks_.storeDeviceSettings(true);
      hooks_.postToMonitor(kCalibrationMsg, kTrackingOff);
    }
  }
  loadDevice();
}

void AdvancedPageModel::recalibrateClicked() {
  if (working_.TrackControlFlag != 1) return;  // the button is disabled then
  runCalibration(false);
  loadDevice();
}

void AdvancedPageModel::resetImage(settings::SettingsImage& image, int systemLanguage) {
  image.CurrentProfile = 0;
  image.WindowsProfile = -1;
  image.QuickHelpLan = systemLanguage;
  image.LiftOnFlag = 0;
  image.TrackControlFlag = 0;
  image.DisControl = 0;
  for (int i = 0; i < settings::kProfileCount; ++i) settings::ResetProfile(image.Profiles[i], i);
}

void AdvancedPageModel::resetClicked() {
  if (!hooks_.confirmReset()) return;
  resetImage(working_, settings::LanguageIndexFromSystem());
  load();
  hooks_.resetDone();
}

}  // namespace option
