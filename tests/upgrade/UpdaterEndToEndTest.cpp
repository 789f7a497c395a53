// The updater as the user meets it: the Monitor, the simulated mouse and the
// updater as processes in a private program folder and desktop session.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "../monitor/SuiteProcesses.h"

namespace {

namespace fs = std::filesystem;
using monitor::testing::SuiteProcesses;

constexpr const char* kUpdater = "VeskORBOptical Firmware Upgrade";

struct UpdaterEndToEndTest : ::testing::Test {
  UpdaterEndToEndTest() {
    dialogLog = (suite.folder().parent_path() / "dialogs.log").string();
    setenv("VESK_DIALOG_LOG", dialogLog.c_str(), 1);
    unsetenv("VESK_DIALOG_ANSWERS");
  }
  ~UpdaterEndToEndTest() override {
    // The updater and the Monitor it starts again are not our children:
    // end whatever runs from this test's own program folder.
    for (pid_t pid : programsRunning()) ::kill(pid, SIGKILL);
    unsetenv("VESK_DIALOG_ANSWERS");
    unsetenv("VESK_DIALOG_LOG");
  }

  // Processes whose program lies in this test's folder.
  std::vector<pid_t> programsRunning(const std::string& name = {}) {
    std::vector<pid_t> found;
    const std::string folder = suite.folder().string() + "/";
    for (const auto& entry : fs::directory_iterator("/proc")) {
      const std::string pidText = entry.path().filename().string();
      if (pidText.find_first_not_of("0123456789") != std::string::npos) continue;
      std::error_code ec;
      const std::string exe = fs::read_symlink(entry.path() / "exe", ec).string();
      if (ec || exe.rfind(folder, 0) != 0) continue;
      if (!name.empty() && fs::path(exe).filename() != name) continue;
      // A process that has ended but is not yet reaped runs nothing.
      std::ifstream stat(entry.path() / "stat");
      std::string statLine;
      std::getline(stat, statLine);
      const auto close = statLine.rfind(')');
      if (close != std::string::npos && close + 2 < statLine.size() && statLine[close + 2] == 'Z')
        continue;
      found.push_back(std::stoi(pidText));
    }
    return found;
  }
  std::string dialogs() { return suite.readFile(dialogLog); }
  int mouseVersion() {
    const std::string state = suite.sim("state").output;
    const auto at = state.find("firmware version: ");
    return at == std::string::npos ? -1 : std::atoi(state.c_str() + at + 18);
  }
  void packageImage(int version, std::size_t size) {
    const auto r = suite.run("'" + suite.tool("vesk-fwimage") + "' '" + suite.folder().string() +
                             "' --package --version " + std::to_string(version) + " --size " +
                             std::to_string(size));
    ASSERT_EQ(r.exitCode, 0) << r.output;
  }
  // The update-mode commands the mouse saw: command number, and for block
  // announcements the index and checksum.
  struct Command {
    int id;
    int index = -1;
    int checksum = -1;
  };
  std::vector<Command> updateCommands() {
    std::vector<Command> out;
    for (const std::string& line : suite.reportLog()) {
      if (line.rfind("SET 1b ", 0) != 0) continue;
      std::istringstream bytes(line.substr(4));
      std::vector<int> b;
      std::string hex;
      while (bytes >> hex && b.size() < 8) b.push_back(std::stoi(hex, nullptr, 16));
      Command c{b[1]};
      if (c.id == 3) {
        c.index = b[4] | (b[5] << 8);
        c.checksum = b[6] | (b[7] << 8);
      }
      out.push_back(c);
    }
    return out;
  }

  SuiteProcesses suite;
  std::string dialogLog;
};

TEST_F(UpdaterEndToEndTest, MonitorOffersTheUpdateAndComesBackAfterIt) {
  packageImage(106, 2049);
  suite.startSimulator();
  ASSERT_EQ(mouseVersion(), 105);
  setenv("VESK_DIALOG_ANSWERS", "ok,ok", 1);
  const pid_t first = suite.startMonitor();

  // The Monitor hands the mouse over and ends.
  EXPECT_EQ(suite.waitExit(first, 20000), 0);
  ASSERT_TRUE(SuiteProcesses::waitFor(
      [&] { return dialogs().find("success ok") != std::string::npos; }, 60000))
      << dialogs();
  EXPECT_EQ(dialogs(), "confirm ok\nsuccess ok\n");
  EXPECT_EQ(mouseVersion(), 106);

  const auto commands = updateCommands();
  std::vector<int> ids;
  for (const auto& c : commands) ids.push_back(c.id);
  EXPECT_EQ(ids, (std::vector<int>{0, 1, 2, 3, 4, 3, 4, 3, 4, 15}));
  const auto image = suite.readFile(suite.folder() / "FWUpdate" / "VeskORBOptical_FW_106.bin");
  ASSERT_EQ(image.size(), 2049u);
  for (int block = 0; block < 3; ++block) {
    int sum = 0;
    for (std::size_t i = block * 1024u; i < image.size() && i < (block + 1) * 1024u; ++i)
      sum += static_cast<unsigned char>(image[i]);
    EXPECT_EQ(commands[3 + 2 * block].index, block);
    EXPECT_EQ(commands[3 + 2 * block].checksum, sum & 0xFFFF);
  }

  // The updater ends and the Monitor runs again, now without an update to offer.
  EXPECT_TRUE(SuiteProcesses::waitFor([&] { return programsRunning(kUpdater).empty(); }));
  EXPECT_TRUE(SuiteProcesses::waitFor(
      [&] { return programsRunning("VeskORBOpticalMonitor").size() == 1; }));
}

TEST_F(UpdaterEndToEndTest, CancelClosesTheMonitorAndSendsNothing) {
  packageImage(106, 4000);
  suite.startSimulator();
  setenv("VESK_DIALOG_ANSWERS", "cancel", 1);
  const pid_t monitor = suite.startMonitor();
  EXPECT_EQ(suite.waitExit(monitor, 20000), 0);
  ASSERT_TRUE(SuiteProcesses::waitFor([&] { return !dialogs().empty(); }, 20000));
  EXPECT_TRUE(SuiteProcesses::waitFor([&] { return programsRunning().empty(); }))
      << "neither the updater nor a Monitor is left";
  EXPECT_EQ(dialogs(), "confirm cancel\n");
  EXPECT_TRUE(updateCommands().empty());
  EXPECT_EQ(mouseVersion(), 105);
}

TEST_F(UpdaterEndToEndTest, SecondStartEndsAtOnce) {
  const std::string updater = (suite.folder() / "FWUpdate" / kUpdater).string();
  const pid_t first = suite.start(updater, {"1"});  // waits in its confirmation
  ASSERT_TRUE(SuiteProcesses::waitFor([&] { return programsRunning(kUpdater).size() == 1; }));
  // Its guard (a file lock) is taken before anything is shown.
  ASSERT_TRUE(SuiteProcesses::waitFor([&] {
    return suite.readFile("/proc/locks").find(" " + std::to_string(first) + " ") !=
           std::string::npos;
  }));
  const pid_t second = suite.start(updater, {"1"});
  // Exit code -1, as the platform reports it.
  EXPECT_EQ(suite.waitExit(second, 10000), 255);
  EXPECT_TRUE(suite.alive(first));
}

TEST_F(UpdaterEndToEndTest, FailingMouseLeavesTheWindowOpenWithTheFailure) {
  packageImage(106, 3000);
  suite.startSimulator();
  ASSERT_EQ(suite.sim("fail-set 27 1").exitCode, 0);
  setenv("VESK_DIALOG_ANSWERS", "ok,ok", 1);
  const pid_t monitor = suite.startMonitor();
  EXPECT_EQ(suite.waitExit(monitor, 20000), 0);
  ASSERT_TRUE(SuiteProcesses::waitFor(
      [&] { return dialogs().find("failure ok") != std::string::npos; }, 30000))
      << dialogs();
  EXPECT_EQ(dialogs(), "confirm ok\nfailure ok\n");
  EXPECT_EQ(programsRunning(kUpdater).size(), 1u) << "the window stays open";
  EXPECT_TRUE(programsRunning("VeskORBOpticalMonitor").empty()) << "no Monitor after a failure";
  EXPECT_EQ(mouseVersion(), 105);
}

}  // namespace

namespace {

TEST_F(UpdaterEndToEndTest, MouseThatOnlyEverAsksForARepeatFailsTheUpdate) {
  packageImage(106, 1500);
  suite.startSimulator();
  ASSERT_EQ(suite.sim("status28 repeat 1000").exitCode, 0);
  setenv("VESK_DIALOG_ANSWERS", "ok,ok", 1);
  suite.startMonitor();
  ASSERT_TRUE(SuiteProcesses::waitFor(
      [&] { return dialogs().find("failure ok") != std::string::npos; }, 60000))
      << dialogs();
  const auto commands = updateCommands();
  EXPECT_EQ(commands.size(), 20u) << "the entry command, sent 20 times and no more";
  for (const auto& c : commands) EXPECT_EQ(c.id, 0);
  EXPECT_EQ(mouseVersion(), 105);
}

}  // namespace
