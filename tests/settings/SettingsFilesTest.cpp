#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <thread>

#include "TestFolder.h"
#include "platform/Registry.h"
#include "settings/FieldTable.h"
#include "settings/IniFile.h"
#include "settings/IniValue.h"
#include "settings/SettingsFiles.h"

using namespace settings;

namespace {

constexpr const char* kMouseKey = "HKEY_CURRENT_USER\\Control Panel\\Mouse";
constexpr const char* kDesktopKey = "HKEY_CURRENT_USER\\Control Panel\\Desktop";

class SettingsFilesTest : public TestFolder {
 protected:
  std::unique_ptr<SettingsImage> load() {
    auto image = std::make_unique<SettingsImage>();
    SettingsFiles(folder_).LoadAll(*image);
    return image;
  }
  std::string profileFile(int i) const {
    return folder_ + "config/Default" + std::to_string(i) + ".nmp";
  }

  static void setRegistry(const char* key, const char* name, const std::string& value) {
    auto k = platform::RegistryKey::create(key);
    ASSERT_TRUE(k);
    ASSERT_TRUE(k->setString(name, value));
  }
  static std::string registry(const char* key, const char* name) {
    auto k = platform::RegistryKey::open(key);
    return k ? k->queryString(name).value_or("<none>") : "<no key>";
  }

  // Every key of a profile file in table order, values from the profile.
  static std::vector<std::string> keysOf(const std::string& text) {
    std::vector<std::string> keys;
    std::size_t pos = 0;
    while (pos < text.size()) {
      const std::size_t end = text.find("\r\n", pos);
      const std::string line = text.substr(pos, end - pos);
      if (const auto eq = line.find('='); eq != std::string::npos)
        keys.push_back(line.substr(0, eq));
      pos = end + 2;
    }
    return keys;
  }
};

// ---- fresh folder and factory files ----------------------------------------

TEST_F(SettingsFilesTest, EmptyFolderLoadsDefaultsAndFactoryProfiles) {
  auto image = load();
  EXPECT_EQ(image->CurrentProfile, -1);
  EXPECT_EQ(image->WindowsProfile, -1);
  EXPECT_EQ(image->QuickHelpLan, -1);
  EXPECT_EQ(image->MouseType, -1);
  EXPECT_EQ(image->LiftOnFlag, -1);
  EXPECT_EQ(image->TrackControlFlag, -1);
  EXPECT_EQ(image->DisControl, -1);
  for (int p = 0; p < kProfileCount; ++p) {
    const Profile& pr = image->Profiles[p];
    EXPECT_EQ(fieldText(pr.ProFileName), "Default" + std::to_string(p + 1));
    EXPECT_EQ(pr.DbleClickSpeed, 480);
    EXPECT_EQ(pr.dpi[4], 1);
    EXPECT_EQ(pr.dpi[5], 0);
    EXPECT_EQ(pr.CpiLevel_X[4], 50);
    EXPECT_EQ(pr.LightColorFlow, p == 0 ? 1 : 0);
    EXPECT_EQ(pr.LightEffectType, p == 0 ? 3 : 1);
    EXPECT_EQ(pr.MacroKeyInfo[23].ButtonNumber, 23);
    EXPECT_EQ(pr.MacroKeyInfo[23].FunctionCode, 27);
    EXPECT_EQ(pr.MacroKeyInfo[4].FunctionCode, 65);
  }
  EXPECT_EQ(image->Profiles[1].LightInfo[3].ColorIndex, 19);
  EXPECT_EQ(image->Profiles[0].LightInfo[1].Red, 250);
}

TEST_F(SettingsFilesTest, FactoryFilesAreWrittenExactlyAsThePlatformWritesThem) {
  auto image = load();
  ASSERT_TRUE(SettingsFiles(folder_).SaveAll(*image));

  const std::string zeros108(216, '0');
  EXPECT_EQ(readFile(folder_ + "config.ini"),
            "[Setting]\r\nCurrentProfile=-1\r\nWindowsProfile=-1\r\nQuickHelpLan=-1\r\n"
            "MouseType=-1\r\nLiftOnFlag=-1\r\nTrackControlFlag=-1\r\nDisControl=-1\r\n"
            "InfoData=" +
                zeros108 + "00\r\n");

  const std::string text = readFile(profileFile(0));
  ASSERT_TRUE(text.starts_with(
      "[Setting]\r\nProFileName=Default1\r\nGameFile0=\r\nGameFile1=\r\nGameFile2=\r\n"
      "DbleClickSpeed=480\r\nScrollWheelSpeed=3\r\nScrollWheelFlag=0\r\nMouseSpeed=10\r\n"
      "Acceleration=10\r\nAccelerationFlag=0\r\nMouseTrails=0\r\nTiltSpeed=3\r\nMediaOption=0\r\n"
      "HDDKeyboard=1\r\nOrientation=0\r\nXYSynchronous=0\r\nSensitivity_X=6\r\nSensitivity_Y=6\r\n"
      "Sensitivity=6\r\ndpi0=1\r\ndpi1=1\r\ndpi2=1\r\ndpi3=1\r\ndpi4=1\r\ndpi5=0\r\nCpi_X=1\r\n"
      "Cpi_Y=1\r\nXYCpiFlag0=1\r\nXYCpiFlag1=1\r\nXYCpiFlag2=1\r\nXYCpiFlag3=1\r\nXYCpiFlag4=1\r\n"
      "CpiLevel_X0=4\r\nCpiLevel_X1=8\r\nCpiLevel_X2=16\r\nCpiLevel_X3=32\r\nCpiLevel_X4=50\r\n"
      "CpiLevel_Y0=4\r\nCpiLevel_Y1=8\r\nCpiLevel_Y2=16\r\nCpiLevel_Y3=32\r\nCpiLevel_Y4=50\r\n"
      "PollingRate=3\r\nLightOnFlag=1\r\nLightEffectMode=0\r\nLightColorFlow=1\r\n"
      "LightEffectType=3\r\nLightEffectSpeed=2\r\nSoundProfile=1\r\nSoundDpi=1\r\nSoundSens=1\r\n"
      "VolumeUpDown=1\r\nSoundTrophy=1\r\nSoundVolume=2\r\nUseColorForAll=0\r\nLtChoseType=0\r\n"
      "ASnapFlag=0\r\nASnap=2\r\nSAlignmentFlag=0\r\nSAlignment=30\r\n"
      "LightInfo0=0601FA500051\r\nLightInfo1=0101FA0000FC\r\nLightInfo2=0601FA500051\r\n"
      "LightInfo3=0101FA0000FC\r\nCustomLightInfo0=000000000000\r\n"))
      << text.substr(0, 1500);

  // 92 keys in table order; every button slot is 5066 hex characters.
  const auto keys = keysOf(text);
  ASSERT_EQ(keys.size(), 92u);
  const auto fields = profileFields();
  for (std::size_t i = 0; i < keys.size(); ++i) EXPECT_EQ(keys[i], fields[i].name);
  const auto slot0 = text.find("MacroKeyInfo0=");
  EXPECT_EQ(text.find("\r\n", slot0) - slot0 - std::strlen("MacroKeyInfo0="), 5066u);
  // Slot 1 holds number 1 and code 2, sum 3.
  EXPECT_NE(text.find("MacroKeyInfo1=0102" + std::string(2 * 2530, '0') + "03\r\n"),
            std::string::npos);
  EXPECT_TRUE(text.ends_with("\r\n"));
}

// ---- files of the original platform -----------------------------------------

// A folder as the original programs left it: extra keys, another section,
// keys in no particular order, odd case and blanks, a profile with unusual
// values. The files are fixed text, so a wrong key name or encoding in the
// tables fails the tests below instead of being written and read back alike.
constexpr const char* kOriginalConfig =
    "[setting]\r\n"
    "MouseType=7\r\n"
    "  currentprofile = 2\r\n"
    "QUICKHELPLAN=3\r\n"
    "WindowsProfile=4\r\n"
    "\r\n"
    "; tracking\r\n"
    "TrackControlFlag=1\r\n"
    "DisControl=0\r\n"
    "InfoData="
    "000000000000000000000000000000000000000040E2010000000000000000000000000000000000"
    "00000000000000000000000000000000000000000000000000000000000000000000000000000000"
    "0000000000000000000000000000000000000000000000000400000027\r\n"
    "LiftOnFlag= 2\r\n"
    "FWVersion=105\r\n"
    "Device=1\r\n"
    "\r\n"
    "[FileName]\r\n"
    "Profile3=Shooter\r\n";

// Profile 3 of that folder, and the image both files hold.
void writeOriginalFolder(const std::string& folder, SettingsImage& expected) {
  std::memset(&expected, 0, sizeof expected);
  for (int p = 0; p < kProfileCount; ++p) ResetProfile(expected.Profiles[p], p);
  expected.CurrentProfile = 2;
  expected.WindowsProfile = 4;
  expected.QuickHelpLan = 3;
  expected.MouseType = 7;
  expected.LiftOnFlag = 2;
  expected.TrackControlFlag = 1;
  expected.DisControl = 0;
  expected.InfoData.Counters[5] = 123456;
  expected.InfoData.LatestTrophy = 4;
  Profile& p2 = expected.Profiles[2];
  setFieldText(p2.ProFileName, "My Game Profile");
  setFieldText(p2.GameFile1, "C:\\Games\\Shooter\\shooter.exe");
  p2.CpiLevel_X[3] = 57;
  p2.SAlignment = 12;
  p2.dpi[5] = 255;
  ButtonSlot& macro = p2.MacroKeyInfo[7];
  macro.FunctionCode = 48;
  setFieldText(macro.Name3, "Reload");
  macro.EventCount = 500;
  for (int e = 0; e < 500; ++e) {
    macro.Events[e] = {
        static_cast<std::uint8_t>(4 + e % 26), static_cast<std::uint8_t>(1 + e % 2), {}};
    macro.Events[e].setDelay(static_cast<std::uint16_t>(e * 7));
  }
  macro.Reserved2166[1] = 0x5A;  // bytes nobody interprets travel unchanged

  std::filesystem::create_directories(folder + "config");
  std::ofstream(folder + "config.ini", std::ios::binary) << kOriginalConfig;
  std::filesystem::copy_file(VESK_SETTINGS_TEST_DATA "/OriginalDefault2.nmp",
                             folder + "config/Default2.nmp");
}

TEST_F(SettingsFilesTest, OriginalFolderLoadsFieldForFieldAndAnUnchangedSaveKeepsEveryByte) {
  auto expected = std::make_unique<SettingsImage>();
  writeOriginalFolder(folder_, *expected);
  const std::string profileBefore = readFile(profileFile(2));

  auto image = load();
  EXPECT_EQ(0, std::memcmp(image.get(), expected.get(), sizeof(SettingsImage)));
  EXPECT_EQ(image->Profiles[2].MacroKeyInfo[7].Events[499].delay(), 499 * 7);

  ASSERT_TRUE(SettingsFiles(folder_).SaveAll(*image));
  EXPECT_EQ(readFile(folder_ + "config.ini"), kOriginalConfig);
  EXPECT_EQ(readFile(profileFile(2)), profileBefore);
}

TEST_F(SettingsFilesTest, OneFilesObjectServesTwoThreadsAtOnce) {
  auto expected = std::make_unique<SettingsImage>();
  writeOriginalFolder(folder_, *expected);
  const SettingsFiles files(folder_);
  // Settle the Windows values of the active profile first: saving them and
  // reading them back maps Acceleration onto its table row.
  files.LoadAll(*expected);
  ASSERT_TRUE(files.SaveAll(*expected));
  files.LoadAll(*expected);
  auto work = [&](bool* same) {
    auto image = std::make_unique<SettingsImage>();
    *same = true;
    for (int i = 0; i < 20; ++i) {
      files.LoadAll(*image);
      *same = *same && std::memcmp(image.get(), expected.get(), sizeof(SettingsImage)) == 0;
      *same = *same && files.SaveAll(*image);
    }
  };
  bool first = false, second = false;
  std::thread other(work, &second);
  work(&first);
  other.join();
  EXPECT_TRUE(first);
  EXPECT_TRUE(second);
}

TEST_F(SettingsFilesTest, ChangedValueIsReplacedInPlaceAndUnknownKeysStay) {
  auto expected = std::make_unique<SettingsImage>();
  writeOriginalFolder(folder_, *expected);
  auto image = load();
  image->DisControl = 1;
  ASSERT_TRUE(SettingsFiles(folder_).SaveAll(*image));
  const std::string config = readFile(folder_ + "config.ini");
  std::string changed = kOriginalConfig;
  changed.replace(changed.find("DisControl=0"), 12, "DisControl=1");
  EXPECT_EQ(config, changed);
}

TEST_F(SettingsFilesTest, AbsentKeysReadTheirOwnDefaults) {
  std::filesystem::create_directories(folder_ + "config");
  std::ofstream(folder_ + "config.ini", std::ios::binary) << "[Setting]\r\nCurrentProfile=0\r\n";
  std::ofstream(profileFile(0), std::ios::binary) << "[Setting]\r\nProFileName=Sparse\r\n";
  const auto image = load();
  const Profile& p = image->Profiles[0];
  EXPECT_EQ(settings::fieldText(p.ProFileName), "Sparse");
  // The two keys whose read default is 0 rather than -1.
  EXPECT_EQ(p.UseColorForAll, 0);
  EXPECT_EQ(p.LtChoseType, 0);
  EXPECT_EQ(p.DbleClickSpeed, -1);
  EXPECT_EQ(p.Cpi_X, -1);
  // Byte fields read -1 through their low 8 bits.
  for (int i = 0; i < kDpiFlagCount; ++i) EXPECT_EQ(p.dpi[i], 255) << "dpi" << i;
  for (int i = 0; i < kCpiLevelCount; ++i) EXPECT_EQ(p.XYCpiFlag[i], 255) << "XYCpiFlag" << i;
}

TEST_F(SettingsFilesTest, GarbageFilesLoadAsDefaultsWithoutHarm) {
  std::mt19937 random(7);
  std::string garbage(200000, '\0');
  for (char& c : garbage) c = static_cast<char>(random());
  garbage += "\n[Setting]\nDbleClickSpeed=12\n";
  writeFile(folder_ + "config.ini", garbage);
  writeFile(profileFile(0), garbage);
  auto image = load();
  EXPECT_EQ(image->CurrentProfile, -1);
  EXPECT_EQ(image->Profiles[0].DbleClickSpeed, 12);
  EXPECT_EQ(image->Profiles[0].MouseSpeed, -1);
  EXPECT_EQ(fieldText(image->Profiles[1].ProFileName), "Default2");
  // Saving keeps the garbage it does not understand and adds the keys.
  ASSERT_TRUE(SettingsFiles(folder_).SaveAll(*image));
  EXPECT_TRUE(readFile(profileFile(0)).starts_with(garbage.substr(0, 1000)));
  EXPECT_EQ(load()->Profiles[0].DbleClickSpeed, 12);
}

// ---- mended faults ----------------------------------------------------------

TEST_F(SettingsFilesTest, OverlongTextIsCutToItsFieldAndNeverSpillsIntoTheNext) {
  writeFile(profileFile(0), "[Setting]\r\nProFileName=" + std::string(400, 'N') + "\r\nGameFile0=" +
                                std::string(700, 'G') + "\r\nGameFile1=short\r\n");
  auto image = load();
  const Profile& p = image->Profiles[0];
  EXPECT_EQ(fieldText(p.ProFileName), std::string(249, 'N'));
  EXPECT_EQ(fieldText(p.GameFile0), std::string(499, 'G'));
  EXPECT_EQ(fieldText(p.GameFile1), "short");
}

TEST_F(SettingsFilesTest, StructThatFailsToReadLeavesTheFieldAsItWas) {
  Profile profile{};
  ResetProfile(profile, 3);
  const Profile before = profile;
  writeFile(profileFile(0),
            "[Setting]\r\nLightInfo0=0601FA500052\r\nLightInfo1=0601FA50\r\n"
            "MacroKeyInfo0=zz\r\nCustomLightInfo0=0102030405\r\n");
  ReadProfileFile(profile, profileFile(0));
  EXPECT_EQ(0, std::memcmp(profile.LightInfo, before.LightInfo, sizeof profile.LightInfo));
  EXPECT_EQ(0,
            std::memcmp(&profile.MacroKeyInfo, &before.MacroKeyInfo, sizeof profile.MacroKeyInfo));

  // InfoData in config.ini likewise.
  writeFile(folder_ + "config.ini", "[Setting]\r\nInfoData=00FF\r\n");
  auto image = std::make_unique<SettingsImage>();
  image->InfoData.Counters[0] = 77;
  SettingsFiles(folder_).LoadAll(*image);
  EXPECT_EQ(image->InfoData.Counters[0], 77);
}

TEST_F(SettingsFilesTest, UnreadableRegistryValuesLeaveTheProfileAsStored) {
  // A fresh user has no values at all; one present value is too long for the
  // 80-byte buffer.
  auto expected = std::make_unique<SettingsImage>();
  writeOriginalFolder(folder_, *expected);
  setRegistry(kMouseKey, "MouseTrails", std::string(100, '7'));
  auto image = load();
  const Profile& p = image->Profiles[2];
  EXPECT_EQ(p.DbleClickSpeed, 480);
  EXPECT_EQ(p.MouseSpeed, 10);
  EXPECT_EQ(p.MouseTrails, 0);
  EXPECT_EQ(p.Acceleration, 10);
  EXPECT_EQ(p.AccelerationFlag, 0);
  EXPECT_EQ(p.ScrollWheelSpeed, 3);
  EXPECT_EQ(p.TiltSpeed, 3);
}

// ---- Windows mouse values ------------------------------------------------------

TEST_F(SettingsFilesTest, WritingUsesTheAccelerationRowAndWheelRules) {
  Profile p{};
  ResetProfile(p, 0);
  p.Acceleration = 25;
  p.AccelerationFlag = 1;
  p.ScrollWheelFlag = 1;
  p.DbleClickSpeed = 333;
  ASSERT_TRUE(WriteWindowsMouseValues(p));
  EXPECT_EQ(registry(kMouseKey, "MouseSpeed"), "2");
  EXPECT_EQ(registry(kMouseKey, "MouseThreshold1"), "4");
  EXPECT_EQ(registry(kMouseKey, "MouseThreshold2"), "5");
  EXPECT_EQ(registry(kMouseKey, "DoubleClickSpeed"), "333");
  EXPECT_EQ(registry(kDesktopKey, "WheelScrollLines"), "-1");

  p.AccelerationFlag = 0;
  ASSERT_TRUE(WriteWindowsMouseValues(p));
  EXPECT_EQ(registry(kMouseKey, "MouseSpeed"), "0");
  EXPECT_EQ(registry(kMouseKey, "MouseThreshold1"), "0");
}

TEST_F(SettingsFilesTest, AnUnwritableMouseKeyFailsTheWholeWrite) {
  Profile p{};
  ResetProfile(p, 0);
  ASSERT_TRUE(WriteWindowsMouseValues(p));
  // The mouse key's values file replaced by a folder: none of its writes can land,
  // while the desktop key still takes its values.
  std::filesystem::path mouseValues;
  for (const auto& entry :
       std::filesystem::recursive_directory_iterator(std::string(getenv("XDG_CONFIG_HOME")))) {
    if (entry.path().filename() == ".values" && entry.path().parent_path().filename() == "mouse")
      mouseValues = entry.path();
  }
  ASSERT_FALSE(mouseValues.empty());
  std::filesystem::remove(mouseValues);
  std::filesystem::create_directory(mouseValues);
  p.DbleClickSpeed = 444;
  EXPECT_FALSE(WriteWindowsMouseValues(p));
}

TEST_F(SettingsFilesTest, ReadingMatchesTheLastAccelerationRow) {
  Profile p{};
  ResetProfile(p, 0);
  p.Acceleration = 7;
  setRegistry(kMouseKey, "MouseSpeed", "1");
  setRegistry(kMouseKey, "MouseThreshold1", "6");
  setRegistry(kMouseKey, "MouseThreshold2", "10");
  ASSERT_TRUE(ReadWindowsMouseValues(p));
  EXPECT_EQ(p.Acceleration, 7);  // no row matches
  EXPECT_EQ(p.AccelerationFlag, 1);

  setRegistry(kMouseKey, "MouseThreshold1", "4");
  setRegistry(kMouseKey, "MouseThreshold2", "0");
  ASSERT_TRUE(ReadWindowsMouseValues(p));
  EXPECT_EQ(p.Acceleration, 10);

  setRegistry(kMouseKey, "MouseSpeed", "0");
  setRegistry(kMouseKey, "MouseThreshold1", "0");
  ASSERT_TRUE(ReadWindowsMouseValues(p));
  EXPECT_EQ(p.Acceleration, 0);
  EXPECT_EQ(p.AccelerationFlag, 0);

  for (int row = 0; row < 20; ++row) {  // every row written reads back as itself
    p.Acceleration = row;
    p.AccelerationFlag = 1;
    ASSERT_TRUE(WriteWindowsMouseValues(p));
    p.Acceleration = -5;
    ASSERT_TRUE(ReadWindowsMouseValues(p));
    EXPECT_EQ(p.Acceleration, row);
  }
}

TEST_F(SettingsFilesTest, WheelScrollLinesMinusOneMeansOnePagePerNotch) {
  Profile p{};
  p.ScrollWheelSpeed = 0;
  setRegistry(kDesktopKey, "WheelScrollLines", "-1");
  setRegistry(kDesktopKey, "WheelScrollChars", "5");
  ASSERT_TRUE(ReadWindowsMouseValues(p));
  EXPECT_EQ(p.ScrollWheelFlag, 1);
  EXPECT_EQ(p.ScrollWheelSpeed, 3);
  EXPECT_EQ(p.TiltSpeed, 5);

  p.ScrollWheelSpeed = 7;
  ASSERT_TRUE(ReadWindowsMouseValues(p));
  EXPECT_EQ(p.ScrollWheelSpeed, 7);
  setRegistry(kDesktopKey, "WheelScrollLines", "4");
  ASSERT_TRUE(ReadWindowsMouseValues(p));
  EXPECT_EQ(p.ScrollWheelFlag, 0);
  EXPECT_EQ(p.ScrollWheelSpeed, 4);
}

TEST_F(SettingsFilesTest, LoadAllTakesTheWindowsValuesIntoTheActiveProfileOnly) {
  auto expected = std::make_unique<SettingsImage>();
  writeOriginalFolder(folder_, *expected);
  setRegistry(kMouseKey, "DoubleClickSpeed", "700");
  auto image = load();
  EXPECT_EQ(image->Profiles[2].DbleClickSpeed, 700);
  EXPECT_EQ(image->Profiles[1].DbleClickSpeed, 480);
}

// ---- the single-value files operations ------------------------------------------

TEST_F(SettingsFilesTest, SingleValueWritesTouchOnlyTheirKey) {
  const SettingsFiles files(folder_);
  EXPECT_EQ(files.ReadFirmwareVersion(), 100);
  ASSERT_TRUE(files.SaveFirmwareVersion(105));
  ASSERT_TRUE(files.SaveCurrentProfile(3));
  auto image = std::make_unique<SettingsImage>();
  image->DisControl = 1;
  ASSERT_TRUE(files.SaveDisControl(*image));
  UsageInfo info{};
  info.LatestTrophy = 13;
  ASSERT_TRUE(files.SaveInfoData(info));
  ASSERT_TRUE(files.WriteProfileFileName(2, "Racing"));
  EXPECT_EQ(files.ReadFirmwareVersion(), 105);
  const std::string config = readFile(folder_ + "config.ini");
  EXPECT_TRUE(config.starts_with(
      "[Setting]\r\nFWVersion=105\r\nCurrentProfile=3\r\nDisControl=1\r\nInfoData="));
  EXPECT_TRUE(config.ends_with("\r\n\r\n[FileName]\r\nProfile2=Racing\r\n"));
  EXPECT_EQ(load()->InfoData.LatestTrophy, 13);
}

TEST_F(SettingsFilesTest, OsdBlockComesFromThisOrTheParentFolder) {
  OsdSetting osd = defaultOsdSetting();
  EXPECT_EQ(osd.Value136, 110);
  EXPECT_EQ(osd.Value340, 5);
  EXPECT_FALSE(SettingsFiles(folder_).ReadOsdSetting(osd, false));
  EXPECT_EQ(osd.Value136, 110);

  OsdSetting stored = defaultOsdSetting();
  stored.Value340 = 9;
  IniFile(root_ + "/config.ini").WriteStruct("OSDSetting", "config", &stored, sizeof stored);
  EXPECT_FALSE(SettingsFiles(folder_).ReadOsdSetting(osd, false));
  EXPECT_TRUE(SettingsFiles(folder_).ReadOsdSetting(osd, true));
  EXPECT_EQ(osd.Value340, 9);
}

TEST_F(SettingsFilesTest, DeviceInfoRoundTripsAndNeverHoldsMoreThan100Records) {
  auto table = std::make_unique<DeviceInfoTable>();
  table->Count = 2;
  table->Records[0] = {0x1234, 0xBEEF, {}, {1, 2, 3, 4, 5}};
  setFieldText(table->Records[0].Name, "Keyboard");
  table->Records[1].PID = 7;
  const SettingsFiles files(folder_);
  ASSERT_TRUE(files.WriteDeviceInfo(*table));
  EXPECT_TRUE(readFile(folder_ + "DeviceInfo.ini")
                  .starts_with("[Setting]\r\nCount=2\r\n\r\n[Device0]\r\nVID=4660\r\nPID=48879\r\n"
                               "Name=Keyboard\r\nCPI 0=1\r\nCPI 1=2\r\n"));
  auto back = std::make_unique<DeviceInfoTable>();
  ASSERT_TRUE(files.ReadDeviceInfo(*back));
  EXPECT_EQ(back->Count, 2);
  EXPECT_EQ(0, std::memcmp(back->Records, table->Records, 2 * sizeof(DeviceRecord)));

  std::string text = "[Setting]\r\nCount=150\r\n";
  for (int i = 0; i < 150; ++i)
    text += "[Device" + std::to_string(i) + "]\r\nPID=" + std::to_string(i) +
            "\r\nName=" + std::string(30, 'n') + "\r\n";
  writeFile(folder_ + "DeviceInfo.ini", text);
  ASSERT_TRUE(files.ReadDeviceInfo(*back));
  EXPECT_EQ(back->Count, 100);
  EXPECT_EQ(back->Records[99].PID, 99);
  EXPECT_EQ(fieldText(back->Records[0].Name), std::string(19, 'n'));

  writeFile(folder_ + "DeviceInfo.ini", "[Setting]\r\nCount=-4\r\n");
  ASSERT_TRUE(files.ReadDeviceInfo(*back));
  EXPECT_EQ(back->Count, 0);
}

TEST_F(SettingsFilesTest, SystemLanguageComesFromTheLocaleEnvironment) {
  for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) ::unsetenv(name);
  EXPECT_EQ(LanguageIndexFromSystem(), 1);
  ::setenv("LANG", "de_AT.UTF-8", 1);
  EXPECT_EQ(LanguageIndexFromSystem(), 4);
  ::setenv("LC_ALL", "es_AR.UTF-8", 1);
  EXPECT_EQ(LanguageIndexFromSystem(), 11);
  ::setenv("LANGUAGE", "zh_TW:en", 1);
  EXPECT_EQ(LanguageIndexFromSystem(), 14);
  ::setenv("LANGUAGE", "sv_FI", 1);  // only Sweden's Swedish has help
  EXPECT_EQ(LanguageIndexFromSystem(), 1);
  ::setenv("LANGUAGE", "C", 1);
  EXPECT_EQ(LanguageIndexFromSystem(), 1);

  EXPECT_EQ(LanguageIndexFromLanguageId(20490), 11);
  EXPECT_EQ(LanguageIndexFromLanguageId(21514), 1);
  EXPECT_EQ(LanguageIndexFromLanguageId(2052), 10);
  EXPECT_EQ(LanguageIndexFromLanguageId(1030), 0);
  EXPECT_EQ(LanguageIndexFromLanguageId(1066), 16);
}

}  // namespace
