#include "apply/ApplySession.h"

#include <cstring>

#include "platform/Window.h"
#include "settings/SharedImage.h"

namespace apply {
namespace {

template <typename T>
bool differs(const T& a, const T& b) {
  return std::memcmp(&a, &b, sizeof(T)) != 0;
}

// The fields whose change makes the profile's settings report go out.
bool profileSettingsDiffer(const settings::Profile& w, const settings::Profile& b) {
  return w.HDDKeyboard != b.HDDKeyboard || w.Orientation != b.Orientation ||
         w.XYSynchronous != b.XYSynchronous || w.Sensitivity_X != b.Sensitivity_X ||
         w.Sensitivity_Y != b.Sensitivity_Y || w.Sensitivity != b.Sensitivity ||
         differs(w.dpi, b.dpi) || w.Cpi_X != b.Cpi_X || w.Cpi_Y != b.Cpi_Y ||
         differs(w.XYCpiFlag, b.XYCpiFlag) || differs(w.CpiLevel_X, b.CpiLevel_X) ||
         differs(w.CpiLevel_Y, b.CpiLevel_Y) || w.PollingRate != b.PollingRate ||
         w.LightOnFlag != b.LightOnFlag || w.LightEffectMode != b.LightEffectMode ||
         w.LightColorFlow != b.LightColorFlow || w.LightEffectType != b.LightEffectType ||
         w.LightEffectSpeed != b.LightEffectSpeed || w.ASnapFlag != b.ASnapFlag ||
         w.ASnap != b.ASnap || w.SAlignmentFlag != b.SAlignmentFlag ||
         w.SAlignment != b.SAlignment || differs(w.LightInfo, b.LightInfo);
}

}  // namespace

ApplySession::ApplySession(std::string programFolder)
    : files_(std::move(programFolder)),
      working_(std::make_unique<settings::SettingsImage>()),
      baseline_(std::make_unique<settings::SettingsImage>()) {}

ApplySession::~ApplySession() = default;

void ApplySession::open() {
  mutex_ = platform::NamedMutex::open(settings::kImageMutexName);
  memory_ = platform::SharedMemory::open(settings::kSharedImageName, settings::kImageSize);
  bool fromShared = false;
  bool loaded = false;
  if (memory_ && mutex_) {
    // A record torn by a writer that died is not trusted: the settings files
    // stand in for it, and take its place so the next reader finds it whole.
    const auto fromFiles = [this, &loaded](settings::SettingsImage& record) {
      files_.LoadAll(record);
      settings::clearChangeFlags(record);
      loaded = true;
      return true;
    };
    fromShared = settings::readSharedImageChecked(*memory_, *mutex_, *baseline_, fromFiles) ==
                 settings::SharedRead::Copied;
  }
  if (fromShared)
    settings::clearChangeFlags(*baseline_);
  else if (!loaded)
    files_.LoadAll(*baseline_);
  std::memcpy(working_.get(), baseline_.get(), sizeof(settings::SettingsImage));
  // The desktop's mouse values are the truth for the active profile.
  if (fromShared && settings::isValidProfile(working_->CurrentProfile))
    settings::ReadWindowsMouseValues(working_->Profiles[working_->CurrentProfile]);
}

bool ApplySession::readShared(settings::SettingsImage& into) {
  return memory_ && mutex_ && settings::readSharedImage(*memory_, *mutex_, into);
}

bool ApplySession::writeShared(const settings::SettingsImage& from) {
  return memory_ && mutex_ && settings::writeSharedImage(*memory_, *mutex_, from);
}

bool ApplySession::updateShared(const std::function<void(settings::SettingsImage&)>& change) {
  return memory_ && mutex_ && settings::updateSharedImage(*memory_, *mutex_, change);
}

void ApplySession::computeChangeFlags(settings::SettingsImage& working,
                                      const settings::SettingsImage& baseline) {
  for (int p = 0; p < settings::kProfileCount; ++p)
    working.ProfileChanged[p] =
        profileSettingsDiffer(working.Profiles[p], baseline.Profiles[p]) ? 1 : 0;
  working.CurrentProfileChanged = working.CurrentProfile != baseline.CurrentProfile ? 1 : 0;
  working.TrackingChanged = working.LiftOnFlag != baseline.LiftOnFlag ||
                                    working.TrackControlFlag != baseline.TrackControlFlag
                                ? 1
                                : 0;
}

const char* ApplySession::describe(Result result) {
  switch (result) {
    case Result::Applied:
      return "applied through the Monitor";
    case Result::SavedToFiles:
      return "saved to the settings files (the Monitor is not running)";
    case Result::MouseNotUpdated:
      return "saved, but the mouse did not take the change (not connected, or a write failed)";
    case Result::SharedImageNotWritten:
      return "saved to the settings files, but the Monitor's shared image could not be written, "
             "so the mouse was not changed";
    case Result::MonitorNoAnswer:
      return "saved to the settings files, but the Monitor did not answer, so the mouse may not "
             "have been changed";
  }
  return "";
}

ApplySession::Outcome ApplySession::save(Mode mode) {
  Outcome outcome;
  computeChangeFlags(*working_, *baseline_);
  outcome.sharedWritten = writeShared(*working_);
  outcome.filesSaved = files_.SaveAll(*working_);
  const platform::HWND monitor = platform::FindWindow(kMonitorTitle);
  if (monitor == platform::kNoWindow) {
    outcome.result = Result::SavedToFiles;
  } else if (!outcome.sharedWritten) {
    outcome.result = Result::SharedImageNotWritten;
  } else {
    const auto answer = platform::SendMessageChecked(monitor, kApplyMessage,
                                                     static_cast<platform::WPARAM>(mode), 0);
    outcome.monitorAnswered = answer.has_value();
    outcome.result = !answer                         ? Result::MonitorNoAnswer
                     : *answer == kApplyReachedMouse ? Result::Applied
                                                     : Result::MouseNotUpdated;
  }
  settings::clearChangeFlags(*working_);
  std::memcpy(baseline_.get(), working_.get(), sizeof(settings::SettingsImage));
  return outcome;
}

}  // namespace apply
