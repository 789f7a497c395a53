// The calibration wizard's logic against the real Monitor and the simulated
// mouse, each its own process: the wizard asks for pictures and a run, the
// Monitor captures from the mouse, stores the picture and forwards the
// mouse's outcome to the wizard found by its title.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "SuiteProcesses.h"
#include "option/CalibrationWizard.h"
#include "platform/Window.h"

namespace option {
namespace {

using monitor::testing::SuiteProcesses;
using Wizard = CalibrationWizard;

class CalibrationEndToEndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    suite.startSimulator();
    suite.startMonitor();
    // Read done: the host-active flag went to the mouse.
    ASSERT_TRUE(SuiteProcesses::waitFor([&] {
      const auto log = suite.reportLog();
      return std::find(log.begin(), log.end(), "SET 0e 03 01") != log.end();
    }));
    ASSERT_TRUE(SuiteProcesses::waitFor(
        [] { return platform::FindWindow("NIVARO Vesk ORB Optical Mouse Monitor") != 0; }));
  }
  nlohmann::json tracking() {
    return nlohmann::json::parse(suite.sim("state --json").output)["tracking"];
  }
  void postToMonitor(platform::UINT msg, platform::LPARAM lParam) {
    const platform::HWND monitor = platform::FindWindow("NIVARO Vesk ORB Optical Mouse Monitor");
    if (monitor != platform::kNoWindow) platform::PostMessage(monitor, msg, 0, lParam);
  }
  // Handles the wizard's messages and timer until the condition holds.
  static bool runUntil(const std::function<bool()>& condition, int timeoutMs = 40000) {
    for (int waited = 0; waited < timeoutMs && !condition(); waited += 100)
      platform::RunMessagesFor(100);
    return condition();
  }

  SuiteProcesses suite;
  int pictures = 0;
  Wizard wizard{Wizard::Ports{[this](platform::UINT m, platform::LPARAM l) { postToMonitor(m, l); },
                              [this] { ++pictures; },
                              {},
                              {}}};
};

TEST_F(CalibrationEndToEndTest, GoodSurfaceSucceedsAndAcceptKeepsTheCalibration) {
  const std::string blank = suite.readFile(suite.folder() / "Wave" / "sensorImage.bmp");
  ASSERT_TRUE(wizard.open());
  wizard.start();
  ASSERT_TRUE(runUntil([&] { return wizard.panel() == Wizard::Panel::Success; }))
      << tracking().dump();
  EXPECT_EQ(pictures, 5) << "each picture request announced a stored picture";
  const nlohmann::json t = tracking();
  EXPECT_EQ(t["sensorCaptures"], 5);
  EXPECT_GE(t["calibrationValue"].get<int>(), 96) << "the mean of a textured picture";
  EXPECT_EQ(t["calibrationState"], 0);
  const std::string stored = suite.readFile(suite.folder() / "Wave" / "sensorImage.bmp");
  EXPECT_EQ(stored.size(), blank.size());
  EXPECT_NE(stored, blank) << "the Monitor wrote the sensor picture";

  wizard.finish();
  postToMonitor(Wizard::kCalibrationMsg, 2);  // the confirmation's Accept
  EXPECT_TRUE(SuiteProcesses::waitFor([&] { return tracking()["calibrationState"] == 1; }));
  EXPECT_EQ(tracking()["calibrationValue"], t["calibrationValue"]);
}

TEST_F(CalibrationEndToEndTest, PoorSurfaceOffersRetryAndRefusalClearsTheValue) {
  ASSERT_EQ(suite.sim("surface poor").exitCode, 0);
  ASSERT_TRUE(wizard.open());
  wizard.start();
  ASSERT_TRUE(runUntil([&] { return wizard.panel() == Wizard::Panel::Retry; }));
  EXPECT_LT(tracking()["calibrationValue"].get<int>(), 32) << "a dim picture";

  // On a better surface the retried run succeeds without new pictures.
  ASSERT_EQ(suite.sim("surface good").exitCode, 0);
  wizard.retry();
  ASSERT_TRUE(runUntil([&] { return wizard.panel() == Wizard::Panel::Success; }));
  EXPECT_EQ(tracking()["sensorCaptures"], 5);

  wizard.cancel();
  postToMonitor(Wizard::kCalibrationMsg, 3);  // refused
  EXPECT_TRUE(SuiteProcesses::waitFor([&] {
    const nlohmann::json t = tracking();
    return t["calibrationValue"] == 0 && t["calibrationState"] == 0;
  }));
}

}  // namespace
}  // namespace option
