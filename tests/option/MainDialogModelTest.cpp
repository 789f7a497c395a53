#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include "macros/MacroLibrary.h"
#include "option/MainDialogModel.h"
#include "platform/NamedMutex.h"
#include "platform/SharedMemory.h"
#include "platform/Window.h"
#include "settings/SharedImage.h"

namespace option {
namespace {

struct RecordingView : MainDialogView {
  void refresh() override { ++refreshes; }
  void refreshMainPage() override { ++mainRefreshes; }
  void refreshAdvancedPage() override { ++advancedRefreshes; }
  void refreshTrophyPage() override { ++trophyRefreshes; }
  void repaintColorIndicators() override { ++indicatorRepaints; }
  void firmwareVersionChanged() override { ++firmwareChanges; }
  void showHelpText() override { ++helpTexts; }
  int refreshes = 0, mainRefreshes = 0, advancedRefreshes = 0, trophyRefreshes = 0,
      indicatorRepaints = 0, firmwareChanges = 0, helpTexts = 0;
};

class MainDialogModelTest : public ::testing::Test {
 protected:
  MainDialogModelTest() {
    char pattern[] = "/tmp/vesk-option-XXXXXX";
    root_ = ::mkdtemp(pattern);
    folder_ = root_ + "/suite/";
    std::filesystem::create_directories(folder_);
    ::setenv("XDG_RUNTIME_DIR", (root_ + "/run").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (root_ + "/config").c_str(), 1);
    std::filesystem::create_directories(root_ + "/run");
    std::filesystem::permissions(root_ + "/run", std::filesystem::perms::owner_all);
  }
  ~MainDialogModelTest() override {
    monitorWindow_.reset();
    memory_.reset();
    mutex_.reset();
    std::filesystem::remove_all(root_);
  }

  // What the Monitor has: the mutex, the shared image and its window, which
  // records every apply with the change flags it found.
  void startMonitor(int currentProfile = 0) {
    mutex_ = platform::NamedMutex::create(settings::kImageMutexName);
    memory_ = platform::SharedMemory::create(settings::kSharedImageName, settings::kImageSize);
    ASSERT_TRUE(mutex_ && memory_);
    auto image = std::make_unique<settings::SettingsImage>();
    settings::SettingsFiles(folder_).LoadAll(*image);
    image->CurrentProfile = currentProfile;
    image->ProfileChanged[3] = 1;  // a flag the Monitor left behind
    writeShared(*image);
    const platform::HWND hwnd =
        platform::CreateWindow(apply::kMonitorTitle,
                               [this](platform::HWND, platform::UINT msg, platform::WPARAM wParam,
                                      platform::LPARAM) -> platform::LRESULT {
                                 if (msg == apply::kApplyMessage) {
                                   auto seen = std::make_unique<settings::SettingsImage>();
                                   readShared(*seen);
                                   applies.push_back({static_cast<int>(wParam), std::move(seen)});
                                 }
                                 return 0;
                               });
    ASSERT_NE(hwnd, platform::kNoWindow);
    monitorWindow_ = std::make_unique<Window>(hwnd);
  }
  void readShared(settings::SettingsImage& into) {
    ASSERT_TRUE(settings::readSharedImage(*memory_, *mutex_, into));
  }
  void writeShared(const settings::SettingsImage& from) {
    ASSERT_TRUE(settings::writeSharedImage(*memory_, *mutex_, from));
  }
  std::unique_ptr<settings::SettingsImage> shared() {
    auto image = std::make_unique<settings::SettingsImage>();
    readShared(*image);
    return image;
  }
  std::unique_ptr<settings::SettingsImage> files() {
    auto image = std::make_unique<settings::SettingsImage>();
    settings::SettingsFiles(folder_).LoadAll(*image);
    return image;
  }

  struct Window {
    explicit Window(platform::HWND h) : hwnd(h) {}
    ~Window() { platform::DestroyWindow(hwnd); }
    platform::HWND hwnd;
  };
  struct Apply {
    int mode;
    std::unique_ptr<settings::SettingsImage> image;
  };

  std::string root_, folder_;
  std::unique_ptr<platform::NamedMutex> mutex_;
  std::unique_ptr<platform::SharedMemory> memory_;
  std::unique_ptr<Window> monitorWindow_;
  std::vector<Apply> applies;
  RecordingView view;
};

TEST_F(MainDialogModelTest, WithoutMonitorTheProgramEditsTheSettingsFiles) {
  MainDialogModel model(folder_, view);
  model.start();
  EXPECT_FALSE(model.sharedMemory());
  model.selectProfile(3);
  model.working().Profiles[3].CpiLevel_X[1] = 17;
  const auto outcome = model.save(apply::ApplySession::Mode::Apply);
  EXPECT_TRUE(outcome.filesSaved);
  EXPECT_EQ(outcome.result, apply::ApplySession::Result::SavedToFiles);
  const auto saved = files();
  EXPECT_EQ(saved->CurrentProfile, 3);
  EXPECT_EQ(saved->Profiles[3].CpiLevel_X[1], 17);
  EXPECT_FALSE(settings::anyChangeFlag(model.working()));
  EXPECT_EQ(std::memcmp(&model.working(), &model.baseline(), sizeof(settings::SettingsImage)), 0);
}

TEST_F(MainDialogModelTest, ApplySendsTheChangeFlagsThroughTheSharedImageThenClearsThem) {
  startMonitor(0);
  MainDialogModel model(folder_, view);
  model.start();
  ASSERT_TRUE(model.sharedMemory());
  EXPECT_FALSE(settings::anyChangeFlag(model.baseline()));  // left-over flag cleared

  model.selectProfile(1);
  model.working().Profiles[1].Cpi_X = 3;
  model.save(apply::ApplySession::Mode::Apply);
  ASSERT_EQ(applies.size(), 1u);
  const settings::SettingsImage& seen = *applies[0].image;
  EXPECT_EQ(applies[0].mode, 0);
  EXPECT_EQ(seen.CurrentProfile, 1);
  EXPECT_EQ(seen.CurrentProfileChanged, 1);
  EXPECT_EQ(seen.ProfileChanged[1], 1);
  EXPECT_EQ(seen.ProfileChanged[3], 0);
  EXPECT_EQ(files()->Profiles[1].Cpi_X, 3);
  EXPECT_FALSE(settings::anyChangeFlag(model.working()));

  // Apply with no edits still writes everything and asks with no flags set.
  std::filesystem::remove(folder_ + "config.ini");
  model.save(apply::ApplySession::Mode::Apply);
  ASSERT_EQ(applies.size(), 2u);
  EXPECT_FALSE(settings::anyChangeFlag(*applies[1].image));
  EXPECT_TRUE(std::filesystem::exists(folder_ + "config.ini"));
}

TEST_F(MainDialogModelTest, UnsavedSelectionLeavesSharedImageAndFilesAlone) {
  startMonitor(0);
  settings::SettingsFiles(folder_).SaveAll(*shared());
  const auto sharedBefore = shared();
  const auto filesBefore = files();
  {
    MainDialogModel model(folder_, view);
    model.start();
    model.selectProfile(4);
    model.working().Profiles[4].Sensitivity = 2;
    EXPECT_TRUE(model.windowsProfileClicked(2));
    model.confirmWindowsProfile(2);
  }  // closed without saving
  EXPECT_EQ(std::memcmp(shared().get(), sharedBefore.get(), sizeof(settings::SettingsImage)), 0);
  EXPECT_EQ(std::memcmp(files().get(), filesBefore.get(), sizeof(settings::SettingsImage)), 0);
  EXPECT_TRUE(applies.empty());
}

TEST_F(MainDialogModelTest, AProfileTheMouseChoseSurvivesTheNextApply) {
  startMonitor(0);
  MainDialogModel model(folder_, view);
  model.start();
  auto image = shared();
  image->CurrentProfile = 2;  // the mouse's profile button
  writeShared(*image);
  model.handle(MainDialogModel::kProfileChanged, 0, 0);
  EXPECT_EQ(model.working().CurrentProfile, 2);
  EXPECT_GE(view.refreshes, 1);

  model.working().Profiles[2].TiltSpeed = 9;
  model.save(apply::ApplySession::Mode::Apply);
  ASSERT_EQ(applies.size(), 1u);
  EXPECT_EQ(applies[0].image->CurrentProfile, 2);
  EXPECT_EQ(applies[0].image->CurrentProfileChanged, 0);
  EXPECT_EQ(files()->CurrentProfile, 2);
}

TEST_F(MainDialogModelTest, SensitivityFromTheMouseReplacesOnlyItsOwnFieldsOfItsProfile) {
  startMonitor(1);
  MainDialogModel model(folder_, view);
  model.start();
  model.working().Profiles[1].ScrollWheelSpeed = 9;  // an edit not yet saved
  model.working().Profiles[0].Cpi_X = 4;             // another profile
  auto image = shared();
  image->Profiles[1].Cpi_X = 2;
  image->Profiles[1].CpiLevel_X[2] = 40;
  image->Profiles[1].PollingRate = 3;
  image->Profiles[1].ScrollWheelSpeed = 1;
  image->Profiles[1].XYSynchronous = 1;
  writeShared(*image);
  model.working().Profiles[1].XYSynchronous = 1;
  model.handle(MainDialogModel::kSensitivityChanged, 0, 0);
  const settings::Profile& p = model.working().Profiles[1];
  EXPECT_EQ(p.Cpi_X, 2);
  EXPECT_EQ(p.CpiLevel_X[2], 40);
  EXPECT_EQ(p.PollingRate, 3);
  EXPECT_EQ(p.ScrollWheelSpeed, 9);
  EXPECT_EQ(model.working().Profiles[0].Cpi_X, 4);
  EXPECT_EQ(view.mainRefreshes, 1);
  EXPECT_EQ(view.advancedRefreshes, 1);
}

TEST_F(MainDialogModelTest, FirmwareTextFollowsTheMonitorsReading) {
  settings::SettingsFiles(folder_).SaveFirmwareVersion(600);
  startMonitor(0);
  MainDialogModel model(folder_, view);
  model.start();
  EXPECT_EQ(model.firmwareText(), "N/A");
  model.handle(MainDialogModel::kMouseRead, 0, 0);
  EXPECT_EQ(model.firmwareText(), "6.00");
  EXPECT_EQ(view.firmwareChanges, 1);
  settings::SettingsFiles(folder_).SaveFirmwareVersion(99);
  model.handle(MainDialogModel::kMouseRead, 0, 0);
  EXPECT_EQ(model.firmwareText(), "N/A");
}

TEST_F(MainDialogModelTest, ButtonMacrosReachTheLibraryAtStartAndOnEachRead) {
  const auto onButton = [](settings::SettingsImage& image, int profile, int slot, const char* set,
                           const char* name, std::uint8_t key) {
    macros::MacroRecord record{};
    record.setName(name);
    record.PlayCount = 2;
    record.EventCount = 2;
    record.Events[0] = {key, 1, 0};
    record.Events[1] = {key, 2, 0};
    macros::assignToSlot(macros::MacroSet{set, {}, macros::kUnchanged}, record,
                         image.Profiles[profile].MacroKeyInfo[slot]);
  };
  startMonitor(0);
  auto image = shared();
  onButton(*image, 1, 5, "Office", "Copy", 0x06);
  writeShared(*image);
  const std::string preset = macros::MacroLibrary::presetFile(folder_);

  MainDialogModel model(folder_, view);
  model.start();
  macros::MacroLibrary saved;
  ASSERT_TRUE(saved.load(preset));
  ASSERT_EQ(saved.setCount(), 1);
  EXPECT_EQ(saved.set(0)->name, "Office");
  ASSERT_NE(saved.macro(0, 0), nullptr);
  EXPECT_EQ(saved.macro(0, 0)->Events[0].Key, 0x06);

  // Another program adds a set; the mouse was read with a new macro.
  ASSERT_EQ(saved.addSet("Games"), macros::MacroEdit::kDone);
  ASSERT_TRUE(saved.save(preset));
  onButton(*image, 4, 23, "Raid", "Heal", 0x1E);
  writeShared(*image);
  model.handle(MainDialogModel::kMouseRead, 0, 0);
  ASSERT_TRUE(saved.load(preset));
  ASSERT_EQ(saved.setCount(), 3);
  EXPECT_GE(saved.findSet("Games"), 0);
  ASSERT_GE(saved.findSet("Raid"), 0);
  EXPECT_EQ(saved.macro(saved.findSet("Raid"), 0)->name(), "Heal");
  EXPECT_EQ(model.macroLibrary().setCount(), 3);
}

TEST_F(MainDialogModelTest, WindowsProfileMarkerToggles) {
  MainDialogModel model(folder_, view);
  model.start();
  model.working().WindowsProfile = 2;
  EXPECT_FALSE(model.windowsProfileClicked(2));  // removed without asking
  EXPECT_EQ(model.working().WindowsProfile, -1);
  EXPECT_TRUE(model.windowsProfileClicked(0));
  EXPECT_EQ(model.working().WindowsProfile, -1);  // not before the user confirmed
  model.confirmWindowsProfile(0);
  EXPECT_EQ(model.working().WindowsProfile, 0);
  EXPECT_TRUE(model.slot(0).windowsProfile);
  EXPECT_FALSE(model.windowsProfileClicked(7));
}

TEST_F(MainDialogModelTest, BrokenImageValuesShowSafelyAndStayUntilChanged) {
  startMonitor(0);
  auto image = shared();
  image->CurrentProfile = 9;
  image->WindowsProfile = 7;
  image->QuickHelpLan = 99;
  image->Profiles[0].LightColorFlow = 200;
  image->Profiles[0].LightEffectType = 1;
  writeShared(*image);
  MainDialogModel model(folder_, view);
  model.start();
  EXPECT_EQ(model.shownProfile(), 4);
  EXPECT_EQ(model.language(), 1);
  for (int slot = 0; slot < 5; ++slot) {
    EXPECT_EQ(model.slot(slot).selected, slot == 4);
    EXPECT_FALSE(model.slot(slot).windowsProfile);
  }
  EXPECT_EQ(model.slot(0).colorFlow, 0);
  model.setLanguage(17);
  EXPECT_EQ(model.working().QuickHelpLan, 99);
  model.save(apply::ApplySession::Mode::Apply);
  EXPECT_EQ(shared()->CurrentProfile, 9);
  EXPECT_EQ(shared()->QuickHelpLan, 99);
}

}  // namespace
}  // namespace option
