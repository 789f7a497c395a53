#include <sys/wait.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "TestFolder.h"
#include "settings/SettingsFiles.h"
#include "settings/SettingsImage.h"

namespace {

class VeskctlSettingsTest : public TestFolder {
 protected:
  Outcome veskctl(const std::string& args) { return TestFolder::veskctl("settings " + args); }
  std::string folderArg() const { return " --folder " + folder_; }
};

TEST_F(VeskctlSettingsTest, SaveOfAFreshFolderWritesTheFactoryFilesAndAgainChangesNothing) {
  ASSERT_EQ(veskctl("save" + folderArg()).status, 0) << stderrText();
  const std::string profile = readFile(folder_ + "config/Default3.nmp");
  EXPECT_TRUE(profile.starts_with("[Setting]\r\nProFileName=Default4\r\n"));
  ASSERT_EQ(veskctl("save" + folderArg()).status, 0);
  EXPECT_EQ(readFile(folder_ + "config/Default3.nmp"), profile);
}

TEST_F(VeskctlSettingsTest, GetAndSetGlobalProfileAndSlotFields) {
  EXPECT_EQ(veskctl("get CurrentProfile" + folderArg()).out, "-1\n");
  ASSERT_EQ(veskctl("set CurrentProfile 3" + folderArg()).status, 0) << stderrText();
  EXPECT_EQ(veskctl("get currentprofile" + folderArg()).out, "3\n");

  ASSERT_EQ(veskctl("set ProFileName 'Night Raid' --profile 1" + folderArg()).status, 0);
  EXPECT_EQ(veskctl("get ProFileName --profile 1" + folderArg()).out, "Night Raid\n");
  ASSERT_EQ(veskctl("set Name3 Reload --profile 4 --slot 23" + folderArg()).status, 0);
  EXPECT_EQ(veskctl("get Name3 --profile 4 --slot 23" + folderArg()).out, "Reload\n");
  EXPECT_EQ(veskctl("get FunctionCode --profile 4 --slot 4" + folderArg()).out, "65\n");
  ASSERT_EQ(veskctl("set SAlignment -5 --profile 0" + folderArg()).status, 0) << stderrText();
  EXPECT_EQ(veskctl("get SAlignment --profile 0" + folderArg()).out, "-5\n");

  auto image = std::make_unique<settings::SettingsImage>();
  settings::SettingsFiles(folder_).LoadAll(*image);
  EXPECT_EQ(image->CurrentProfile, 3);
  EXPECT_EQ(settings::fieldText(image->Profiles[4].MacroKeyInfo[23].Name3), "Reload");
}

TEST_F(VeskctlSettingsTest, WrongFieldsAndValuesFailWithAMessage) {
  Outcome run = veskctl("get NoSuchField" + folderArg());
  EXPECT_NE(run.status, 0);
  EXPECT_NE(stderrText().find("no field named 'NoSuchField'"), std::string::npos);
  EXPECT_NE(veskctl("get DbleClickSpeed" + folderArg()).status, 0);
  EXPECT_NE(stderrText().find("--profile"), std::string::npos);
  EXPECT_NE(veskctl("get Name1 --profile 0" + folderArg()).status, 0);
  EXPECT_NE(veskctl("get Name1 --profile 0 --slot 24" + folderArg()).status, 0);
  EXPECT_NE(veskctl("set dpi0 256 --profile 0" + folderArg()).status, 0);
  EXPECT_NE(stderrText().find("0..255"), std::string::npos);
  EXPECT_NE(veskctl("set MouseSpeed fast --profile 0" + folderArg()).status, 0);
  EXPECT_FALSE(std::filesystem::exists(folder_ + "config.ini"));  // failed sets save nothing
  EXPECT_NE(veskctl("save --folder " + folder_ + "missing/deeper").status, 0);
}

TEST_F(VeskctlSettingsTest, DumpGivesTheRawImageOrJsonWithTheTableNames) {
  const Outcome raw = veskctl("dump --raw" + folderArg());
  ASSERT_EQ(raw.status, 0);
  ASSERT_EQ(raw.out.size(), settings::kImageSize);
  auto image = std::make_unique<settings::SettingsImage>();
  std::memcpy(image.get(), raw.out.data(), settings::kImageSize);
  EXPECT_EQ(settings::fieldText(image->Profiles[2].ProFileName), "Default3");

  const Outcome json = veskctl("dump" + folderArg());
  ASSERT_EQ(json.status, 0);
  for (const char* name : {"\"CurrentProfile\": -1", "\"CpiLevel_X4\": 50", "\"MacroKeyInfo23\"",
                           "\"FunctionName\": \"Open Driver\"", "\"LightInfo0\"", "\"DisControl\""})
    EXPECT_NE(json.out.find(name), std::string::npos) << name;

  const Outcome one = veskctl("dump --profile 1" + folderArg());
  EXPECT_NE(one.out.find("\"ProFileName\": \"Default2\""), std::string::npos);
  EXPECT_EQ(one.out.find("\"CurrentProfile\""), std::string::npos);
  EXPECT_NE(veskctl("dump --profile 7" + folderArg()).status, 0);
}

TEST_F(VeskctlSettingsTest, ResetRestoresTheFactoryProfilesOnly) {
  ASSERT_EQ(veskctl("set MouseType 9" + folderArg()).status, 0);
  ASSERT_EQ(veskctl("set SoundVolume 4 --profile 2" + folderArg()).status, 0);
  ASSERT_EQ(veskctl("reset" + folderArg()).status, 0);
  EXPECT_EQ(veskctl("get SoundVolume --profile 2" + folderArg()).out, "2\n");
  EXPECT_EQ(veskctl("get MouseType" + folderArg()).out, "9\n");
}

}  // namespace
