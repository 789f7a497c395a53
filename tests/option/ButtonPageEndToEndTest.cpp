// The Button Assign page in the running Configuration program, with the
// Monitor and the simulated mouse as processes on a private X server: a user
// gives button 6 a shortcut and button 7 a program, applies, and the mouse
// receives both in its button report.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "settings/SettingsFiles.h"

#include "OptionProgramRun.h"

namespace {

using monitor::testing::SuiteProcesses;
using option::testing::ScreenPoint;

using option::testing::kOptionTitle;
constexpr const char* kShortcutTitle = "Mobe Key Shortcut Dialog";
constexpr const char* kProgramTitle = "Quicklaunch program";
// Where the page sits in the main window, and its bars of slots 6 and 7.
constexpr ScreenPoint kPage{12, 124};
constexpr int kBarX = 33, kBarWidth = 158, kBarHeight = 17;
constexpr int barTop(int slot) { return 40 + 19 * slot; }
// Rows of the function menu of a normal-layer button other than 4 and 5: the
// submenus, a separator, then the plain functions. Every row is 16 pixels
// high inside a 3-pixel frame.
constexpr int kShortcutRow = 12;
constexpr int kQuicklaunchRow = 20;

// The button report of a profile in the mouse's log, its bytes after "SET".
std::optional<std::vector<std::string>> buttonReport(const std::vector<std::string>& log,
                                                     int profile) {
  return option::testing::reportBytes(log, "SET 07 4d", profile);
}

class ButtonPageEndToEndTest : public option::testing::OptionProgramRun {
 protected:
  std::optional<ScreenPoint> waitForWindow(const char* title) {
    std::optional<ScreenPoint> at;
    SuiteProcesses::waitFor([&] { return (at = x.windowOrigin(title)).has_value(); });
    return at;
  }
  void clickIn(ScreenPoint origin, int left, int top, int width, int height) {
    x.click(origin.x + left + width / 2, origin.y + top + height / 2);
  }
  // Opens the bar's menu and clicks a row of it; the menu opens at the bar's
  // bottom-left corner.
  void chooseFromMenu(int slot, int row) {
    clickIn(window, kPage.x + kBarX, kPage.y + barTop(slot), kBarWidth, kBarHeight);
    const int menuTop = window.y + kPage.y + barTop(slot) + kBarHeight;
    x.click(window.x + kPage.x + kBarX + 40, menuTop + 3 + 16 * row + 8);
  }

  ScreenPoint window{0, 0};
};

TEST_F(ButtonPageEndToEndTest, ShortcutAndProgramChosenOnThePageReachTheMouseInReport7) {
  // The program the button is to start: an executable file.
  const std::filesystem::path program = suite.folder() / "tool.sh";
  std::ofstream(program) << "#!/bin/sh\n";
  ::chmod(program.c_str(), 0755);

  const pid_t option = startOption();
  const auto main = waitForWindow(kOptionTitle);
  ASSERT_TRUE(main);
  window = *main;
  clickIn(window, 8, 485, 155, 25);   // profile slot 1
  clickIn(window, 130, 79, 159, 37);  // the Button Assign tab

  chooseFromMenu(5, kShortcutRow);
  const auto shortcut = waitForWindow(kShortcutTitle);
  ASSERT_TRUE(shortcut) << "the key combination dialog opens";
  x.type(XK_k);
  clickIn(*shortcut, 80, 102, 50, 18);   // Shift
  clickIn(*shortcut, 134, 102, 46, 18);  // Ctrl
  clickIn(*shortcut, 14, 162, 60, 30);   // OK
  ASSERT_TRUE(SuiteProcesses::waitFor([&] { return !x.windowOrigin(kShortcutTitle); }));

  chooseFromMenu(6, kQuicklaunchRow);
  const auto programDialog = waitForWindow(kProgramTitle);
  ASSERT_TRUE(programDialog) << "the program dialog opens";
  clickIn(*programDialog, 27, 88, 227, 15);  // the path entry
  x.typeText(program.string());
  clickIn(*programDialog, 72, 200, 56, 24);  // OK
  ASSERT_TRUE(SuiteProcesses::waitFor([&] { return !x.windowOrigin(kProgramTitle); }));

  clickIn(window, 640, 563, 72, 30);  // Apply
  ASSERT_TRUE(SuiteProcesses::waitFor([&] {
    return buttonReport(suite.reportLog(), 0).has_value();
  })) << ::testing::PrintToString(suite.reportLog());
  const auto report = *buttonReport(suite.reportLog(), 0);
  // Group of slot b at byte 3 + 3 b: code, modifier bits, key.
  EXPECT_EQ(report.at(3 + 3 * 5), "05");
  EXPECT_EQ(report.at(4 + 3 * 5), "06");  // Shift and Ctrl
  EXPECT_EQ(report.at(5 + 3 * 5), "0e");  // K
  EXPECT_EQ(report.at(3 + 3 * 6), "0f");
  EXPECT_EQ(report.at(4 + 3 * 6), "00");

  auto saved = std::make_unique<settings::SettingsImage>();
  settings::SettingsFiles(suite.folder().string() + "/").LoadAll(*saved);
  EXPECT_EQ(std::string(saved->Profiles[0].MacroKeyInfo[6].ProgramPath), program.string());
  EXPECT_TRUE(suite.alive(option));
}

}  // namespace
