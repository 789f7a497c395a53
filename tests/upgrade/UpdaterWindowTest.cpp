#include "upgrade/DeviceVersion.h"
#include "upgrade/UpdaterWindow.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <condition_variable>
#include <filesystem>
#include <fstream>

#include "UpdateModeMouse.h"
#include "upgrade/DialogScript.h"
#include "upgrade/StartPath.h"
#include "upgrade/UpdaterNames.h"

using namespace upgrade;
namespace fs = std::filesystem;

namespace {

struct FakeMonitor : MonitorPort {
  explicit FakeMonitor(platform::VirtualClock& clock) : clock(clock) {}
  platform::HWND findMonitor() override {
    findTimes.push_back(clock.now());
    return foundAfter-- <= 0 ? 77 : platform::kNoWindow;
  }
  void closeMonitor(platform::HWND monitor) override { closed.push_back(monitor); }
  void postCloseMonitor() override { ++posted; }
  bool startProgram(const std::string& path) override {
    started.push_back(path);
    return true;
  }
  platform::VirtualClock& clock;
  int foundAfter = 0;  // finds that come back empty first
  std::vector<std::int64_t> findTimes;
  std::vector<platform::HWND> closed;
  int posted = 0;
  std::vector<std::string> started;
};

struct FakeView : UpdaterView {
  void setProgressRange(int minimum, int maximum) override { range = {minimum, maximum}; }
  void setProgress(int p) override { progress.push_back(p); }
  void setTexts(const std::string& version, const std::string& file) override {
    versionText = version;
    fileName = file;
  }
  void setTitle(const std::string& t) override { title = t; }
  void centre() override {}
  void showSuccess() override { ++successes; }
  void showFailure() override { ++failures; }
  void startTimer(std::uintptr_t id, unsigned ms) override { timers.push_back({id, ms}); }
  void stopTimer(std::uintptr_t) override {
    if (onStopTimer) onStopTimer();
  }
  void close() override { ++closes; }
  std::pair<int, int> range{-1, -1};
  std::vector<int> progress;
  std::string versionText, fileName, title;
  int successes = 0, failures = 0, closes = 0;
  std::vector<std::pair<std::uintptr_t, unsigned>> timers;
  std::function<void()> onStopTimer;
};

// Records the calls into the library, and whether any report was exchanged
// after the library was closed.
struct FakeDevice : DeviceAccess {
  FakeDevice(UpdateModeMouse& mouse, std::vector<std::string>& calls, bool present)
      : mouse(mouse), calls(calls), isPresent(present) {}
  bool present() const override { return isPresent; }
  void openDevMonitor(platform::HWND w) override {
    calls.push_back("Open_DevMonitor " + std::to_string(w));
  }
  bool openFeatureDevice() override {
    calls.push_back("Open_FeatureDevice");
    return true;
  }
  void closeDevMonitor() override { calls.push_back("Close_DevMonitor"); }
  void closeFeatureDevice() override {
    calls.push_back("Close_FeatureDevice " + std::to_string(mouse.log.size()));
  }
  device::Transport& transport() override { return mouse; }
  ~FakeDevice() override { calls.push_back("unload"); }
  UpdateModeMouse& mouse;
  std::vector<std::string>& calls;
  bool isPresent;
};

struct UpdaterWindowTest : ::testing::Test {
  UpdaterWindowTest() {
    fs::create_directories(folder / "FWUpdate");
    writeConfig("fw.bin");
  }
  ~UpdaterWindowTest() override { fs::remove_all(folder); }

  void writeConfig(const std::string& name) {
    std::ofstream(folder / "FWUpdate" / "config.ini", std::ios::binary)
        << "[Firmware]\r\nName=" << name << "\r\nVersion=106\r\n";
  }
  void writeImage(std::size_t size) {
    std::vector<char> bytes(size, 0x5A);
    std::ofstream(folder / "FWUpdate" / "fw.bin", std::ios::binary)
        .write(bytes.data(), static_cast<long>(size));
  }
  UpdaterWindow& window() {
    if (!window_) {
      UpdaterWindow::Ports ports{monitor, view, clock,
                                 [this](const std::string&) -> std::unique_ptr<DeviceAccess> {
                                   return std::make_unique<FakeDevice>(mouse, calls,
                                                                       libraryPresent);
                                 },
                                 [this](platform::UINT m, platform::WPARAM w, platform::LPARAM l) {
                                   std::lock_guard lock(postedMutex);
                                   posted.push_back({platform::kNoWindow, m, w, l});
                                   postedChanged.notify_all();
                                 }};
      window_ = std::make_unique<UpdaterWindow>(ports, (folder / "FWUpdate").string() + "/");
    }
    return *window_;
  }
  // Waits until the worker reported its result, then hands every message to
  // the window as its loop would.
  void deliverUntilResult() {
    std::unique_lock lock(postedMutex);
    postedChanged.wait(
        lock, [&] { return !posted.empty() && posted.back().message == msg::kUpgradeResult; });
    const auto messages = posted;
    posted.clear();
    lock.unlock();
    for (const auto& m : messages) window().handle(m.message, m.wParam, m.lParam);
  }
  void fireStartTimer() { window().handle(platform::WM_TIMER, kStartTimer, 0); }

  fs::path folder = fs::temp_directory_path() / ("vesk-updater-" + std::to_string(::getpid()));
  platform::VirtualClock clock{0};
  UpdateModeMouse mouse{clock};
  FakeMonitor monitor{clock};
  FakeView view;
  std::vector<std::string> calls;
  bool libraryPresent = true;
  std::mutex postedMutex;
  std::condition_variable postedChanged;
  std::vector<platform::MSG> posted;
  std::unique_ptr<UpdaterWindow> window_;
};

}  // namespace

TEST_F(UpdaterWindowTest, StartClosesTheMonitorAndWaitsForItToLetGo) {
  monitor.foundAfter = 1;  // the second look finds it
  window().initialize(5);
  EXPECT_EQ(monitor.findTimes, (std::vector<std::int64_t>{0, 100}));
  EXPECT_EQ(monitor.closed, std::vector<platform::HWND>{77});
  EXPECT_EQ(clock.now(), 100 + 1800);
  EXPECT_EQ(calls, (std::vector<std::string>{"Open_DevMonitor 5", "Open_FeatureDevice"}));
  EXPECT_EQ(view.versionText, "1.05");
  EXPECT_EQ(view.fileName, "fw.bin");
  EXPECT_EQ(view.title, kUpdaterTitle);
  EXPECT_EQ(view.timers, (std::vector<std::pair<std::uintptr_t, unsigned>>{{100, 1000}}));
}

TEST_F(UpdaterWindowTest, NoMonitorToCloseCostsOneRetry) {
  monitor.foundAfter = 2;
  mouse.answersVersion = false;
  window().initialize(5);
  EXPECT_TRUE(monitor.closed.empty());
  EXPECT_EQ(clock.now(), 100);
  EXPECT_EQ(view.versionText, "N/A");
}

TEST_F(UpdaterWindowTest, SuccessfulUpdateShowsEveryBlockAndStartsTheMonitorAfterwards) {
  writeImage(2049);
  window().initialize(5);
  fireStartTimer();
  fireStartTimer();  // a second tick queued before the first was handled starts nothing
  EXPECT_EQ(view.range, (std::pair<int, int>{0, 2}));
  deliverUntilResult();
  EXPECT_EQ(view.progress, (std::vector<int>{0, 0, 1, 2, 2}));
  EXPECT_EQ(view.successes, 1);
  EXPECT_EQ(view.failures, 0);
  EXPECT_EQ(view.closes, 1);
  EXPECT_TRUE(window().upgradeFinished());
  EXPECT_EQ(mouse.sent(device::update::kBlockData).size(), 3u);

  EXPECT_TRUE(monitor.started.empty()) << "the Monitor starts when the window goes";
  window().destroy();
  EXPECT_EQ(monitor.started, std::vector<std::string>{(folder / "VeskORBOpticalMonitor").string()});
  EXPECT_EQ(calls.back(), "unload");
}

TEST_F(UpdaterWindowTest, FailedUpdateKeepsTheWindowAndTheMonitorClosed) {
  writeImage(3000);
  mouse.statuses = {1, 1, 1, 1, device::update::kStatusFailed};
  window().initialize(5);
  fireStartTimer();
  deliverUntilResult();
  EXPECT_EQ(view.failures, 1);
  EXPECT_EQ(view.closes, 0);
  window().destroy();
  EXPECT_TRUE(monitor.started.empty());
}

TEST_F(UpdaterWindowTest, NothingIsSentForAnImageThatCannotBeWritten) {
  for (const auto& [name, size] : {std::pair<std::string, std::size_t>{"missing.bin", 0},
                                   {"fw.bin", device::update::kMaxImageSize + 1},
                                   {"", 0}}) {
    SCOPED_TRACE(name + " " + std::to_string(size));
    writeConfig(name);
    if (size) writeImage(size);
    window().initialize(5);
    mouse.log.clear();
    fireStartTimer();
    EXPECT_EQ(view.failures, 1);
    EXPECT_TRUE(mouse.log.empty());
    window().destroy();
    window_.reset();
    view = FakeView{};
  }
}

TEST_F(UpdaterWindowTest, MissingLibraryFailsWithoutCallingIt) {
  writeImage(2049);
  libraryPresent = false;
  window().initialize(5);
  fireStartTimer();
  EXPECT_EQ(view.failures, 1);
  EXPECT_EQ(view.versionText, "N/A");
  window().destroy();
  EXPECT_EQ(calls, std::vector<std::string>{"unload"});
  EXPECT_TRUE(mouse.log.empty());
}

TEST_F(UpdaterWindowTest, ClosingDuringARunStopsTheWorkerBeforeTheLibraryCloses) {
  writeImage(50 * 1024);
  std::mutex m;
  std::condition_variable cv;
  bool closing = false;
  int reports = 0;
  window().initialize(5);
  view.timers.clear();
  mouse.onReport = [&] {
    // In the middle of block 3 the user closes the window.
    if (++reports != 20) return;
    std::unique_lock lock(m);
    cv.wait(lock, [&] { return closing; });
  };
  fireStartTimer();
  view.onStopTimer = [&] {
    std::lock_guard lock(m);
    closing = true;
    cv.notify_all();
  };
  window().destroy();
  const std::size_t exchanged = mouse.log.size();
  EXPECT_LE(exchanged, 21u) << "the worker stopped at its next step";
  ASSERT_GE(calls.size(), 3u);
  EXPECT_EQ(calls[calls.size() - 3], "Close_DevMonitor");
  EXPECT_EQ(calls[calls.size() - 2], "Close_FeatureDevice " + std::to_string(exchanged))
      << "nothing was exchanged after the library was closed";
  EXPECT_TRUE(monitor.started.empty());
  std::lock_guard lock(postedMutex);
  for (const auto& p : posted) EXPECT_NE(p.message, msg::kUpgradeResult);
}

TEST(UpdaterPieces, StartPathFollowsTheFirstCharacter) {
  EXPECT_EQ(startPathFor(""), StartPath::Confirm);
  EXPECT_EQ(startPathFor("1"), StartPath::Confirm);
  EXPECT_EQ(startPathFor("2"), StartPath::Confirm);
  EXPECT_EQ(startPathFor("0"), StartPath::Notice);
  EXPECT_EQ(startPathFor("09"), StartPath::Notice);
  EXPECT_EQ(startPathFor("5"), StartPath::Direct);
  EXPECT_EQ(startPathFor("x"), StartPath::Direct);
}

TEST(UpdaterPieces, DeviceVersionReadsAsDigitsWithAPoint) {
  EXPECT_EQ(deviceVersionText(105), "1.05");
  EXPECT_EQ(deviceVersionText(100), "1.00");
  EXPECT_EQ(deviceVersionText(255), "2.55");
  EXPECT_EQ(deviceVersionText(99), "N/A");
  EXPECT_EQ(deviceVersionText(0), "N/A");
  EXPECT_EQ(deviceVersionText(std::nullopt), "N/A");
}

TEST(UpdaterPieces, FirmwareFileNameWithoutFolderLiesBesideTheUpdater) {
  const std::string folder = "/opt/vesk/FWUpdate/";
  EXPECT_EQ(FirmwareFile("fw.bin", folder).path(), folder + "fw.bin");
  EXPECT_EQ(FirmwareFile("images\\fw 2.bin", folder).displayName(), "fw 2.bin");
  EXPECT_EQ(FirmwareFile("/srv/fw.bin", folder).path(), "/srv/fw.bin");
  EXPECT_TRUE(FirmwareFile("", folder).path().empty());
}

TEST(UpdaterPieces, DialogScriptAnswersInOrderAndSkipsWhatItDoesNotKnow) {
  DialogScript script(" OK, maybe ,cancel,exit");
  EXPECT_EQ(script.next(), DialogAnswer::Ok);
  EXPECT_EQ(script.next(), DialogAnswer::Cancel);
  EXPECT_EQ(script.next(), DialogAnswer::Exit);
  EXPECT_EQ(script.next(), std::nullopt);
}
