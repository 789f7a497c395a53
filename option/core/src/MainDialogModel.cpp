#include "option/MainDialogModel.h"

#include <algorithm>
#include <cstring>

#include "option/Languages.h"
#include "option/VersionText.h"
#include "platform/Window.h"
#include "settings/SharedImage.h"

namespace option {

MainDialogModel::MainDialogModel(std::string programFolder, MainDialogView& view)
    : folder_(std::move(programFolder)),
      view_(view),
      session_(folder_),
      files_(folder_),
      deviceInfo_(std::make_unique<settings::DeviceInfoTable>()),
      work_(&session_.working()) {}

void MainDialogModel::start() {
  readFirmwareVersion(true);
  session_.open();
  files_.ReadOsdSetting(osd_, false);
  files_.ReadDeviceInfo(*deviceInfo_);
  macroLibrary_.load(macros::MacroLibrary::presetFile(folder_));
  synchroniseMacros();
}

void MainDialogModel::synchroniseMacros() {
  macroLibrary_.synchronise(session_.working());
  // Saved even when nothing was pulled in: the save also takes in what other
  // programs saved meanwhile. A failed save keeps the change states, so the
  // next one writes them.
  macroLibrary_.save(macros::MacroLibrary::presetFile(folder_));
}

void MainDialogModel::readFirmwareVersion(bool atStart) {
  firmwareText_ = firmwareVersionText(files_.ReadFirmwareVersion(), atStart);
}

bool MainDialogModel::takeShared() {
  if (!session_.readShared(session_.baseline())) return false;
  settings::clearChangeFlags(session_.baseline());
  return true;
}

platform::LRESULT MainDialogModel::handle(platform::UINT msg, platform::WPARAM, platform::LPARAM) {
  settings::SettingsImage& work = session_.working();
  settings::SettingsImage& base = session_.baseline();
  switch (msg) {
    case kMouseRead:
      readFirmwareVersion(false);
      view_.firmwareVersionChanged();
      if (takeShared()) {
        std::memcpy(&work, &base, sizeof work);
        view_.refresh();
      }
      synchroniseMacros();
      break;
    case kProfileChanged:
      if (takeShared()) {
        std::memcpy(&work, &base, sizeof work);
        view_.refresh();
      }
      break;
    case kSensitivityChanged: {
      if (!takeShared()) break;
      // The mouse changed the values of its current profile: that profile
      // takes them in the working image too, and nothing else does.
      const int p = base.CurrentProfile;
      if (!settings::isValidProfile(p)) break;
      const settings::Profile& from = base.Profiles[p];
      settings::Profile& to = work.Profiles[p];
      to.Sensitivity_X = from.Sensitivity_X;
      to.Sensitivity_Y = from.Sensitivity_Y;
      to.Sensitivity = from.Sensitivity;
      std::memcpy(to.dpi, from.dpi, sizeof to.dpi);
      to.Cpi_X = from.Cpi_X;
      to.Cpi_Y = from.Cpi_Y;
      std::memcpy(to.CpiLevel_X, from.CpiLevel_X, sizeof to.CpiLevel_X);
      std::memcpy(to.CpiLevel_Y, from.CpiLevel_Y, sizeof to.CpiLevel_Y);
      to.PollingRate = from.PollingRate;
      view_.refreshMainPage();
      if (to.XYSynchronous == 1) view_.refreshAdvancedPage();
      break;
    }
    case kStatisticsChanged:
      if (takeShared()) {
        work.InfoData = base.InfoData;
        view_.refreshTrophyPage();
      }
      break;
    case kPeerListChanged:
      files_.ReadDeviceInfo(*deviceInfo_);
      break;
    case kHelpText:
      view_.showHelpText();
      break;
    case kLightChanged:
      view_.repaintColorIndicators();
      break;
    default:
      break;
  }
  return 0;
}

apply::ApplySession::Outcome MainDialogModel::save(apply::ApplySession::Mode mode) {
  return session_.save(mode);
}

int MainDialogModel::shownProfile() const {
  return std::clamp(work_->CurrentProfile, 0, settings::kProfileCount - 1);
}

void MainDialogModel::selectProfile(int slot) {
  if (!settings::isValidProfile(slot)) return;
  session_.working().CurrentProfile = slot;
  view_.refresh();
}

bool MainDialogModel::windowsProfileClicked(int slot) {
  if (!settings::isValidProfile(slot)) return false;
  settings::SettingsImage& work = session_.working();
  if (work.WindowsProfile == slot) {
    work.WindowsProfile = -1;
    view_.refresh();
    return false;
  }
  return true;
}

void MainDialogModel::confirmWindowsProfile(int slot) {
  if (!settings::isValidProfile(slot)) return;
  session_.working().WindowsProfile = slot;
  view_.refresh();
}

bool MainDialogModel::resetStatistics(const settings::UsageInfo& block) {
  session_.working().InfoData = block;
  session_.baseline().InfoData = block;
  bool stored = files_.SaveInfoData(block);
  if (session_.sharedMemory()) {
    // Only the statistics change: a profile or setting the Monitor stored
    // since this window last read the shared image must not be rolled back.
    stored = session_.updateShared([&](settings::SettingsImage& shared) {
      shared.InfoData = block;
    }) && stored;
  }
  const platform::HWND monitor = platform::FindWindow(apply::kMonitorTitle);
  if (monitor != platform::kNoWindow) platform::SendMessage(monitor, kReReadStatistics, 0, 0);
  return stored;
}

bool MainDialogModel::storeDeviceSettings(bool withTracking) {
  const settings::SettingsImage& work = session_.working();
  settings::SettingsImage& saved = session_.baseline();
  saved.LiftOnFlag = work.LiftOnFlag;
  if (withTracking) saved.TrackControlFlag = work.TrackControlFlag;
  bool stored = files_.SaveAll(saved);
  if (session_.sharedMemory()) {
    // Only these two values: whatever the Monitor stored meanwhile stays.
    stored = session_.updateShared([&](settings::SettingsImage& shared) {
      shared.LiftOnFlag = saved.LiftOnFlag;
      if (withTracking) shared.TrackControlFlag = saved.TrackControlFlag;
    }) && stored;
  }
  return stored;
}

int MainDialogModel::language() const { return shownLanguage(work_->QuickHelpLan); }

void MainDialogModel::setLanguage(int index) {
  if (index < 0 || index >= kLanguageCount) return;
  session_.working().QuickHelpLan = index;
}

MainDialogModel::SlotView MainDialogModel::slot(int index) const {
  SlotView v;
  if (!settings::isValidProfile(index)) return v;
  const settings::SettingsImage& work = *work_;
  const settings::Profile& p = work.Profiles[index];
  // While the image names no valid slot, the slot the pages show is marked.
  v.selected = shownProfile() == index;
  v.windowsProfile = work.WindowsProfile == index;
  v.name = std::string(settings::fieldText(p.ProFileName));
  for (int z = 0; z < settings::kLightZoneCount; ++z)
    v.colors[static_cast<std::size_t>(z)] = zoneScreenColor(p, z);
  if (p.LightColorFlow >= 1 && p.LightColorFlow <= 5 && p.LightEffectType != 0)
    v.colorFlow = p.LightColorFlow;
  return v;
}

}  // namespace option
