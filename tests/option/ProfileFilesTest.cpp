#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

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

// A structure value as the platform's profile functions write it: two
// upper-case hexadecimal digits per byte, then the low byte of their sum.
std::string structValue(const unsigned char* bytes, std::size_t size) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  unsigned sum = 0;
  for (std::size_t i = 0; i <= size; ++i) {
    const unsigned b = i < size ? bytes[i] : (sum & 0xFFu);
    if (i < size) sum += b;
    out += digits[b >> 4];
    out += digits[b & 15];
  }
  return out;
}

TEST_F(ProfileFilesTest, ExportedFileIsThePlatformsTextByteForByteAndLoadsBackTheSame) {
  // Profile slot 3 with its factory values, a name, two games, one edited
  // value and three assigned buttons; set through the image's fields.
  settings::Profile& shown = image_->Profiles[2];
  ProfileFiles::setNameAndGames(shown, "Arena", "/usr/games/arena", "", "/opt/b b/run");
  shown.DbleClickSpeed = 350;
  settings::ButtonSlot& six = shown.MacroKeyInfo[5];  // Assign a Shortcut: Ctrl+Shift+K
  six.FunctionCode = 5;
  six.EventCount = 1;
  six.Events[0].Key = 0x0E;
  six.Events[0].Action = 0x06;
  settings::ButtonSlot& seven = shown.MacroKeyInfo[6];  // Quicklaunch
  seven.FunctionCode = 15;
  std::strcpy(seven.ProgramPath, "/usr/bin/gimp");
  settings::ButtonSlot& nine = shown.MacroKeyInfo[8];  // a timer
  nine.FunctionCode = 49;
  nine.TimerLength = 45;
  std::strcpy(nine.TimerName, "Respawn");
  // Bytes after a slot name's end travel inside the slot's structure value.
  std::memcpy(shown.MacroKeyInfo[9].Name3, "Jump\0junk", 9);

  // The expected slots from the slot layout's offsets, not from the fields.
  const unsigned char codes[24] = {1, 2, 3,  7, 65, 9,  10, 13, 14, 21, 22, 26,
                                   8, 7, 37, 6, 0,  33, 34, 38, 39, 17, 18, 27};
  std::vector<std::array<unsigned char, 2532>> slots(24);
  for (int b = 0; b < 24; ++b) {
    slots[b].fill(0);
    slots[b][0] = static_cast<unsigned char>(b);
    slots[b][1] = codes[b];
  }
  slots[5][1] = 5;
  slots[5][164] = 1;  // event count, 16-bit
  slots[5][166] = 0x0E;
  slots[5][167] = 0x06;
  slots[6][1] = 15;
  std::memcpy(&slots[6][2272], "/usr/bin/gimp", 13);
  slots[8][1] = 49;
  slots[8][2168] = 45;  // timer length, 32-bit
  std::memcpy(&slots[8][2172], "Respawn", 7);
  std::memcpy(&slots[9][108], "Jump\0junk", 9);

  std::string expected =
      "[Setting]\r\n"
      "ProFileName=Arena\r\n"
      "GameFile0=/usr/games/arena\r\n"
      "GameFile1=\r\n"
      "GameFile2=/opt/b b/run\r\n"
      "DbleClickSpeed=350\r\n"
      "ScrollWheelSpeed=3\r\n"
      "ScrollWheelFlag=0\r\n"
      "MouseSpeed=10\r\n"
      "Acceleration=10\r\n"
      "AccelerationFlag=0\r\n"
      "MouseTrails=0\r\n"
      "TiltSpeed=3\r\n"
      "MediaOption=0\r\n"
      "HDDKeyboard=1\r\n"
      "Orientation=0\r\n"
      "XYSynchronous=0\r\n"
      "Sensitivity_X=6\r\n"
      "Sensitivity_Y=6\r\n"
      "Sensitivity=6\r\n"
      "dpi0=1\r\ndpi1=1\r\ndpi2=1\r\ndpi3=1\r\ndpi4=1\r\ndpi5=0\r\n"
      "Cpi_X=1\r\nCpi_Y=1\r\n"
      "XYCpiFlag0=1\r\nXYCpiFlag1=1\r\nXYCpiFlag2=1\r\nXYCpiFlag3=1\r\nXYCpiFlag4=1\r\n"
      "CpiLevel_X0=4\r\nCpiLevel_X1=8\r\nCpiLevel_X2=16\r\nCpiLevel_X3=32\r\nCpiLevel_X4=50\r\n"
      "CpiLevel_Y0=4\r\nCpiLevel_Y1=8\r\nCpiLevel_Y2=16\r\nCpiLevel_Y3=32\r\nCpiLevel_Y4=50\r\n"
      "PollingRate=3\r\n"
      "LightOnFlag=1\r\n"
      "LightEffectMode=0\r\n"
      "LightColorFlow=0\r\n"
      "LightEffectType=1\r\n"
      "LightEffectSpeed=2\r\n"
      "SoundProfile=1\r\nSoundDpi=1\r\nSoundSens=1\r\nVolumeUpDown=1\r\nSoundTrophy=1\r\n"
      "SoundVolume=2\r\n"
      "UseColorForAll=0\r\n"
      "LtChoseType=0\r\n"
      "ASnapFlag=0\r\n"
      "ASnap=2\r\n"
      "SAlignmentFlag=0\r\n"
      "SAlignment=30\r\n"
      // Zone colour 1, on, red 250: 1 + 1 + 250 = 0xFC.
      "LightInfo0=0101FA0000FC\r\nLightInfo1=0101FA0000FC\r\n"
      "LightInfo2=0101FA0000FC\r\nLightInfo3=0101FA0000FC\r\n"
      "CustomLightInfo0=000000000000\r\nCustomLightInfo1=000000000000\r\n"
      "CustomLightInfo2=000000000000\r\nCustomLightInfo3=000000000000\r\n";
  for (int b = 0; b < 24; ++b)
    expected +=
        "MacroKeyInfo" + std::to_string(b) + "=" + structValue(slots[b].data(), 2532) + "\r\n";

  ProfileFiles ops(*files_);
  const std::string chosen = elsewhere_ + "Arena.nmp";
  ASSERT_TRUE(ops.exportProfile(*image_, 2, chosen));
  const std::string written = text(chosen);
  EXPECT_EQ(written.size(), expected.size());
  EXPECT_TRUE(written == expected)
      << "first difference at byte "
      << std::mismatch(written.begin(), written.end(), expected.begin(), expected.end()).first -
             written.begin();

  // Loaded into another slot: the same profile, byte for byte. Text fields
  // are NUL to their end in the image as in the file, which carries only the
  // text, so nothing is lost after a name's end.
  ASSERT_TRUE(ops.importProfile(*image_, 4, chosen));
  EXPECT_EQ(std::memcmp(&image_->Profiles[4], &shown, sizeof shown), 0);
  EXPECT_EQ(std::memcmp(image_->Profiles[4].MacroKeyInfo[9].Name3, "Jump\0junk", 9), 0);
}

TEST_F(ProfileFilesTest, ExportUnderADefaultFilesNameLeavesThatSlotsFileAlone) {
  // Slot 0's factory name is "Default1"; config/Default1.nmp holds slot 1.
  ASSERT_TRUE(settings::WriteProfileFile(image_->Profiles[1], files_->defaultProfilePath(1)));
  const std::string slotOne = text(files_->defaultProfilePath(1));
  ProfileFiles ops(*files_);
  // The Save dialog does not start at that file, and a save there is refused.
  EXPECT_EQ(ops.exportStartName(image_->Profiles[0]), program_ + "config/Default1 profile.nmp");
  EXPECT_FALSE(ops.exportProfile(*image_, 0, files_->defaultProfilePath(1)));
  EXPECT_EQ(text(files_->defaultProfilePath(1)), slotOne);
  // Saved elsewhere under that name, its convenience copy does not go there.
  ASSERT_TRUE(ops.exportProfile(*image_, 0, elsewhere_ + "Default1.nmp"));
  EXPECT_EQ(text(files_->defaultProfilePath(1)), slotOne);
  // Nor is a file made that a later start would read as a slot's.
  ASSERT_TRUE(ops.exportProfile(*image_, 0, elsewhere_ + "DEFAULT3.nmp"));
  EXPECT_FALSE(fs::exists(program_ + "config/DEFAULT3.nmp"));
  EXPECT_FALSE(fs::exists(files_->defaultProfilePath(3)));
  // Other names, "Default5" and "Default10" among them, are copied as ever.
  for (const char* title : {"Default5", "Default10", "Arena"}) {
    ASSERT_TRUE(ops.exportProfile(*image_, 0, elsewhere_ + title + ".nmp"));
    EXPECT_TRUE(fs::exists(program_ + "config/" + title + ".nmp")) << title;
  }
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
