#pragma once

#include <array>
#include <memory>
#include <string>

#include "apply/ApplySession.h"
#include "macros/MacroLibrary.h"
#include "option/LightPalette.h"
#include "platform/Types.h"
#include "settings/DeviceInfoTable.h"
#include "settings/OsdSetting.h"
#include "settings/SettingsFiles.h"

// The Configuration program's main window without its widgets: the working
// and baseline images, the start, the save, the messages of the Monitor, the
// profile strip and the language.
namespace option {

// What the window must show again after the model changed the image.
class MainDialogView {
 public:
  virtual ~MainDialogView() = default;
  // Everything: profile strip, every page, language button.
  virtual void refresh() = 0;
  // After a sensitivity change on the mouse (1257).
  virtual void refreshMainPage() = 0;
  virtual void refreshAdvancedPage() = 0;
  virtual void refreshTrophyPage() = 0;
  virtual void repaintColorIndicators() = 0;
  virtual void firmwareVersionChanged() = 0;
  virtual void showHelpText() = 0;
};

class MainDialogModel {
 public:
  // Messages the window answers.
  static constexpr platform::UINT kMouseRead = 1254;
  static constexpr platform::UINT kProfileChanged = 1255;
  static constexpr platform::UINT kEnableApply = 1256;
  static constexpr platform::UINT kSensitivityChanged = 1257;
  static constexpr platform::UINT kIgnored1258 = 1258;
  static constexpr platform::UINT kStatisticsChanged = 1264;
  static constexpr platform::UINT kPeerListChanged = 1284;
  static constexpr platform::UINT kHelpText = 1125;
  static constexpr platform::UINT kLightChanged = 1134;
  // Sent to the Monitor after the statistics block was written.
  static constexpr platform::UINT kReReadStatistics = 1233;

  struct SlotView {
    bool selected = false;  // the slot the pages show
    bool windowsProfile = false;
    std::string name;
    std::array<Rgb, settings::kLightZoneCount> colors{};
    int colorFlow = 0;  // animation 1..5 to show, 0 none
  };

  MainDialogModel(std::string programFolder, MainDialogView& view);

  // The start: mutex and shared image opened (never created), baseline from
  // the shared image or, without a Monitor, from the settings files; the
  // desktop's mouse values read into the current profile; firmware text,
  // on-screen display block and device list read; the macro library
  // loaded, given every macro the buttons carry, and saved.
  void start();
  bool sharedMemory() const { return session_.sharedMemory(); }

  settings::SettingsImage& working() { return session_.working(); }
  const settings::SettingsImage& baseline() { return session_.baseline(); }

  // The window's messages; each answers 0.
  platform::LRESULT handle(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam);

  apply::ApplySession::Outcome save(apply::ApplySession::Mode mode);

  // The profile the pages show: the current profile, or the nearest valid
  // slot while the image names none.
  int shownProfile() const;
  void selectProfile(int slot);
  // The Windows-profile button of a slot: true when the user must confirm
  // first (then confirmWindowsProfile); the slot that already carries the
  // marker loses it at once.
  bool windowsProfileClicked(int slot);
  void confirmWindowsProfile(int slot);
  // The Trophy page reset the counters: the block goes into both images,
  // the shared image (its other contents stay as the Monitor left them) and
  // config.ini, and the Monitor is told to read it (1233). False when the
  // block could not be stored everywhere it belongs.
  bool resetStatistics(const settings::UsageInfo& block);
  // The lift-off distance (and with withTracking the tracking-control
  // switch) of the working image into the saved image, the shared image
  // (the rest of it as the Monitor left it) and the settings files, for the
  // Monitor to take at once. False when one of them was not written.
  bool storeDeviceSettings(bool withTracking);
  // The factory settings restore the on-screen display block too.
  void restoreOsdDefaults() { osd_ = settings::defaultOsdSetting(); }

  int language() const;         // 0..16, English for values outside
  void setLanguage(int index);  // 0..16 only

  SlotView slot(int index) const;
  const std::string& firmwareText() const { return firmwareText_; }
  const settings::OsdSetting& osdSetting() const { return osd_; }
  const settings::DeviceInfoTable& deviceInfo() const { return *deviceInfo_; }
  const std::string& programFolder() const { return folder_; }
  const macros::MacroLibrary& macroLibrary() const { return macroLibrary_; }

 private:
  void readFirmwareVersion(bool atStart);
  // Shared image into the baseline, change flags cleared; false (nothing
  // changed) without shared image.
  bool takeShared();
  // The working image's button macros into the library, which is saved
  // (merged with what other programs saved meanwhile).
  void synchroniseMacros();

  std::string folder_;
  MainDialogView& view_;
  apply::ApplySession session_;
  settings::SettingsFiles files_;
  std::string firmwareText_ = "N/A";
  settings::OsdSetting osd_{};
  std::unique_ptr<settings::DeviceInfoTable> deviceInfo_;
  macros::MacroLibrary macroLibrary_;
  const settings::SettingsImage* work_;  // the session's working image, for reading
};

}  // namespace option
