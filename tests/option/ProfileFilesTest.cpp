#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "option/ProfileFiles.h"
#include "settings/IniFile.h"

namespace {

namespace fs = std::filesystem;
using option::ProfileFiles;

class ProfileFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vesk-profiles-XXXXXX";
    root_ = ::mkdtemp(pattern);
    program_ = root_ + "/program/";
    elsewhere_ = root_ + "/elsewhere/";
    fs::create_directories(program_ + "config");
    fs::create_directories(elsewhere_);
    files_ = std::make_unique<settings::SettingsFiles>(program_);
    image_ = std::make_unique<settings::SettingsImage>();
    for (int p = 0; p < settings::kProfileCount; ++p)
      settings::ResetProfile(image_->Profiles[p], p);
  }
  void TearDown() override { fs::remove_all(root_); }

  static std::string text(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream out;
    out << in.rdbuf();
    return out.str();
  }

  std::string root_, program_, elsewhere_;
  std::unique_ptr<settings::SettingsFiles> files_;
  std::unique_ptr<settings::SettingsImage> image_;
};

TEST_F(ProfileFilesTest, FileTitle) {
  EXPECT_EQ(ProfileFiles::fileTitle("/home/u/Game.nmp"), "Game");
  EXPECT_EQ(ProfileFiles::fileTitle("/home/u/my.best.nmp"), "my.best");
  EXPECT_EQ(ProfileFiles::fileTitle("/home/u.x/plain"), "plain");
}

TEST_F(ProfileFilesTest, ExportAndImportGiveTheSameProfile) {
  ProfileFiles ops(*files_);
  settings::Profile& source = image_->Profiles[2];
  ProfileFiles::setNameAndGames(source, "Arena", "/usr/games/a", "", "/opt/b");
  source.MacroKeyInfo[5].TimerLength = 77;
  std::strcpy(source.MacroKeyInfo[5].TimerName, "Respawn");

  // Over an existing file with extra keys: none of them is left.
  const std::string chosen = elsewhere_ + "Arena.nmp";
  std::ofstream(chosen) << "[Stale]\r\nExtra=1\r\n";
  ASSERT_TRUE(ops.exportProfile(*image_, 2, chosen));
  EXPECT_EQ(text(chosen).find("Stale"), std::string::npos);
  EXPECT_EQ(text(chosen), text(program_ + "config/Arena.nmp"));
  EXPECT_FALSE(fs::exists(chosen + ".new"));
  EXPECT_FALSE(fs::exists(elsewhere_ + ".Arena.nmp.new.lock"));
  settings::IniFile config(files_->configIniPath());
  EXPECT_EQ(config.ReadString("FileName", "Profile3", ""), "Arena");

  // Import into slot 0: a copy in the program folder, the slot filled from
  // it, all 24 slots of that profile marked for the mouse.
  ASSERT_TRUE(ops.importProfile(*image_, 0, chosen));
  EXPECT_TRUE(fs::exists(program_ + "Arena.nmp"));
  EXPECT_EQ(std::memcmp(&image_->Profiles[0], &image_->Profiles[2], sizeof(settings::Profile)), 0);
  for (int b = 0; b < settings::kSlotCount; ++b) EXPECT_EQ(image_->SlotChanged[0][b], 1);
  EXPECT_EQ(image_->SlotChanged[1][0], 0);
}

TEST_F(ProfileFilesTest, ImportRefusalsAndFailures) {
  ProfileFiles ops(*files_);
  auto before = std::make_unique<settings::SettingsImage>(*image_);
  EXPECT_FALSE(ops.importProfile(*image_, 0, elsewhere_ + "missing.nmp"));
  EXPECT_FALSE(ops.importProfile(*image_, 7, elsewhere_ + "missing.nmp"));
  EXPECT_EQ(std::memcmp(image_.get(), before.get(), sizeof(settings::SettingsImage)), 0);

  // Garbage imports as defaults, without a crash.
  const std::string garbage = elsewhere_ + "Junk.nmp";
  std::ofstream(garbage, std::ios::binary)
      << std::string("\0\xff[=\n==[[\r", 11) << "ProFileName=Junk\n";
  EXPECT_TRUE(ops.importProfile(*image_, 1, garbage));

  // The copy's place is taken by a folder: the chosen file is read, not
  // whatever sits there.
  settings::Profile other{};
  settings::ResetProfile(other, 3);
  ProfileFiles::setNameAndGames(other, "Blocked", "", "", "");
  ASSERT_TRUE(settings::WriteProfileFile(other, elsewhere_ + "Blocked.nmp"));
  fs::create_directories(program_ + "Blocked.nmp");
  ASSERT_TRUE(ops.importProfile(*image_, 4, elsewhere_ + "Blocked.nmp"));
  EXPECT_STREQ(image_->Profiles[4].ProFileName, "Blocked");

  // Importing the program folder's own copy copies nothing onto itself.
  ASSERT_TRUE(ops.exportProfile(*image_, 4, program_ + "Self.nmp"));
  EXPECT_TRUE(ops.importProfile(*image_, 0, program_ + "Self.nmp"));
  EXPECT_STREQ(image_->Profiles[0].ProFileName, "Blocked");
}

TEST_F(ProfileFilesTest, NameAndGamesChangeNothingElse) {
  settings::Profile& profile = image_->Profiles[1];
  auto before = std::make_unique<settings::Profile>(profile);
  ProfileFiles::setNameAndGames(profile, "A name longer than twenty", "g0", "g1", "g2");
  EXPECT_STREQ(profile.ProFileName, "A name longer than t");
  EXPECT_STREQ(profile.GameFile2, "g2");
  EXPECT_EQ(std::memcmp(reinterpret_cast<const char*>(&profile) + 1750,
                        reinterpret_cast<const char*>(before.get()) + 1750,
                        sizeof(settings::Profile) - 1750),
            0);
  // Twenty characters, whatever their UTF-8 length; none is cut in two.
  ProfileFiles::setNameAndGames(profile,
                                "\xC3\x9C"
                                "ber-Spieler Profil \xC3\xA4\xC3\xB6",
                                std::string(600, 'x') + "\xC3\xA4", "", "");
  EXPECT_STREQ(profile.ProFileName,
               "\xC3\x9C"
               "ber-Spieler Profil ");
  EXPECT_EQ(std::string(profile.GameFile0), std::string(sizeof profile.GameFile0 - 1, 'x'));
  ProfileFiles::setNameAndGames(profile,
                                "\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F"
                                "1234567890123456z",
                                "", "", "");
  EXPECT_STREQ(profile.ProFileName,
               "\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F"
               "1234567890123456");
  ProfileFiles::setNameAndGames(profile, "", std::string(498, 'y') + "\xC3\xA4", "", "");
  EXPECT_EQ(std::string(profile.GameFile0), std::string(498, 'y'));
  ProfileFiles::setNameAndGames(profile, "", "", "", "");
  EXPECT_STREQ(profile.ProFileName, "");
  ProfileFiles ops(*files_);
  ProfileFiles::setNameAndGames(profile, "a/b", "", "", "");
  EXPECT_EQ(ops.exportStartName(profile), program_ + "config/a_b.nmp");
}

}  // namespace
