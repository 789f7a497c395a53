#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "SysTestSupport.h"

using namespace vesk_test_support;
namespace fs = std::filesystem;

namespace {

void touch(const fs::path& p) { std::ofstream(p) << "x"; }

TEST(Paths, ProgramFolderIsTheExecutablesFolder) {
  const std::string folder = platform::ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '/');
  EXPECT_EQ(fs::path(folder), fs::canonical("/proc/self/exe").parent_path() / "");
}

TEST(Paths, ResolvesEachComponentCaseInsensitively) {
  TempFolder root;
  const fs::path base = root.path();
  fs::create_directories(base / "Wave" / "Volume");
  fs::create_directories(base / "config");
  touch(base / "Wave" / "Volume" / "Up.wav");
  touch(base / "config" / "Default0.nmp");
  const std::string b = root.path();

  EXPECT_EQ(platform::ResolvePath(b + "\\wave\\VOLUME\\up.WAV"), b + "/Wave/Volume/Up.wav");
  EXPECT_EQ(platform::ResolveIn(b + "/", "CONFIG\\default0.NMP"), b + "/config/Default0.nmp");
  EXPECT_EQ(platform::ResolveIn(b, "config\\Default0.nmp"), b + "/config/Default0.nmp");
  // Missing parts are kept as written, so the path can name a new file.
  EXPECT_EQ(platform::ResolvePath(b + "\\CONFIG\\New.nmp"), b + "/config/New.nmp");
  EXPECT_EQ(platform::ResolvePath(b + "\\Gif\\A\\b.gif"), b + "/Gif/A/b.gif");
  EXPECT_EQ(platform::ResolvePath(b + "\\wave\\"), b + "/Wave/");
  EXPECT_TRUE(platform::FileExists(platform::ResolvePath(b + "\\wave\\volume\\UP.wav")));
  EXPECT_FALSE(platform::FileExists(b + "/wave/volume/up.wav"));
}

TEST(Paths, ExactMatchWinsOverOtherSpellings) {
  TempFolder root;
  const std::string b = root.path();
  fs::create_directories(b + "/Help");
  fs::create_directories(b + "/help");
  fs::create_directories(b + "/HELP");
  EXPECT_EQ(platform::ResolvePath(b + "\\help"), b + "/help");
  EXPECT_EQ(platform::ResolvePath(b + "\\HELP"), b + "/HELP");
  EXPECT_EQ(platform::ResolvePath(b + "\\hElp"), b + "/HELP") << "first in name order";
}

TEST(Paths, ProgramAndLibraryNamesOfTheSystemMapToLocalOnes) {
  TempFolder root;
  const std::string b = root.path();
  fs::create_directories(b + "/FWUpdate");
  touch(b + "/FWUpdate/VeskORBOptical Firmware Upgrade");
  touch(b + "/portkit.so");
  touch(b + "/Tool.exe");
  EXPECT_EQ(platform::ResolveIn(b, "fwupdate\\VeskORBOptical Firmware Upgrade.exe"),
            b + "/FWUpdate/VeskORBOptical Firmware Upgrade");
  EXPECT_EQ(platform::ResolveIn(b, "PortKit.dll"), b + "/portkit.so");
  EXPECT_EQ(platform::ResolveIn(b, "tool.EXE"), b + "/Tool.exe") << "a real .exe file wins";
  EXPECT_EQ(platform::ResolveIn(b, "Other.exe"), b + "/Other.exe");
}

}  // namespace
