// The Advanced page in the running Configuration program, with the Monitor
// and the simulated mouse as processes on a private X server: the polling
// rate applied, the lift-off trial answered, a recalibration retried and kept,
// and the factory reset, each checked in the mouse's reports, its state and
// the settings files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <nlohmann/json.hpp>
#include <sstream>

#include "platform/NamedMutex.h"
#include "platform/SharedMemory.h"
#include "platform/Window.h"
#include "settings/SettingsFiles.h"
#include "settings/SharedImage.h"

// Last: Xlib's macros (None, Bool, Status...) would break the headers above.
#include "OptionProgramRun.h"

namespace {

using monitor::testing::SuiteProcesses;
using option::testing::kOptionTitle;
using option::testing::ScreenPoint;

constexpr const char* kMonitorTitle = "NIVARO Vesk ORB Optical Mouse Monitor";
constexpr const char* kLiftOffTrialTitle = "Lift-off distance trial";
constexpr const char* kLiftOffKeepTitle = "Keep the new lift-off distance?";
constexpr const char* kWizardTitle = "Vesk ORB Optical SFCCalibrateDlg";
constexpr const char* kCalibrationKeepTitle = "Keep the calibration?";
constexpr const char* kFactoryResetTitle = "Factory settings";

// Places in the main window: the Advanced tab, Apply, and the page.
struct Place {
  int left, top, width, height;
};
constexpr Place kAdvancedTab{291, 79, 153, 37};
constexpr Place kApply{640, 563, 72, 30};
constexpr ScreenPoint kPage{12, 124};
// On the page.
constexpr Place kPolling500Hz{240, 275, 60, 20};
constexpr Place kLiftOffExtraLow{224, 221, 82, 20};
constexpr Place kRecalibrate{85, 168, 90, 20};
constexpr Place kReset{665, 275, 100, 22};
// In the dialogs.
constexpr Place kTrialStart{25, 148, 120, 35};
constexpr Place kKeepAccept{157, 239, 140, 23};
constexpr Place kResetOk{72, 170, 56, 24};
// The wizard's panels lie at (42, 130); Retry and Continue share one place.
constexpr ScreenPoint kPanel{42, 130};
constexpr Place kWizardStart{27, 132, 187, 28};
constexpr Place kRetryOrContinue{235, 133, 185, 28};
constexpr Place kSensorPicture{60, 25, 125, 125};

// Report 15 lines of the log: "SET 0f 06" then lift-off, tracking control,
// calibration value and state.
std::vector<std::vector<int>> trackingReports(const std::vector<std::string>& log) {
  std::vector<std::vector<int>> reports;
  for (const std::string& line : log) {
    if (line.rfind("SET 0f 06 ", 0) != 0) continue;
    std::istringstream in(line.substr(10));
    std::vector<int> bytes;
    for (std::string hex; in >> hex;) bytes.push_back(std::stoi(hex, nullptr, 16));
    reports.push_back(bytes);
  }
  return reports;
}

// The calibration values of the runs: state 0 with a sampled value.
std::vector<int> runValues(const std::vector<std::string>& log) {
  std::vector<int> values;
  for (const auto& r : trackingReports(log))
    if (r.size() == 4 && r[2] != 0 && r[2] != 255 && r[3] == 0) values.push_back(r[2]);
  return values;
}
std::size_t calibrationRuns(const std::vector<std::string>& log) { return runValues(log).size(); }

class AdvancedPageEndToEndTest : public option::testing::OptionProgramRun {
 protected:
  std::optional<ScreenPoint> waitForWindow(const char* title, int timeoutMs = 15000) {
    std::optional<ScreenPoint> at;
    SuiteProcesses::waitFor([&] { return (at = x.windowOrigin(title)).has_value(); }, timeoutMs);
    return at;
  }
  void clickIn(ScreenPoint origin, Place p, ScreenPoint offset = {0, 0}) {
    x.click(origin.x + offset.x + p.left + p.width / 2, origin.y + offset.y + p.top + p.height / 2);
  }
  // Starts the program and shows its Advanced page.
  void openAdvancedPage() {
    startOption();
    const auto at = waitForWindow(kOptionTitle);
    ASSERT_TRUE(at);
    main = *at;
    clickIn(main, kAdvancedTab);
  }
  void clickOnPage(Place p) { clickIn(main, p, kPage); }

  nlohmann::json mouseState() { return nlohmann::json::parse(suite.sim("state --json").output); }
  // The mouse with tracking control on, as the Monitor last sent it: the
  // shared image says so and the Monitor hands it to the mouse.
  void trackingControlOnInTheMouse() {
    auto memory = platform::SharedMemory::open(settings::kSharedImageName, settings::kImageSize);
    auto mutex = platform::NamedMutex::open(settings::kImageMutexName);
    ASSERT_TRUE(memory && mutex);
    auto image = std::make_unique<settings::SettingsImage>();
    ASSERT_TRUE(settings::readSharedImage(*memory, *mutex, *image));
    image->TrackControlFlag = 1;
    ASSERT_TRUE(settings::writeSharedImage(*memory, *mutex, *image));
    platform::PostMessage(platform::FindWindow(kMonitorTitle), platform::WM_USER + 206, 0, 0);
    ASSERT_TRUE(
        SuiteProcesses::waitFor([&] { return mouseState()["tracking"]["trackControl"] == 1; }));
  }

  ScreenPoint main{0, 0};
};

TEST_F(AdvancedPageEndToEndTest, PollingRateAppliedAndLiftOffTrialKeptReachTheMouse) {
  openAdvancedPage();
  clickOnPage(kPolling500Hz);
  clickIn(main, kApply);
  std::optional<std::vector<std::string>> profileSettings;
  ASSERT_TRUE(SuiteProcesses::waitFor([&] {
    return (profileSettings = option::testing::reportBytes(suite.reportLog(), "SET 06 2e", 0))
        .has_value();
  })) << ::testing::PrintToString(suite.reportLog());
  EXPECT_EQ(profileSettings->at(19), "02");
  EXPECT_EQ(files()->Profiles[0].PollingRate, 2);

  // "Extra low": the Monitor tries it while the trial runs, the user keeps it.
  suite.sim("log --clear");
  clickOnPage(kLiftOffExtraLow);
  const auto trial = waitForWindow(kLiftOffTrialTitle);
  ASSERT_TRUE(trial);
  EXPECT_EQ(shared()->LiftOnFlag, 1) << "handed to the Monitor before the trial";
  clickIn(*trial, kTrialStart);
  ASSERT_TRUE(SuiteProcesses::waitFor([&] { return mouseState()["tracking"]["liftOn"] == 1; }));
  // The trial runs its ten seconds, then asks whether to keep the distance.
  const auto keep = waitForWindow(kLiftOffKeepTitle, 20000);
  ASSERT_TRUE(keep);
  clickIn(*keep, kKeepAccept);
  ASSERT_TRUE(
      SuiteProcesses::waitFor([&] { return trackingReports(suite.reportLog()).size() >= 2; }));
  const auto reports = trackingReports(suite.reportLog());
  EXPECT_EQ(reports[0], (std::vector<int>{1, 255, 255, 255})) << "trial started";
  EXPECT_EQ(reports[1], (std::vector<int>{1, 255, 255, 1})) << "trial confirmed";
  EXPECT_EQ(mouseState()["tracking"]["liftOn"], 1);
  EXPECT_EQ(files()->LiftOnFlag, 1);
  EXPECT_EQ(shared()->LiftOnFlag, 1);
}

// One run for both, as each waits for the mouse in real time: a calibration
// that was kept, and a profile and rate applied, are all undone by the reset.
TEST_F(AdvancedPageEndToEndTest, RecalibrationRetriedAndKeptThenResetToTheFactorySettings) {
  const nlohmann::json factory = mouseState();
  trackingControlOnInTheMouse();
  ASSERT_EQ(suite.sim("surface poor").exitCode, 0);
  openAdvancedPage();
  clickOnPage(kRecalibrate);
  const auto wizard = waitForWindow(kWizardTitle);
  ASSERT_TRUE(wizard);
  auto onPanel = [&](Place p) {
    return x.pixels(wizard->x + kPanel.x + p.left, wizard->y + kPanel.y + p.top, p.width, p.height);
  };
  clickIn(*wizard, kWizardStart, kPanel);
  // The progress panel has nothing where the retry and success panels have
  // their buttons.
  const auto progressPanel = onPanel(kRetryOrContinue);
  const auto firstPicture = onPanel(kSensorPicture);
  EXPECT_TRUE(SuiteProcesses::waitFor([&] { return onPanel(kSensorPicture) != firstPicture; }))
      << "each new sensor picture is shown";

  // Five pictures two seconds apart, then the run, which fails on this surface.
  ASSERT_TRUE(
      SuiteProcesses::waitFor([&] { return calibrationRuns(suite.reportLog()) == 1u; }, 30000));
  EXPECT_EQ(mouseState()["tracking"]["sensorCaptures"], 5);
  ASSERT_TRUE(SuiteProcesses::waitFor([&] { return onPanel(kRetryOrContinue) != progressPanel; }))
      << "the retry panel";
  // On a better surface the retried run succeeds without new pictures.
  ASSERT_EQ(suite.sim("surface good").exitCode, 0);
  clickIn(*wizard, kRetryOrContinue, kPanel);
  ASSERT_TRUE(SuiteProcesses::waitFor([&] { return calibrationRuns(suite.reportLog()) == 2u; }));
  ASSERT_TRUE(SuiteProcesses::waitFor([&] { return onPanel(kRetryOrContinue) != progressPanel; }))
      << "the success panel";
  EXPECT_EQ(mouseState()["tracking"]["sensorCaptures"], 5);
  // The retry runs on the pictures already taken.
  const int value = mouseState()["tracking"]["calibrationValue"];
  EXPECT_EQ(value, runValues(suite.reportLog()).front());

  clickIn(*wizard, kRetryOrContinue, kPanel);
  const auto keep = waitForWindow(kCalibrationKeepTitle);
  ASSERT_TRUE(keep) << "Continue asks whether to keep the calibration";
  EXPECT_EQ(calibrationRuns(suite.reportLog()), 2u) << "Continue starts no run";
  clickIn(*keep, kKeepAccept);
  ASSERT_TRUE(
      SuiteProcesses::waitFor([&] { return mouseState()["tracking"]["calibrationState"] == 1; }));
  const auto reports = trackingReports(suite.reportLog());
  EXPECT_EQ(reports.back(), (std::vector<int>{files()->LiftOnFlag, 1, value, 1}));
  EXPECT_EQ(mouseState()["tracking"]["trackControl"], 1);
  EXPECT_EQ(files()->TrackControlFlag, 1);

  // Another profile and rate applied, then the factory settings back.
  clickIn(main, {165, 485, 155, 25});  // profile 2
  clickOnPage(kPolling500Hz);
  clickIn(main, kApply);
  ASSERT_TRUE(SuiteProcesses::waitFor([&] {
    const nlohmann::json now = mouseState();
    return now["currentProfile"] == 1 && now["profiles"][1]["pollingRate"] == 2;
  }));

  clickOnPage(kReset);
  const auto confirm = waitForWindow(kFactoryResetTitle);
  ASSERT_TRUE(confirm);
  clickIn(*confirm, kResetOk);
  ASSERT_TRUE(SuiteProcesses::waitFor([&] {
    const auto log = suite.reportLog();
    return std::find(log.begin(), log.end(), "SET 09 06 0b 00 00 00") != log.end();
  })) << ::testing::PrintToString(suite.reportLog());
  const nlohmann::json after = mouseState();
  EXPECT_EQ(after["profiles"], factory["profiles"]);
  EXPECT_EQ(after["currentProfile"], 0);
  EXPECT_EQ(after["tracking"]["liftOn"], factory["tracking"]["liftOn"]);
  EXPECT_EQ(after["tracking"]["trackControl"], 0);
  EXPECT_EQ(after["tracking"]["calibrationValue"], 0);
  EXPECT_EQ(after["tracking"]["calibrationState"], 0);

  const auto saved = files();
  EXPECT_EQ(saved->CurrentProfile, 0);
  EXPECT_EQ(saved->WindowsProfile, -1);
  EXPECT_EQ(saved->LiftOnFlag, factory["tracking"]["liftOn"].get<int>());
  EXPECT_EQ(saved->TrackControlFlag, 0);
  auto profile = std::make_unique<settings::Profile>();
  for (int i = 0; i < settings::kProfileCount; ++i) {
    ASSERT_TRUE(settings::ResetProfile(*profile, i));
    // The current profile's pointer and wheel values are the desktop's.
    if (i == saved->CurrentProfile) {
      ASSERT_TRUE(settings::ReadWindowsMouseValues(*profile));
    }
    EXPECT_EQ(std::memcmp(profile.get(), &saved->Profiles[i], sizeof *profile), 0) << i;
  }
}

}  // namespace
