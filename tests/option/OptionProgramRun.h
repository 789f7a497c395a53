#pragma once

// The Configuration program as a user runs it: the simulated mouse and the
// Monitor as processes, the program on a private X server, and the mouse's
// report log to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "SuiteProcesses.h"
#include "platform/NamedMutex.h"
#include "platform/SharedMemory.h"
#include "settings/SettingsFiles.h"
#include "settings/SharedImage.h"

// Last: Xlib's macros (None, Bool, Status...) would break the headers above.
#include "PrivateXServer.h"

namespace option::testing {

inline constexpr const char* kOptionTitle = "NIVARO Vesk ORB Optical Mouse Option";

// The bytes after "SET" of the first report in the log that starts with the
// report's head and the profile byte (e.g. "SET 07 4d" and 0).
inline std::optional<std::vector<std::string>> reportBytes(const std::vector<std::string>& log,
                                                           const std::string& head, int profile) {
  char prefix[64];
  std::snprintf(prefix, sizeof prefix, "%s %02x", head.c_str(), profile);
  for (const std::string& line : log)
    if (line.rfind(prefix, 0) == 0) {
      std::istringstream in(line);
      std::vector<std::string> bytes;
      for (std::string t; in >> t;) bytes.push_back(t);
      bytes.erase(bytes.begin());
      return bytes;
    }
  return std::nullopt;
}

class OptionProgramRun : public ::testing::Test {
 protected:
  void SetUp() override {
    namespace fs = std::filesystem;
    ASSERT_FALSE(x.display().empty()) << "Xvfb did not start";
    const fs::path built = VESK_SUITE_DIR;
    fs::copy_file(built / "VeskORBOpticalOption", suite.folder() / "VeskORBOpticalOption");
    for (const char* folder : {"skin", "Gif", "help"})
      if (fs::exists(built / folder))
        fs::create_directory_symlink(built / folder, suite.folder() / folder);
    // The two faces the skin keeps by name in the program folder itself.
    for (const char* picture : {"Key_Assignment_normal.jpg", "macro_adjust_normal.jpg"})
      if (fs::exists(built / picture))
        fs::create_symlink(built / picture, suite.folder() / picture);
    suite.startSimulator();
    suite.startMonitor();
    ASSERT_TRUE(monitor::testing::SuiteProcesses::waitFor([&] { return readDone(); }));
    suite.sim("log --clear");
  }

  // The Monitor has read the whole mouse and told it so.
  bool readDone() {
    const auto log = suite.reportLog();
    const auto hostActive = std::find(log.begin(), log.end(), "SET 0e 03 01");
    return hostActive != log.end() && hostActive + 1 != log.end();
  }

  pid_t startOption() {
    setenv("DISPLAY", x.display().c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    const pid_t pid = suite.start((suite.folder() / "VeskORBOpticalOption").string());
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    return pid;
  }

  // The settings as the files and the shared image hold them now.
  std::unique_ptr<settings::SettingsImage> files() {
    auto image = std::make_unique<settings::SettingsImage>();
    settings::SettingsFiles(suite.folder().string() + "/").LoadAll(*image);
    return image;
  }
  std::unique_ptr<settings::SettingsImage> shared() {
    auto image = std::make_unique<settings::SettingsImage>();
    auto memory = platform::SharedMemory::open(settings::kSharedImageName, settings::kImageSize);
    auto mutex = platform::NamedMutex::open(settings::kImageMutexName);
    if (memory && mutex) settings::readSharedImage(*memory, *mutex, *image);
    return image;
  }

  PrivateXServer x;
  monitor::testing::SuiteProcesses suite;
};

}  // namespace option::testing
