// The Configuration program with the Monitor and the simulated mouse, each its
// own process, on a private X server: the test clicks where the layout
// strings place the controls and looks at the mouse's report log and the files.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

#include "SuiteProcesses.h"
#include "platform/NamedMutex.h"
#include "platform/SharedMemory.h"
#include "settings/SettingsFiles.h"
#include "settings/SharedImage.h"

// Last: Xlib's macros (None, Bool, Status...) would break the headers above.
#include "OptionProgramRun.h"

namespace {

using monitor::testing::SuiteProcesses;
using option::testing::ScreenPoint;

using option::testing::kOptionTitle;

// The report 6 of the profile in the log, split into its bytes (after "SET").
std::optional<std::vector<std::string>> profileReport(const std::vector<std::string>& log,
                                                      int profile) {
  return option::testing::reportBytes(log, "SET 06 2e", profile);
}

bool contains(const std::vector<std::string>& log, const std::string& prefix) {
  return std::any_of(log.begin(), log.end(),
                     [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
}

class OptionEndToEndTest : public option::testing::OptionProgramRun {
 protected:
  bool waitForWindow() {
    return SuiteProcesses::waitFor([&] {
      if (auto at = x.windowOrigin(kOptionTitle)) {
        origin = *at;
        return true;
      }
      return false;
    });
  }
  // Clicks the middle of a layout rectangle of the main window.
  void clickAt(int left, int top, int width, int height) {
    x.click(origin.x + left + width / 2, origin.y + top + height / 2);
  }
  static constexpr int kProfileTabLefts[5] = {8, 165, 322, 479, 637};
  void clickProfileTab(int slot) { clickAt(kProfileTabLefts[slot], 485, 155, 25); }
  // What the window shows of a profile tab (selected or not).
  std::vector<unsigned long> profileTabPixels(int slot) {
    return x.pixels(origin.x + kProfileTabLefts[slot], origin.y + 485, 155, 25);
  }
  // A DPI level's bar: page position (12,124), row (395, 64 + 49 i), bar (1,1)-(302,16).
  void clickDpiBar(int level) { clickAt(12 + 395 + 1, 124 + 64 + 49 * level + 1, 301, 15); }
  void clickApply() { clickAt(640, 563, 72, 30); }
  void clickCancel() { clickAt(712, 563, 80, 30); }

  ScreenPoint origin{0, 0};
};

TEST_F(OptionEndToEndTest, ProfileAndDpiLevelChosenByClicksReachTheMouseOnApply) {
  const pid_t option = startOption();
  ASSERT_TRUE(waitForWindow());
  // A second start ends at once and leaves the first one running.
  const pid_t second = startOption();
  EXPECT_EQ(suite.waitExit(second), 255);
  EXPECT_TRUE(suite.alive(option));

  clickProfileTab(1);
  clickDpiBar(3);
  clickApply();
  ASSERT_TRUE(SuiteProcesses::waitFor([&] {
    return profileReport(suite.reportLog(), 1).has_value();
  })) << ::testing::PrintToString(suite.reportLog());
  const auto log = suite.reportLog();
  EXPECT_TRUE(contains(log, "SET 05 03 01"));
  EXPECT_EQ(profileReport(log, 1)->at(12), "03");  // Cpi_X: the fourth level
  const auto saved = files();
  EXPECT_EQ(saved->CurrentProfile, 1);
  EXPECT_EQ(saved->Profiles[1].Cpi_X, 3);

  // The mouse's own "Profile Up" button: the Monitor takes profile 3 and
  // tells the window, which marks its tab.
  const auto unmarked = profileTabPixels(2);
  suite.sim("press 22");
  ASSERT_TRUE(SuiteProcesses::waitFor([&] { return profileTabPixels(2) != unmarked; }));
  ASSERT_EQ(shared()->CurrentProfile, 2);
  // A change on the page of that profile, then Apply: the profile's settings
  // reach the mouse, and the profile the mouse chose stays current.
  const auto before = shared();
  int level = 0;
  while (level < 5 && (level == before->Profiles[2].Cpi_X || before->Profiles[2].dpi[level] == 0))
    ++level;
  ASSERT_LT(level, 5);
  suite.sim("log --clear");
  clickDpiBar(level);
  clickApply();
  ASSERT_TRUE(SuiteProcesses::waitFor([&] {
    return profileReport(suite.reportLog(), 2).has_value();
  })) << ::testing::PrintToString(suite.reportLog());
  const auto applied = suite.reportLog();
  EXPECT_FALSE(contains(applied, "SET 05")) << ::testing::PrintToString(applied);
  EXPECT_FALSE(profileReport(applied, 1).has_value());
  EXPECT_EQ(profileReport(applied, 2)->at(12), "0" + std::to_string(level));
  EXPECT_EQ(files()->CurrentProfile, 2);
  EXPECT_EQ(files()->Profiles[2].Cpi_X, level);
  EXPECT_EQ(shared()->CurrentProfile, 2);
  EXPECT_TRUE(suite.alive(option));
}

TEST_F(OptionEndToEndTest, CancelLeavesMouseSharedImageAndFilesUnchanged) {
  const pid_t option = startOption();
  ASSERT_TRUE(waitForWindow());
  const std::string configBefore = suite.readFile(suite.folder() / "config.ini");
  const auto sharedBefore = shared();
  clickProfileTab(4);
  clickDpiBar(0);
  clickCancel();
  EXPECT_EQ(suite.waitExit(option), 0);
  EXPECT_TRUE(suite.reportLog().empty()) << ::testing::PrintToString(suite.reportLog());
  EXPECT_EQ(suite.readFile(suite.folder() / "config.ini"), configBefore);
  EXPECT_EQ(std::memcmp(shared().get(), sharedBefore.get(), sizeof(settings::SettingsImage)), 0);
}

TEST_F(OptionEndToEndTest, ZoneColourAndEffectChosenOnTheColorPageReachTheMouseInReport6) {
  const pid_t option = startOption();
  ASSERT_TRUE(waitForWindow());
  clickProfileTab(0);
  clickAt(446, 79, 129, 37);             // the Color tab
  clickAt(12 + 128, 124 + 65, 11, 11);   // zone 2 on the mouse picture
  clickAt(12 + 349, 124 + 155, 24, 24);  // swatch 23: blue
  clickAt(12 + 638, 124 + 50, 100, 17);  // "Breathing"
  clickApply();
  ASSERT_TRUE(SuiteProcesses::waitFor([&] {
    return profileReport(suite.reportLog(), 0).has_value();
  })) << ::testing::PrintToString(suite.reportLog());
  const auto report = *profileReport(suite.reportLog(), 0);
  EXPECT_EQ(report.at(23), "03");          // effect: breathing
  EXPECT_EQ(report.at(25 + 4 * 2), "17");  // zone 2: colour index 23
  EXPECT_EQ(report.at(26 + 4 * 2), "00");
  EXPECT_EQ(report.at(27 + 4 * 2), "00");
  EXPECT_EQ(report.at(28 + 4 * 2), "fa");  // blue 250
  EXPECT_EQ(files()->Profiles[0].LightInfo[2].ColorIndex, 23);
  EXPECT_TRUE(suite.alive(option));
}

TEST_F(OptionEndToEndTest, ButtonsPressedOnTheMouseMoveTheTrophyPageCounters) {
  const pid_t option = startOption();
  ASSERT_TRUE(waitForWindow());
  // The left button's line ("%d clicks" at (144,58) of the page) and the
  // clicks' sum line below it, at the page position (12,124).
  auto counterLines = [&] { return x.pixels(origin.x + 12 + 144, origin.y + 124 + 58, 160, 80); };
  const auto mainPage = counterLines();
  clickAt(577, 79, 72, 37);  // the Trophy tab
  std::vector<unsigned long> before;
  ASSERT_TRUE(SuiteProcesses::waitFor([&] {
    before = counterLines();
    return !before.empty() && before != mainPage;
  })) << "the Trophy page is shown";
  const int countedBefore = shared()->InfoData.Counters[0];

  for (int press = 0; press < 3; ++press) ASSERT_EQ(suite.sim("press 1").exitCode, 0);
  ASSERT_TRUE(SuiteProcesses::waitFor([&] {
    return shared()->InfoData.Counters[0] == countedBefore + 3;
  })) << "the Monitor counts every click of the left button";
  EXPECT_TRUE(SuiteProcesses::waitFor([&] { return counterLines() != before; }))
      << "the page shows the new counts without being opened again";
  EXPECT_EQ(files()->InfoData.Counters[0], countedBefore + 3);
  EXPECT_TRUE(suite.alive(option));
}

}  // namespace
