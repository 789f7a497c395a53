#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <utility>
#include <vector>

#include "MainDialog.h"
#include "ProfileFileActions.h"
#include "option/MainDialogModel.h"
#include "platform/FakeDesktopMouse.h"
#include "settings/IniFile.h"
#include "settings/SettingsFiles.h"
#include "skin/SkinContext.h"

#include "WidgetTestSession.h"

namespace option {
namespace {

namespace fs = std::filesystem;
using Button = ProfileFileActions::Button;

std::string text(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream out;
  out << in.rdbuf();
  return out.str();
}

// The main window's profile buttons with the user's answers given in place
// of the file and profile dialogs.
class ProfileFileActionsTest : public ::testing::Test {
 protected:
  ProfileFileActionsTest() {
    skin::SkinContext::instance().setProgramFolder(QStringLiteral(VESK_SUITE_DIR "/"));
    window_ = std::make_unique<MainDialog>(folder_, desktop_);
    actions_ = std::make_unique<ProfileFileActions>(window_->model(), *window_, window_.get());
    auto& q = actions_->questions();
    q.openFile = [this](const std::string& start) {
      starts_.push_back(start);
      return answer_;
    };
    q.saveFile = q.openFile;
    q.notice = [this](OptionNotice notice, const std::string& file) {
      notices_.emplace_back(notice, file);
    };
    q.editProfile = [this](settings::Profile& profile, bool create) {
      created_ = create;
      if (!answer_) return false;
      std::strcpy(profile.ProFileName, answer_->c_str());
      return true;
    };
  }
  settings::SettingsImage& image() { return window_->model().working(); }
  int slot() { return window_->model().shownProfile(); }

  testing::WidgetTestSession session_;
  const std::string& folder_ = session_.folder;
  platform::FakeDesktopMouse desktop_;
  std::unique_ptr<MainDialog> window_;
  std::unique_ptr<ProfileFileActions> actions_;
  std::optional<std::string> answer_;
  std::vector<std::string> starts_;
  std::optional<bool> created_;
  std::vector<std::pair<OptionNotice, std::string>> notices_;
};

TEST_F(ProfileFileActionsTest, SavedProfileLoadsBackIntoAnotherSlotWithEveryButtonMarked) {
  const int from = slot();
  answer_ = "Arena";
  actions_->run(Button::Edit);
  EXPECT_EQ(created_, false);
  image().Profiles[from].MacroKeyInfo[6].TimerLength = 77;
  const settings::Profile saved = image().Profiles[from];

  const std::string elsewhere = session_.root + "/elsewhere/";
  fs::create_directories(elsewhere);
  answer_ = elsewhere + "Arena.nmp";
  actions_->run(Button::Save);
  ASSERT_EQ(starts_.back(), folder_ + "config/Arena.nmp");
  ASSERT_TRUE(fs::exists(elsewhere + "Arena.nmp"));
  EXPECT_EQ(text(elsewhere + "Arena.nmp"), text(folder_ + "config/Arena.nmp"));
  settings::IniFile config(settings::SettingsFiles(folder_).configIniPath());
  EXPECT_EQ(config.ReadString("FileName", "Profile" + std::to_string(from + 1), ""), "Arena");

  const int to = (from + 2) % settings::kProfileCount;
  window_->model().selectProfile(to);
  ASSERT_EQ(slot(), to);
  actions_->run(Button::Load);
  EXPECT_EQ(starts_.back(), folder_ + "config/.nmp");
  EXPECT_TRUE(fs::exists(folder_ + "Arena.nmp"));
  EXPECT_STREQ(image().Profiles[to].ProFileName, "Arena");
  EXPECT_EQ(image().Profiles[to].MacroKeyInfo[6].TimerLength, 77);
  EXPECT_EQ(std::memcmp(&image().Profiles[to].MacroKeyInfo, &saved.MacroKeyInfo,
                        sizeof saved.MacroKeyInfo),
            0);
  for (int b = 0; b < settings::kSlotCount; ++b) EXPECT_EQ(image().SlotChanged[to][b], 1) << b;
}

TEST_F(ProfileFileActionsTest, FailedSaveAndLoadAreToldNotPassedOver) {
  const auto before = std::make_unique<settings::SettingsImage>(image());
  // A folder that is not there: nothing is written, and the user hears of it.
  answer_ = session_.root + "/no such folder/Arena.nmp";
  actions_->run(Button::Save);
  ASSERT_EQ(notices_.size(), 1u);
  EXPECT_EQ(notices_[0], std::make_pair(OptionNotice::ProfileNotSaved, *answer_));
  EXPECT_FALSE(fs::exists(folder_ + "config/Arena.nmp"));

  // A file gone before it was read: the profile stays as it was.
  answer_ = session_.root + "/gone.nmp";
  actions_->run(Button::Load);
  ASSERT_EQ(notices_.size(), 2u);
  EXPECT_EQ(notices_[1], std::make_pair(OptionNotice::ProfileNotLoaded, *answer_));
  EXPECT_EQ(std::memcmp(&image(), before.get(), sizeof *before), 0);

  // A save that works says nothing.
  answer_ = session_.root + "/Arena.nmp";
  actions_->run(Button::Save);
  EXPECT_EQ(notices_.size(), 2u);
  EXPECT_TRUE(fs::exists(*answer_));
}

TEST_F(ProfileFileActionsTest, SaveNeverReplacesAProfilesOwnFile) {
  // The second profile's factory name is that of the third profile's file.
  window_->model().selectProfile(1);
  ASSERT_STREQ(image().Profiles[1].ProFileName, "Default2");
  answer_.reset();
  actions_->run(Button::Save);
  EXPECT_EQ(starts_.back(), folder_ + "config/Default2 profile.nmp");

  const settings::SettingsFiles files(folder_);
  fs::create_directories(folder_ + "config");
  std::ofstream(files.defaultProfilePath(2)) << "[third profile]\r\n";
  // The file itself, another spelling of it, and one of the five not made yet.
  for (const std::string& chosen :
       {files.defaultProfilePath(2), folder_ + "config/../config/Default2.nmp",
        folder_ + "config/DEFAULT4.NMP"}) {
    answer_ = chosen;
    actions_->run(Button::Save);
    ASSERT_FALSE(notices_.empty()) << chosen;
    EXPECT_EQ(notices_.back(), std::make_pair(OptionNotice::ProfileFileReserved, chosen));
  }
  EXPECT_EQ(notices_.size(), 3u);
  EXPECT_EQ(text(files.defaultProfilePath(2)), "[third profile]\r\n");
  EXPECT_FALSE(fs::exists(folder_ + "config/DEFAULT4.NMP"));
  EXPECT_FALSE(fs::exists(files.defaultProfilePath(4)));

  // Names that only look alike are ordinary files.
  for (const char* title : {"Default5.nmp", "Default2.txt", "Default22.nmp"}) {
    answer_ = folder_ + "config/" + title;
    actions_->run(Button::Save);
    EXPECT_TRUE(fs::exists(*answer_)) << title;
  }
  EXPECT_EQ(notices_.size(), 3u);
}

TEST_F(ProfileFileActionsTest, CancelledDialogsChangeNothing) {
  const auto before = std::make_unique<settings::SettingsImage>(image());
  answer_.reset();
  for (Button button : {Button::Create, Button::Edit, Button::Load, Button::Save})
    actions_->run(button);
  EXPECT_EQ(created_, false);
  EXPECT_EQ(std::memcmp(&image(), before.get(), sizeof *before), 0);
  EXPECT_FALSE(fs::exists(folder_ + "config/.nmp"));
  // Create asks in create mode.
  answer_ = "";
  actions_->run(Button::Create);
  EXPECT_EQ(created_, true);
  EXPECT_STREQ(image().Profiles[slot()].ProFileName, "");
}

}  // namespace
}  // namespace option
