// The Monitor with the simulated mouse and veskctl, each its own process.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "SuiteProcesses.h"
#include "platform/SharedMemory.h"
#include "settings/SharedImage.h"

namespace monitor {
namespace {

using testing::SuiteProcesses;

bool contains(const std::vector<std::string>& lines, const std::string& prefix) {
  return std::any_of(lines.begin(), lines.end(),
                     [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
}

class MonitorEndToEndTest : public ::testing::Test {
 protected:
  nlohmann::json status() { return nlohmann::json::parse(suite.veskctl("status --json").output); }
  // The Monitor has read the whole mouse and told it so (report 14, flag 1,
  // and the status wait after it).
  bool readDone() {
    const auto log = suite.reportLog();
    const auto hostActive = std::find(log.begin(), log.end(), "SET 0e 03 01");
    return hostActive != log.end() && hostActive + 1 != log.end();
  }
  void startConnected() {
    suite.startSimulator();
    monitorPid = suite.startMonitor();
    ASSERT_TRUE(SuiteProcesses::waitFor([&] { return readDone(); }));
    suite.sim("log --clear");
  }

  SuiteProcesses suite;
  pid_t monitorPid = -1;
};

TEST_F(MonitorEndToEndTest, ApplyWritesExactlyTheFlaggedReportsEachWithItsStatusWait) {
  startConnected();
  auto result = suite.veskctl("set CpiLevel_X2 18");
  EXPECT_EQ(result.exitCode, 0) << result.output;
  EXPECT_NE(result.output.find("applied through the Monitor"), std::string::npos);
  auto log = suite.reportLog();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].rfind("SET 06 2e 00 00 06 06 1f 08 10 24", 0), 0u) << log[0];
  EXPECT_EQ(log[1], "GET 04 01 00");

  suite.sim("log --clear");
  result = suite.veskctl("profile 3");
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(suite.reportLog(), (std::vector<std::string>{"SET 05 03 03", "GET 04 01 00"}));

  suite.sim("log --clear");
  result = suite.veskctl("set FunctionCode 13 --profile 1 --slot 4");
  EXPECT_EQ(result.exitCode, 0);
  log = suite.reportLog();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].rfind("SET 07 4d 01", 0), 0u) << log[0];
  EXPECT_EQ(log[1], "GET 04 01 00");

  suite.sim("log --clear");
  EXPECT_EQ(suite.veskctl("apply").exitCode, 0);  // nothing flagged: nothing sent
  EXPECT_TRUE(suite.reportLog().empty());
  EXPECT_EQ(suite.veskctl("apply --reset").exitCode, 0);
  EXPECT_EQ(suite.reportLog(), (std::vector<std::string>{"SET 09 06 0b 00 00 00", "GET 04 01 00"}));
  EXPECT_NE(suite.readFile(suite.folder() / "config" / "Default1.nmp").find("MacroKeyInfo4="),
            std::string::npos);
}

TEST_F(MonitorEndToEndTest, ProfileButtonChangesImageFilesSharedMemoryAndSound) {
  startConnected();
  ASSERT_EQ(status()["currentProfile"], 0);
  suite.sim("press 8");  // profile cycle on the simulated mouse
  ASSERT_TRUE(SuiteProcesses::waitFor([&] {
    return suite.readFile(suite.soundLog()).find("profile_two.wav") != std::string::npos;
  }));
  EXPECT_NE(suite.readFile(suite.folder() / "config.ini").find("CurrentProfile=1"),
            std::string::npos);
  EXPECT_EQ(status()["currentProfile"], 1);
  const std::string image = suite.run("'" + suite.tool("veskctl") + "' image --raw").output;
  ASSERT_EQ(image.size(), 314424u);
  EXPECT_EQ(image[0], 1);
  // Canonical wave scaled by the middle volume step (0.7): well below full scale.
  const std::string sound = suite.readFile(suite.soundLog());
  int samples = 0, peak = 0;
  ASSERT_EQ(std::sscanf(sound.c_str(), "profile_two.wav %d %d", &samples, &peak), 2);
  EXPECT_GT(samples, 1000);
  EXPECT_GT(peak, 0);
  EXPECT_LE(peak, 32767 * 0.7 + 1);
}

TEST_F(MonitorEndToEndTest, RemovalDuringTheReadEndsItAndArrivalReadsAgain) {
  suite.startSimulator();
  suite.sim("unplug --after 12");  // in the middle of the profile settings
  monitorPid = suite.startMonitor();
  ASSERT_TRUE(SuiteProcesses::waitFor([&] {
    return suite.readFile(suite.folder() / "config.ini").find("Device=0") != std::string::npos;
  }));
  const auto log = suite.reportLog();
  EXPECT_FALSE(contains(log, "GET 07"));  // the read ended before the buttons
  EXPECT_TRUE(suite.alive(monitorPid));
  EXPECT_EQ(status()["mouseConnected"], false);

  suite.sim("log --clear");
  suite.sim("plug");
  ASSERT_TRUE(SuiteProcesses::waitFor([&] { return readDone(); }));
  const auto again = suite.reportLog();
  EXPECT_EQ(again.front().rfind("GET 09", 0), 0u);  // the firmware check comes first
  EXPECT_TRUE(contains(again, "GET 07"));
  EXPECT_EQ(status()["mouseConnected"], true);
  EXPECT_TRUE(suite.alive(monitorPid));
}

TEST_F(MonitorEndToEndTest, WithoutTheDeviceLibraryTheMonitorRunsOn) {
  std::filesystem::remove(suite.folder() / "portkit.so");
  monitorPid = suite.startMonitor();
  ASSERT_TRUE(SuiteProcesses::waitFor([&] {
    return suite.readFile(suite.folder() / "config.ini").find("Device=0") != std::string::npos;
  }));
  const auto s = status();
  EXPECT_EQ(s["monitorRunning"], true);
  EXPECT_EQ(s["mouseConnected"], false);
  EXPECT_EQ(suite.veskctl("set DbleClickSpeed 650").exitCode, 0);
  EXPECT_NE(suite.readFile(suite.folder() / "config" / "Default0.nmp").find("DbleClickSpeed=650"),
            std::string::npos);
  EXPECT_TRUE(suite.alive(monitorPid));
  EXPECT_EQ(WEXITSTATUS(suite.stop(monitorPid)), 0);
}

// Another object under the shared image's name in the test's own session,
// of a size no Monitor can use, so no Monitor can create the shared memory
// while it lives. It never touches the objects of a suite the user runs.
class PlantedSharedImage {
 public:
  PlantedSharedImage() : object_(platform::SharedMemory::create(settings::kSharedImageName, 64)) {}
  bool planted() const { return object_ != nullptr; }

 private:
  std::unique_ptr<platform::SharedMemory> object_;
};

TEST_F(MonitorEndToEndTest, WithoutSharedMemoryTheMonitorRunsOn) {
  PlantedSharedImage planted;
  ASSERT_TRUE(planted.planted());
  startConnected();
  EXPECT_TRUE(suite.alive(monitorPid));
  EXPECT_NE(suite.run("'" + suite.tool("veskctl") + "' image --raw 2>/dev/null").exitCode, 0);
  suite.sim("press 8");
  EXPECT_TRUE(SuiteProcesses::waitFor([&] {
    return suite.readFile(suite.folder() / "config.ini").find("CurrentProfile=1") !=
           std::string::npos;
  }));
}

TEST_F(MonitorEndToEndTest, ASecondInstanceEndsAndAsksTheFirstToOpenTheConfiguration) {
  const auto marker = suite.folder() / "option-started";
  {
    std::ofstream option(suite.folder() / "VeskORBOpticalOption");
    option << "#!/bin/sh\ntouch '" << marker.string() << "'\n";
  }
  std::filesystem::permissions(suite.folder() / "VeskORBOpticalOption",
                               std::filesystem::perms::owner_all);
  monitorPid = suite.startMonitor();
  ASSERT_TRUE(SuiteProcesses::waitFor([&] { return status()["monitorRunning"] == true; }));
  const pid_t second = suite.startMonitor({"1"});
  EXPECT_EQ(suite.waitExit(second), 0);
  EXPECT_TRUE(SuiteProcesses::waitFor([&] { return std::filesystem::exists(marker); }));
  EXPECT_TRUE(suite.alive(monitorPid));
}

}  // namespace
}  // namespace monitor
