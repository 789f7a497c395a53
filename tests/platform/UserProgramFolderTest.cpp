#include "platform/UserProgramFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>
#include <vector>

#include "SysTestSupport.h"

using namespace vesk_test_support;
using platform::UserProgramFolder;
namespace fs = std::filesystem;

namespace {

void write(const fs::path& p, const std::string& text) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << text;
}

std::string read(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Every entry of a tree with its kind and contents, to prove it unchanged.
std::map<std::string, std::string> snapshot(const fs::path& root) {
  std::map<std::string, std::string> entries;
  for (const auto& e : fs::recursive_directory_iterator(root)) {
    const std::string name = fs::relative(e.path(), root).string();
    if (e.is_symlink())
      entries[name] = "link " + fs::read_symlink(e.path()).string();
    else if (e.is_directory())
      entries[name] = "folder";
    else
      entries[name] = read(e.path());
  }
  return entries;
}

// An installed program folder as the package lays it out.
class InstalledFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    write(installed / UserProgramFolder::kInstalledMarker, "");
    write(installed / "VeskORBOpticalMonitor", "program");
    write(installed / "portkit.ini", "[Device]\r\nVID=1234\r\n");
    write(installed / "Wave" / "Volume" / "up.wav", "sound");
    write(installed / "Wave" / "sensorImage.bmp", "blank picture");
    write(installed / "FWUpdate" / "config.ini", "[FW]\r\nVersion=105\r\n");
    write(installed / "config" / "Default0.nmp", "factory profile");
  }

  std::string refresh() const {
    return UserProgramFolder(installed.string(), user.string()).refresh();
  }

  TempFolder root;
  fs::path installed = fs::path(root.path()) / "usr/lib/vesk-orb";
  fs::path user = fs::path(root.path()) / "home/.config/vesk-orb";
};

TEST_F(InstalledFolder, UserFolderLinksInstalledFilesAndOwnsItsSettings) {
  const auto before = snapshot(installed);
  ASSERT_EQ(refresh(), "");

  EXPECT_EQ(fs::read_symlink(user / "VeskORBOpticalMonitor"), installed / "VeskORBOpticalMonitor");
  EXPECT_EQ(fs::read_symlink(user / "Wave/Volume/up.wav"), installed / "Wave/Volume/up.wav");
  // The firmware version file names the firmware the package ships: it
  // follows the installed file.
  EXPECT_TRUE(fs::is_symlink(user / "FWUpdate/config.ini"));
  EXPECT_TRUE(fs::is_directory(fs::symlink_status(user / "Wave")));
  EXPECT_TRUE(fs::is_directory(fs::symlink_status(user / "FWUpdate")));
  EXPECT_FALSE(fs::exists(fs::symlink_status(user / UserProgramFolder::kInstalledMarker)));

  // The settings the programs write are the user's own copies: the sensor
  // picture is rewritten in place, which must never reach the shared file.
  ASSERT_FALSE(fs::is_symlink(user / "Wave/sensorImage.bmp"));
  ASSERT_FALSE(fs::is_symlink(user / "config/Default0.nmp"));
  EXPECT_EQ(read(user / "config/Default0.nmp"), "factory profile");
  std::fstream(user / "Wave/sensorImage.bmp", std::ios::in | std::ios::out | std::ios::binary)
      << "captured";
  write(user / "config.ini", "[Global]\r\n");
  EXPECT_EQ(snapshot(installed), before);
  EXPECT_EQ(read(installed / "Wave/sensorImage.bmp"), "blank picture");
}

TEST_F(InstalledFolder, RefreshKeepsTheUsersFilesAndFollowsAPackageUpdate) {
  ASSERT_EQ(refresh(), "");
  write(user / "config/Default0.nmp", "my profile");
  fs::remove(user / "portkit.ini");
  write(user / "portkit.ini", "[Device]\r\nVID=4321\r\n");
  write(fs::path(root.path()) / "mine.so", "my library");
  fs::create_symlink(fs::path(root.path()) / "mine.so", user / "portkit.so");

  // The update adds a library, drops a sound and installs a factory
  // portkit.so the user has already replaced.
  write(installed / "portkit.so", "real library");
  write(installed / "Wave/Volume/down.wav", "sound");
  fs::remove(installed / "Wave/Volume/up.wav");
  write(installed / "config/Default0.nmp", "new factory profile");
  ASSERT_EQ(refresh(), "");

  EXPECT_EQ(read(user / "config/Default0.nmp"), "my profile");
  EXPECT_EQ(read(user / "portkit.ini"), "[Device]\r\nVID=4321\r\n");
  EXPECT_EQ(read(user / "portkit.so"), "my library");
  EXPECT_TRUE(fs::is_symlink(user / "Wave/Volume/down.wav"));
  EXPECT_FALSE(fs::exists(fs::symlink_status(user / "Wave/Volume/up.wav")));

  // A factory settings file the user deleted comes back from the factory copy.
  fs::remove(user / "config/Default0.nmp");
  ASSERT_EQ(refresh(), "");
  EXPECT_EQ(read(user / "config/Default0.nmp"), "new factory profile");
}

TEST_F(InstalledFolder, LinksIntoAFormerInstallFolderAreRenewed) {
  const fs::path former = fs::path(root.path()) / "usr/local/lib/vesk-orb";
  fs::create_directories(user / "Wave");
  fs::create_symlink(former / "VeskORBOpticalMonitor", user / "VeskORBOpticalMonitor");
  // A folder linked whole would let links be made inside the installed folder.
  fs::create_directory_symlink(installed / "FWUpdate", user / "FWUpdate");
  const auto before = snapshot(installed);
  ASSERT_EQ(refresh(), "");
  EXPECT_EQ(fs::read_symlink(user / "VeskORBOpticalMonitor"), installed / "VeskORBOpticalMonitor");
  EXPECT_TRUE(fs::is_directory(fs::symlink_status(user / "FWUpdate")));
  EXPECT_EQ(snapshot(installed), before);
}

TEST_F(InstalledFolder, ProgramsStartingTogetherAllSucceed) {
  std::vector<std::string> problems(6);
  std::vector<std::thread> starts;
  for (std::string& problem : problems) starts.emplace_back([&] { problem = refresh(); });
  for (auto& t : starts) t.join();
  for (const std::string& problem : problems) EXPECT_EQ(problem, "");
  EXPECT_EQ(read(user / "config/Default0.nmp"), "factory profile");
  EXPECT_EQ(read(user / "Wave/Volume/up.wav"), "sound");
  // No temporaries left behind by the copies that lost the race.
  for (const auto& e : fs::recursive_directory_iterator(user))
    EXPECT_EQ(e.path().filename().string().find(".tmp."), std::string::npos) << e.path();
}

TEST_F(InstalledFolder, AFolderThatCannotBeMadeIsReported) {
  write(fs::path(root.path()) / "home/.config", "a file, not a folder");
  const std::string problem = refresh();
  EXPECT_NE(problem.find(".config"), std::string::npos) << problem;
  EXPECT_NE(problem.find("Not a directory"), std::string::npos) << problem;
}

TEST(UserProgramFolderLocation, InstalledLayoutIsFoundFromEveryProgramsFolder) {
  TempFolder root;
  const fs::path base = root.path();
  write(base / "lib/vesk-orb" / UserProgramFolder::kInstalledMarker, "");
  fs::create_directories(base / "lib/vesk-orb/FWUpdate");
  fs::create_directories(base / "build/suite/FWUpdate");

  const auto monitor = UserProgramFolder::installedLayoutOf((base / "lib/vesk-orb/").string());
  ASSERT_TRUE(monitor);
  EXPECT_EQ(monitor->root, (base / "lib/vesk-orb/").string());
  EXPECT_EQ(monitor->subfolder, "");
  const auto updater =
      UserProgramFolder::installedLayoutOf((base / "lib/vesk-orb/FWUpdate/").string());
  ASSERT_TRUE(updater);
  EXPECT_EQ(updater->root, (base / "lib/vesk-orb/").string());
  EXPECT_EQ(updater->subfolder, "FWUpdate/");
  // A build folder keeps its settings beside the programs.
  EXPECT_FALSE(UserProgramFolder::installedLayoutOf((base / "build/suite/").string()));
  EXPECT_FALSE(UserProgramFolder::installedLayoutOf((base / "build/suite/FWUpdate/").string()));
}

TEST(UserProgramFolderLocation, UnderTheConfigHomeOrHomesConfig) {
  {
    ScopedEnv config("XDG_CONFIG_HOME", "/somewhere/cfg/");
    EXPECT_EQ(UserProgramFolder::defaultLocation(), "/somewhere/cfg/vesk-orb/");
  }
  // A relative config home is to be ignored.
  ScopedEnv config("XDG_CONFIG_HOME", "relative/cfg");
  ScopedEnv home("HOME", "/home/someone");
  EXPECT_EQ(UserProgramFolder::defaultLocation(), "/home/someone/.config/vesk-orb/");
}

TEST(UserProgramFolderLocation, SettingsAreKnownInAnyLetterCase) {
  EXPECT_TRUE(UserProgramFolder::isUserSetting("config.ini"));
  EXPECT_TRUE(UserProgramFolder::isUserSetting("DEVICEINFO.INI"));
  EXPECT_TRUE(UserProgramFolder::isUserSetting("wave/SensorImage.bmp"));
  EXPECT_TRUE(UserProgramFolder::isUserSetting("Config/Timer.ini"));
  EXPECT_FALSE(UserProgramFolder::isUserSetting("FWUpdate/config.ini"));
  EXPECT_FALSE(UserProgramFolder::isUserSetting("portkit.ini"));
  EXPECT_FALSE(UserProgramFolder::isUserSetting("help/English_help.ini"));
  EXPECT_FALSE(UserProgramFolder::isUserSetting("config"));
}

}  // namespace
