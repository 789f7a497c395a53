// The device events the Monitor acts on, and the automatic profile switch.
#include "monitor/MonitorNames.h"
#include "monitor/MonitorWindow.h"
#include "monitor/ProfileSwitchRules.h"
#include "monitor/SoundTable.h"
#include "monitor/TrophyBook.h"
#include "monitor/WindowsMouseApplier.h"
#include "platform/Clock.h"
#include "settings/FunctionCodes.h"

namespace monitor {

settings::Profile* MonitorWindow::currentProfile() {
  const int p = image_->CurrentProfile;
  return settings::isValidProfile(p) ? &image_->Profiles[p] : nullptr;
}

int MonitorWindow::soundVolume() {
  const settings::Profile* profile = currentProfile();
  return profile ? profile->SoundVolume : -1;
}

void MonitorWindow::publish() { s_.share.write(*image_); }

void MonitorWindow::postToConfiguration(platform::UINT message) {
  s_.window.postTo(kOptionTitle, message);
}

void MonitorWindow::applyWindowsMouse() {
  if (settings::Profile* profile = currentProfile())
    WindowsMouseApplier::apply(*profile, s_.desktop);
}

void MonitorWindow::dispatch(DeviceEvent event) {
  lastEvent_ = event.raw;
  switch (event.action()) {
    case EventAction::MouseArrived:
      mouseArrived();
      break;
    case EventAction::MouseRemoved:
      mouseRemoved();
      break;
    case EventAction::HorizontalScroll:
      if (const settings::Profile* profile = currentProfile())
        horizontalScroll_.step(event.value(), profile->TiltSpeed);
      break;
    case EventAction::VolumeFeedback:
      volumeFeedback(event.a());
      break;
    case EventAction::ProfileChanged:
      profileChanged(static_cast<int>(event.value()) - 1);
      break;
    case EventAction::CalibrationResult:
      s_.window.postTo(kCalibrationTitle, msg::kCalibrationResult, 0, event.value());
      break;
    case EventAction::StartProgram:
      startProgram(static_cast<int>(event.a()) - 1);
      break;
    case EventAction::Countdown:
      countdownButton(static_cast<int>(event.a()) - 1);
      break;
    case EventAction::OpenConfiguration:
      s_.window.post(s_.window.self(), platform::WM_COMMAND, msg::kCommandOpenOption, 0);
      break;
    case EventAction::DpiChanged:
      dpiChanged(static_cast<int>(event.value()) - 1);
      break;
    case EventAction::SensitivityChanged:
      sensitivityChanged(event.a(), event.h());
      break;
    case EventAction::PollingRateChanged:
      pollingRateChanged(static_cast<int>(event.value()) - 1);
      break;
    case EventAction::Statistics:
      statistics(event.type(), event.value());
      break;
    case EventAction::Media:
      if (const settings::Profile* profile = currentProfile())
        mediaPlayers_.onMediaFunction(event.a(), event.h(), *profile);
      break;
    case EventAction::UploadColorDatabase:
      worker_->post(WorkerCommand::UploadColorDatabase, 0);
      break;
    case EventAction::ResendMacro:
      worker_->post(WorkerCommand::ResendMacro, static_cast<platform::LPARAM>(event.a()));
      break;
    case EventAction::DualShift:
      if (const settings::ButtonSlot* slot =
              settings::findSlot(*image_, image_->CurrentProfile, static_cast<int>(event.a()) - 1))
        crossDevice_.dualShift(*slot, static_cast<int>(event.h()));
      break;
    case EventAction::None:
      break;
  }
}

void MonitorWindow::mouseArrived() {
  if (plug_ == Plug::Connected) return;
  // Give the mouse time to finish enumerating before talking to it.
  platform::sleep(2000);
  plug_ = Plug::Connected;
  crossDevice_.sendDeviceStatus(true, *image_);
  s_.mouse.openFeature();
  if (!passesFirmwareCheck()) {
    s_.window.post(s_.window.self(), platform::WM_CLOSE, 0, 0);
    return;
  }
  worker_->post(WorkerCommand::ReadEverything, 0);
  updateTray();
  s_.files.saveDeviceConnected(true);
  s_.window.setTimer(timer::kProfileSwitch, timer::kProfileSwitchMs);
}

void MonitorWindow::mouseRemoved() {
  if (plug_ == Plug::Removed) return;
  plug_ = Plug::Removed;
  ++removals_;
  crossDevice_.sendDeviceStatus(false, *image_);
  if (workerBusy_) s_.mouse.requestAbort();
  s_.mouse.closeFeature();
  updateTray();
  s_.window.killTimer(timer::kProfileSwitch);
  s_.files.saveDeviceConnected(false);
  s_.window.postTo(kOptionTitle, platform::WM_CLOSE);
}

void MonitorWindow::profileChanged(int profile) {
  const settings::Profile* before = currentProfile();
  const bool announce = before && before->SoundProfile == 1;
  image_->CurrentProfile = profile;
  s_.files.saveCurrentProfile(profile);
  if (announce && !sounds_.locked()) sounds_.schedule(timer::kSoundProfile);
  publish();
  s_.files.writeWindowsMouseValues(image_->Profiles[profile]);
  applyWindowsMouse();
  postToConfiguration(msg::kProfileChanged);
  crossDevice_.notifyChange();
  crossDevice_.sendSteadyAimNotice(*image_);
}

void MonitorWindow::dpiChanged(int level) {
  settings::Profile* profile = currentProfile();
  if (!profile) return;
  const int oldLevel = profile->Cpi_X;
  const int oldValue =
      oldLevel >= 0 && oldLevel < settings::kCpiLevelCount ? profile->CpiLevel_X[oldLevel] : -1;
  profile->Cpi_X = profile->Cpi_Y = level;
  const int newValue = profile->CpiLevel_X[level];
  if (profile->SoundDpi == 1 && !sounds_.locked() && newValue != oldValue) {
    sounds_.setPendingDpi(newValue);
    sounds_.schedule(timer::kSoundDpi);
  }
  publish();
  postToConfiguration(msg::kSensitivityChanged);
}

void MonitorWindow::sensitivityChanged(unsigned a, unsigned h) {
  settings::Profile* profile = currentProfile();
  if (!profile) return;
  bool stored = false;
  int oldValue = 0;
  if (profile->XYSynchronous == 1) {
    oldValue = profile->Sensitivity_X;
    if (a >= 1 && a <= 11) {
      profile->Sensitivity_X = static_cast<int>(a);
      stored = true;
    }
    if (h != 0 && h <= 11) {
      profile->Sensitivity_Y = static_cast<int>(h);
      stored = true;
    }
  } else {
    oldValue = profile->Sensitivity;
    if (a >= 1 && a <= 11) {
      profile->Sensitivity = static_cast<int>(a);
      stored = true;
    }
  }
  const int value = static_cast<int>(a);
  if (stored && profile->SoundSens == 1 && !sounds_.locked() && value != oldValue)
    sounds_.schedule(value > oldValue ? timer::kSoundSensUp : timer::kSoundSensDown);
  publish();
  postToConfiguration(msg::kSensitivityChanged);
}

void MonitorWindow::pollingRateChanged(int code) {
  settings::Profile* profile = currentProfile();
  if (!profile) return;
  profile->PollingRate = code;
  publish();
  postToConfiguration(msg::kSensitivityChanged);
}

void MonitorWindow::volumeFeedback(unsigned a) {
  const settings::Profile* profile = currentProfile();
  if (!profile || profile->VolumeUpDown != 1 || sounds_.locked()) return;
  sounds_.schedule(a == 1 ? timer::kSoundVolumeUp : timer::kSoundVolumeDown);
}

void MonitorWindow::startProgram(int slot) {
  const settings::ButtonSlot* button = settings::findSlot(*image_, image_->CurrentProfile, slot);
  if (!button || button->FunctionCode != settings::code(settings::FunctionCode::OpenProgram))
    return;
  const std::string_view path = settings::fieldText(button->ProgramPath);
  if (!path.empty()) s_.shell.open(path, "");
}

void MonitorWindow::countdownButton(int slot) {
  const settings::ButtonSlot* button = settings::findSlot(*image_, image_->CurrentProfile, slot);
  if (button) countdown_.onButton(*button, soundVolume());
}

void MonitorWindow::statistics(unsigned type, unsigned value) {
  const TrophyBook::Outcome outcome = TrophyBook::countEvent(image_->InfoData, type, value);
  const settings::Profile* profile = currentProfile();
  if (outcome.awarded != 0 && profile && profile->SoundTrophy == 1 && !sounds_.finalSecondsLock()) {
    sounds_.playTrophy(outcome.everyTrophy ? sound::kEveryTrophy : sound::kTrophy,
                       profile->SoundVolume);
  }
  if (outcome.counted || outcome.awarded != 0) {
    publish();
    s_.files.saveInfoData(image_->InfoData);
    postToConfiguration(msg::kStatisticsChanged);
  }
}

void MonitorWindow::automaticProfileSwitch() {
  // Without a display, on Wayland or for a window without a process the
  // foreground program is unknown: that is no reason to switch.
  const std::optional<std::string> running = s_.foreground.executablePath();
  if (!running) return;
  const bool configurationOpen = s_.window.find(kOptionTitle) != platform::kNoWindow;
  const auto target = ProfileSwitchRules::choose(*image_, *running, configurationOpen);
  if (!target) return;
  const settings::Profile* before = currentProfile();
  const bool announce = before && before->SoundProfile == 1;
  crossDevice_.notifyChange();
  image_->CurrentProfile = target->profile;
  publish();
  // Kept in config.ini too, so that the next start begins where the mouse is.
  s_.files.saveCurrentProfile(target->profile);
  worker_->post(WorkerCommand::WriteCurrentProfile, 0);
  s_.files.writeWindowsMouseValues(image_->Profiles[target->profile]);
  applyWindowsMouse();
  postToConfiguration(msg::kProfileChanged);
  crossDevice_.sendSteadyAimNotice(*image_);
  if (announce && !sounds_.locked()) sounds_.schedule(target->soundTimer);
}

}  // namespace monitor
