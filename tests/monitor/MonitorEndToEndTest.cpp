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
  suite.sim("press 22");  // "Profile Up" of the factory shift layer
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
  std::string joined;
  for (const auto& line : again) joined += line + "\n";
  EXPECT_EQ(again.front().rfind("GET 09", 0), 0u) << joined;  // the firmware check comes first
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
  suite.sim("press 22");
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

TEST_F(MonitorEndToEndTest, AnApplyDuringTheReadReachesTheMouse) {
  suite.startSimulator();
  suite.sim("busy 3");  // the read's first status wait takes 4.6 s
  monitorPid = suite.startMonitor();
  ASSERT_TRUE(SuiteProcesses::waitFor([&] { return contains(suite.reportLog(), "SET 04"); }));
  ASSERT_FALSE(readDone());
  const auto result = suite.veskctl("set CpiLevel_X2 18 --profile 0");
  EXPECT_EQ(result.exitCode, 0) << result.output;
  EXPECT_NE(result.output.find("applied through the Monitor"), std::string::npos);
  ASSERT_TRUE(SuiteProcesses::waitFor([&] { return readDone(); }));
  const auto mouse = nlohmann::json::parse(suite.sim("state --json").output);
  EXPECT_EQ(mouse["profiles"][0]["dpiLevels"][2], 18);
  EXPECT_NE(suite.readFile(suite.folder() / "config" / "Default0.nmp").find("CpiLevel_X2=18"),
            std::string::npos);
}

TEST_F(MonitorEndToEndTest, ShutdownWithQueuedUploadsEndsWithinASecond) {
  startConnected();
  // Every status poll answers busy: each colour block would wait 16 s.
  suite.sim("busy 1000000");
  for (int i = 0; i < 4; ++i) suite.sim("event 0xFD00 1");
  ASSERT_TRUE(SuiteProcesses::waitFor([&] { return contains(suite.reportLog(), "SET 1a"); }));
  const auto begin = std::chrono::steady_clock::now();
  const int status = suite.stop(monitorPid);
  const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - begin);
  std::printf("shutdown with 4 queued colour uploads: %lld ms\n",
              static_cast<long long>(took.count()));
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_LT(took.count(), 1500);
  // The host flag's report is the last one sent.
  const auto log = suite.reportLog();
  const auto hostOff = std::find(log.begin(), log.end(), "SET 0e 03 00");
  ASSERT_NE(hostOff, log.end());
  EXPECT_TRUE(std::none_of(hostOff + 1, log.end(),
                           [](const std::string& l) { return l.rfind("SET", 0) == 0; }));
  EXPECT_EQ(std::count_if(log.begin(), log.end(),
                          [](const std::string& l) { return l.rfind("SET 1a 00 00", 0) == 0; }),
            1);
}

TEST_F(MonitorEndToEndTest, TwoMonitorsInTwoSessionsEachOnItsOwnMouse) {
  startConnected();
  SuiteProcesses other;  // a second desktop session of the same user
  other.startSimulator();
  const pid_t otherMonitor = other.startMonitor();
  ASSERT_TRUE(SuiteProcesses::waitFor([&] {
    const auto log = other.reportLog();
    return std::find(log.begin(), log.end(), "SET 0e 03 01") != log.end();
  }));
  EXPECT_TRUE(other.alive(otherMonitor));
  const auto result = other.veskctl("set CpiLevel_X2 18 --profile 0");
  EXPECT_EQ(result.exitCode, 0) << result.output;
  EXPECT_TRUE(contains(other.reportLog(), "SET 06 2e 00"));

  suite.enter();
  EXPECT_TRUE(suite.alive(monitorPid));
  EXPECT_TRUE(suite.reportLog().empty()) << "the first session's mouse heard nothing";
  EXPECT_EQ(suite.veskctl("set CpiLevel_X3 20 --profile 0").exitCode, 0);
  EXPECT_TRUE(contains(suite.reportLog(), "SET 06 2e 00"));
  other.enter();
  EXPECT_EQ(other.stop(otherMonitor), 0);
  suite.enter();
}

TEST_F(MonitorEndToEndTest, DeviceCommandsRefuseWhileTheMonitorOwnsTheMouse) {
  startConnected();
  for (const char* command : {"device read", "device write"}) {
    const auto result = suite.run("'" + suite.tool("veskctl") + "' " + command + " --folder '" +
                                  suite.folder().string() + "' 2>&1");
    EXPECT_NE(result.exitCode, 0) << command;
    EXPECT_NE(result.output.find("veskctl apply"), std::string::npos) << result.output;
    EXPECT_NE(result.output.find("veskctl image --raw"), std::string::npos);
  }
  EXPECT_TRUE(suite.reportLog().empty()) << "the mouse heard nothing from veskctl";
}

// A runtime folder that is not a private folder of ours (here a file in its
// place) is refused; the Monitor says so and fails instead of ending quietly.
TEST_F(MonitorEndToEndTest, RefusedRuntimeFolderIsToldAndTheMonitorFails) {
  const std::filesystem::path runtime = std::getenv("XDG_RUNTIME_DIR");
  std::filesystem::remove_all(runtime / "vesk");
  std::ofstream(runtime / "vesk") << "planted";
  const auto result =
      suite.run("'" + (suite.folder() / "VeskORBOpticalMonitor").string() + "' 2>&1");
  EXPECT_NE(result.exitCode, 0);
  EXPECT_NE(result.output.find("is not a folder"), std::string::npos) << result.output;
}

}  // namespace
}  // namespace monitor
