#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "option/MainDialogModel.h"
#include "platform/NamedMutex.h"
#include "platform/SharedMemory.h"
#include "platform/Window.h"
#include "settings/SharedImage.h"

namespace option {
namespace {

struct QuietView : MainDialogView {
  void refresh() override {}
  void refreshMainPage() override {}
  void refreshAdvancedPage() override {}
  void refreshTrophyPage() override {}
  void repaintColorIndicators() override {}
  void firmwareVersionChanged() override {}
  void showHelpText() override {}
};

// The reset of the Trophy page as the main window carries it out, against a
// Monitor stand-in that owns the shared image and hears message 1233.
class StatisticsResetTest : public ::testing::Test {
 protected:
  StatisticsResetTest() {
    char pattern[] = "/tmp/vesk-reset-XXXXXX";
    root_ = ::mkdtemp(pattern);
    folder_ = root_ + "/suite/";
    std::filesystem::create_directories(folder_);
    std::filesystem::create_directories(root_ + "/run");
    std::filesystem::permissions(root_ + "/run", std::filesystem::perms::owner_all);
    ::setenv("XDG_RUNTIME_DIR", (root_ + "/run").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (root_ + "/config").c_str(), 1);
  }
  ~StatisticsResetTest() override {
    if (monitor_ != platform::kNoWindow) platform::DestroyWindow(monitor_);
    memory_.reset();
    mutex_.reset();
    std::filesystem::remove_all(root_);
  }

  void startMonitor() {
    mutex_ = platform::NamedMutex::create(settings::kImageMutexName);
    memory_ = platform::SharedMemory::create(settings::kSharedImageName, settings::kImageSize);
    ASSERT_TRUE(mutex_ && memory_);
    auto image = std::make_unique<settings::SettingsImage>();
    settings::SettingsFiles(folder_).LoadAll(*image);
    image->CurrentProfile = 0;
    for (int k = 0; k < 13; ++k) image->InfoData.Counters[k] = 500 + k;
    image->InfoData.TrophyFlags[4] = 1;
    image->InfoData.LatestTrophy = 5;
    ASSERT_TRUE(settings::writeSharedImage(*memory_, *mutex_, *image));
    monitor_ = platform::CreateWindow(apply::kMonitorTitle,
                                      [this](platform::HWND, platform::UINT msg, platform::WPARAM,
                                             platform::LPARAM) -> platform::LRESULT {
                                        if (msg == MainDialogModel::kReReadStatistics) {
                                          auto seen = std::make_unique<settings::SettingsImage>();
                                          settings::readSharedImage(*memory_, *mutex_, *seen);
                                          seenAtReRead_ = std::move(seen);
                                        }
                                        return 0;
                                      });
    ASSERT_NE(monitor_, platform::kNoWindow);
  }
  std::unique_ptr<settings::SettingsImage> shared() {
    auto image = std::make_unique<settings::SettingsImage>();
    settings::readSharedImage(*memory_, *mutex_, *image);
    return image;
  }

  std::string root_, folder_;
  std::unique_ptr<platform::NamedMutex> mutex_;
  std::unique_ptr<platform::SharedMemory> memory_;
  platform::HWND monitor_ = platform::kNoWindow;
  std::unique_ptr<settings::SettingsImage> seenAtReRead_;
  QuietView view_;
};

TEST_F(StatisticsResetTest, TheBlockReachesBothImagesTheSharedImageAndConfigIniBeforeTheReRead) {
  startMonitor();
  MainDialogModel model(folder_, view_);
  model.start();
  ASSERT_TRUE(model.sharedMemory());
  // Unsaved edits of the window and a profile change the Monitor made since
  // the window read the shared image: neither may be disturbed.
  model.working().Profiles[2].Sensitivity = 9;
  {
    auto monitorState = shared();
    monitorState->CurrentProfile = 3;
    ASSERT_TRUE(settings::writeSharedImage(*memory_, *mutex_, *monitorState));
  }

  settings::UsageInfo block = model.working().InfoData;
  for (int& c : block.Counters) c = 0;
  EXPECT_TRUE(model.resetStatistics(block));

  ASSERT_TRUE(seenAtReRead_) << "the Monitor was told to re-read";
  EXPECT_EQ(seenAtReRead_->InfoData.Counters[3], 0);
  EXPECT_EQ(seenAtReRead_->InfoData.TrophyFlags[4], 1);
  EXPECT_EQ(seenAtReRead_->InfoData.LatestTrophy, 5);
  EXPECT_EQ(seenAtReRead_->CurrentProfile, 3) << "the Monitor's own change stays";
  EXPECT_NE(seenAtReRead_->Profiles[2].Sensitivity, 9) << "unsaved edits stay unsent";
  EXPECT_EQ(model.baseline().InfoData.Counters[0], 0);
  EXPECT_EQ(model.working().InfoData.Counters[12], 0);
  EXPECT_EQ(model.working().Profiles[2].Sensitivity, 9);

  auto files = std::make_unique<settings::SettingsImage>();
  settings::SettingsFiles(folder_).LoadAll(*files);
  EXPECT_EQ(files->InfoData.Counters[7], 0);
  EXPECT_EQ(files->InfoData.TrophyFlags[4], 1);
}

TEST_F(StatisticsResetTest, WithoutMonitorTheResetStillReachesConfigIni) {
  MainDialogModel model(folder_, view_);
  model.start();
  ASSERT_FALSE(model.sharedMemory());
  settings::UsageInfo block{};
  block.TrophyFlags[0] = 1;
  EXPECT_TRUE(model.resetStatistics(block));
  auto files = std::make_unique<settings::SettingsImage>();
  settings::SettingsFiles(folder_).LoadAll(*files);
  EXPECT_EQ(files->InfoData.TrophyFlags[0], 1);
}

}  // namespace
}  // namespace option
