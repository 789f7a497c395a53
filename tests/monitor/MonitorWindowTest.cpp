#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <fstream>
#include <iterator>
#include <mutex>
#include <thread>

#include "MonitorRig.h"
#include "monitor/MonitorNames.h"
#include "monitor/MonitorWindow.h"
#include "platform/VirtualClock.h"

namespace monitor {
namespace {

using namespace monitor::testing;
constexpr platform::HWND kOption = 200;
constexpr platform::HWND kCalibration = 300;
constexpr platform::HWND kOsd = 400;

class MonitorWindowTest : public MonitorRig {
 protected:
  MonitorWindow& start(bool openConfiguration = false) {
    createResult = create(services(), openConfiguration);
    return *monitor;
  }
  void event(unsigned type, unsigned value) {
    monitor->handle(msg::kDeviceEvent, type, static_cast<platform::LPARAM>(value));
  }
  settings::Profile& profile(int p) { return monitor->image().Profiles[p]; }

  platform::LRESULT createResult = 0;
};

TEST_F(MonitorWindowTest, StartsConnectedAndReadsTheMouseShortlyAfter) {
  files.quickHelpLan = -1;
  start();
  EXPECT_EQ(createResult, 0);
  EXPECT_TRUE(monitor->connected());
  EXPECT_TRUE(monitor->trayVisible());
  EXPECT_EQ(files.device, 1);
  EXPECT_TRUE(files.firstRun);
  EXPECT_TRUE(files.deviceInfoWritten);
  EXPECT_EQ(monitor->image().QuickHelpLan, 4);
  EXPECT_EQ(share.shared.QuickHelpLan, 4);
  EXPECT_EQ(desktop.values.doubleClickTime, 480);
  EXPECT_TRUE(window.timerRunning(timer::kProfileSwitch));
  EXPECT_TRUE(worker.commands.empty());
  advance(200);
  ASSERT_EQ(worker.commands.size(), 1u);
  EXPECT_EQ(worker.commands[0].first, WorkerCommand::ReadEverything);
  EXPECT_FALSE(window.timerRunning(timer::kFirstRead));
}

TEST_F(MonitorWindowTest, ASecondMonitorFindsTheImageMutexAndEnds) {
  share.createResult = ImageShare::Created::MutexExisted;
  start();
  EXPECT_EQ(createResult, -1);
  EXPECT_FALSE(mouse.called("openMonitor"));
}

TEST_F(MonitorWindowTest, RunsOnWithoutSharedMemoryOrMouse) {
  share.createResult = ImageShare::Created::NoMemory;
  mouse.present = false;
  start();
  EXPECT_EQ(createResult, 0);
  EXPECT_FALSE(monitor->connected());
  EXPECT_EQ(files.device, 0);
  EXPECT_FALSE(window.timerRunning(timer::kFirstRead));
  event(0x2000, 2);  // still follows the profile, with nothing to publish
  EXPECT_EQ(monitor->image().CurrentProfile, 1);
}

TEST_F(MonitorWindowTest, ReadEverythingSavesPublishesAndTellsTheEditor) {
  window.windows[kOptionTitle] = kOption;
  mouse.mouseProfile = 3;
  start();
  monitor->runWorkerCommand(WorkerCommand::ReadEverything, 0);
  EXPECT_EQ(files.saveAllCount, 1);
  EXPECT_EQ(files.savedFirmware, 106);
  EXPECT_EQ(share.shared.CurrentProfile, 3);
  EXPECT_EQ(files.savedProfile, 3);
  EXPECT_EQ(window.postedCount(kOption, msg::kMouseRead), 1);
  EXPECT_EQ(mouse.calls.back(), "hostActive 1");
  EXPECT_FALSE(monitor->workerBusy());
}

TEST_F(MonitorWindowTest, RemovalDuringTheReadAbortsItAndArrivalReadsAgain) {
  window.windows[kOptionTitle] = kOption;
  start();
  mouse.onRead = [&] { monitor->handle(msg::kDevicePlug, 0, 0); };
  monitor->runWorkerCommand(WorkerCommand::ReadEverything, 0);
  EXPECT_EQ(monitor->plug(), MonitorWindow::Plug::Removed);
  EXPECT_EQ(files.saveAllCount, 0);            // an aborted read publishes nothing
  EXPECT_FALSE(mouse.called("hostActive 1"));  // nor tells the next mouse it was read
  EXPECT_EQ(window.postedCount(kOption, msg::kMouseRead), 0);
  EXPECT_EQ(window.postedCount(kOption, platform::WM_CLOSE), 1);
  EXPECT_EQ(files.device, 0);
  EXPECT_FALSE(monitor->trayVisible());
  EXPECT_FALSE(window.timerRunning(timer::kProfileSwitch));

  monitor->handle(msg::kDevicePlug, 0, 0);  // removal while removed: ignored
  EXPECT_EQ(window.postedCount(kOption, platform::WM_CLOSE), 1);

  mouse.onRead = nullptr;
  const auto before = platform::now();
  monitor->handle(msg::kDevicePlug, 1, 0);
  EXPECT_EQ(platform::now() - before, 2000);
  EXPECT_TRUE(monitor->connected());
  EXPECT_EQ(files.device, 1);
  ASSERT_FALSE(worker.commands.empty());
  EXPECT_EQ(worker.commands.back().first, WorkerCommand::ReadEverything);
  const auto queued = worker.commands.size();
  monitor->handle(msg::kDevicePlug, 1, 0);  // arrival while connected: ignored
  EXPECT_EQ(worker.commands.size(), queued);
  monitor->handle(msg::kDevicePlug, 5, 0);  // neither: nothing
  EXPECT_TRUE(monitor->connected());
  EXPECT_EQ(monitor->lastEvent(), 0x7F000000u);
}

TEST_F(MonitorWindowTest, WorkerCommandsWaitForAConnectedMouse) {
  mouse.plugged = false;
  start();
  monitor->runWorkerCommand(WorkerCommand::ReadEverything, 0);
  EXPECT_FALSE(mouse.called("readEverything"));
}

TEST_F(MonitorWindowTest, ProfileButtonSwitchesFilesSharedImageAndAnnounces) {
  window.windows[kOptionTitle] = kOption;
  start();
  event(0x2000, 3);
  EXPECT_EQ(monitor->image().CurrentProfile, 2);
  EXPECT_EQ(files.savedProfile, 2);
  EXPECT_EQ(share.shared.CurrentProfile, 2);
  EXPECT_EQ(files.windowsValueWrites, 1);
  EXPECT_EQ(window.postedCount(kOption, msg::kProfileChanged), 1);
  EXPECT_TRUE(sound.played.empty());
  advance(500);
  EXPECT_EQ(sound.played, std::vector<std::string>{"profile_three.wav"});
}

TEST_F(MonitorWindowTest, ProfileSoundFollowsTheSettingOfTheProfileLeft) {
  start();
  profile(0).SoundProfile = 0;
  event(0x2000, 2);
  advance(1000);
  EXPECT_TRUE(sound.played.empty());
  event(0x2000, 1);  // profile 1 announces
  advance(500);
  EXPECT_EQ(sound.played, std::vector<std::string>{"profile_one.wav"});
}

TEST_F(MonitorWindowTest, DpiChangeAnnouncesTheNewValueOnlyWhenItDiffers) {
  window.windows[kOptionTitle] = kOption;
  start();
  profile(0).Cpi_X = 1;  // 800
  event(0xB000, 3);      // 1600
  EXPECT_EQ(profile(0).Cpi_X, 2);
  EXPECT_EQ(profile(0).Cpi_Y, 2);
  EXPECT_EQ(share.shared.Profiles[0].Cpi_X, 2);
  EXPECT_EQ(window.postedCount(kOption, msg::kSensitivityChanged), 1);
  advance(500);
  EXPECT_EQ(sound.played, std::vector<std::string>{"1600.wav"});
  profile(0).CpiLevel_X[3] = 16;
  event(0xB000, 4);  // same value at another level
  advance(1000);
  EXPECT_EQ(sound.played.size(), 1u);
}

TEST_F(MonitorWindowTest, SensitivityAndPollingRateFollowTheMouse) {
  start();
  profile(0).Sensitivity = 6;
  event(0xC000, 7);
  EXPECT_EQ(profile(0).Sensitivity, 7);
  advance(500);
  event(0xC000, 3);
  advance(500);
  EXPECT_EQ(sound.played, (std::vector<std::string>{"sens_up.wav", "sens_down.wav"}));
  event(0xC000, 12);  // out of range: nothing stored or played
  advance(500);
  EXPECT_EQ(profile(0).Sensitivity, 3);
  EXPECT_EQ(sound.played.size(), 2u);

  profile(0).XYSynchronous = 1;
  profile(0).Sensitivity_X = 5;
  event(0xC000, 0x0904);
  EXPECT_EQ(profile(0).Sensitivity_X, 4);
  EXPECT_EQ(profile(0).Sensitivity_Y, 9);

  event(0xD000, 2);
  EXPECT_EQ(profile(0).PollingRate, 1);
  EXPECT_EQ(share.shared.Profiles[0].PollingRate, 1);
}

TEST_F(MonitorWindowTest, FinalSecondsOfTheCountdownSilenceOtherFeedback) {
  start();
  auto& slot = profile(0).MacroKeyInfo[4];
  slot.FunctionCode = 49;
  slot.TimerLength = 3;
  event(0x8000, 5);
  advance(1000);
  EXPECT_TRUE(monitor->sounds().finalSecondsLock());
  event(0x1B00, 1);
  event(0xB000, 5);
  advance(400);
  EXPECT_FALSE(window.timerRunning(timer::kSoundVolumeUp));
  EXPECT_FALSE(window.timerRunning(timer::kSoundDpi));
  advance(2000);
  EXPECT_EQ(sound.played, (std::vector<std::string>{"timer_activated.wav", "2_seconds.wav",
                                                    "1_second.wav", "go.wav"}));
  event(0x1B00, 0xFF);
  advance(500);
  EXPECT_EQ(sound.played.back(), "volume_down.wav");
}

TEST_F(MonitorWindowTest, TrophyPlaysSavesAndHoldsTheLockForFourSeconds) {
  window.windows[kOptionTitle] = kOption;
  start();
  event(0xEE00, 1000);
  EXPECT_EQ(sound.played, std::vector<std::string>{"Trophy.wav"});
  EXPECT_EQ(files.infoSaves, 1);
  EXPECT_EQ(files.savedInfo.Counters[10], 1000);
  EXPECT_EQ(share.shared.InfoData.TrophyFlags[0], 1);
  EXPECT_EQ(window.postedCount(kOption, msg::kStatisticsChanged), 1);
  event(0x1B00, 1);
  advance(3999);
  EXPECT_EQ(sound.played.size(), 1u);
  advance(1);
  EXPECT_FALSE(monitor->sounds().trophyLock());
  event(0x1B00, 1);
  advance(500);
  EXPECT_EQ(sound.played.back(), "volume_up.wav");
}

TEST_F(MonitorWindowTest, ButtonsStartProgramsAndAskForWorkerCommands) {
  window.windows[kCalibrationTitle] = kCalibration;
  start();
  auto& slot = profile(0).MacroKeyInfo[6];
  slot.FunctionCode = 15;
  settings::setFieldText(slot.ProgramPath, "/usr/bin/true");
  event(0x6000, 7);
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].target, "/usr/bin/true");
  event(0x6000, 8);  // not an open-program slot
  EXPECT_EQ(shell.calls.size(), 1u);

  event(0xFE00, 45);
  event(0xFD00, 1);
  ASSERT_EQ(worker.commands.size(), 2u);
  EXPECT_EQ(worker.commands[0], std::make_pair(WorkerCommand::ResendMacro, platform::LPARAM{45}));
  EXPECT_EQ(worker.commands[1].first, WorkerCommand::UploadColorDatabase);
  monitor->runWorkerCommand(WorkerCommand::ResendMacro, 45);
  monitor->runWorkerCommand(WorkerCommand::UploadColorDatabase, 0);
  EXPECT_TRUE(mouse.called("writeRequestedMacro 45"));
  EXPECT_TRUE(mouse.called("uploadColorDatabase 2049"));

  event(0x3000, 0x1234);
  EXPECT_EQ(window.postedCount(kCalibration, msg::kCalibrationResult), 1);
  event(0xA000, 1);
  EXPECT_EQ(window.postedCount(FakeWindowPort::kSelf, platform::WM_COMMAND), 1);
}

TEST_F(MonitorWindowTest, ApplyTakesTheSharedImageAndWritesOnlyWhenConnected) {
  start();
  share.shared.Profiles[0].DbleClickSpeed = 700;
  share.shared.ProfileChanged[0] = 1;
  EXPECT_EQ(monitor->handle(msg::kApply, 0, 0), 1);
  EXPECT_EQ(monitor->image().Profiles[0].DbleClickSpeed, 700);
  EXPECT_EQ(desktop.values.doubleClickTime, 700);
  EXPECT_EQ(mouse.lastWrittenFlags, 1);
  // The flags are spent: the shared image shows what was applied, without them.
  EXPECT_EQ(share.shared.ProfileChanged[0], 0);
  EXPECT_EQ(share.shared.Profiles[0].DbleClickSpeed, 700);
  EXPECT_EQ(monitor->handle(msg::kApply, 1, 0), 1);
  EXPECT_TRUE(mouse.called("reset"));

  monitor->handle(msg::kDevicePlug, 0, 0);
  mouse.calls.clear();
  share.shared.ProfileChanged[0] = 1;
  EXPECT_EQ(monitor->handle(msg::kApply, 0, 0), 0);  // the change did not reach the mouse
  EXPECT_FALSE(mouse.called("writeChanges"));
}

TEST_F(MonitorWindowTest, ApplyAnswersWhetherTheFlaggedPartsReachedTheMouse) {
  start();
  EXPECT_EQ(monitor->handle(msg::kApply, 0, 0), 1);  // nothing flagged
  share.shared.SlotChanged[2][5] = 1;
  mouse.writeResult = false;
  EXPECT_EQ(monitor->handle(msg::kApply, 0, 0), 0);
  mouse.writeResult = true;
  share.failReads = true;  // the editor's copy cannot be taken
  EXPECT_EQ(monitor->handle(msg::kApply, 0, 0), 0);
}

TEST_F(MonitorWindowTest, AReadNeverPublishesOverAnApplyOnItsWay) {
  start();
  // The editor has written its image and flags, and is about to send 1224.
  share.shared = monitor->image();
  share.shared.Profiles[0].CpiLevel_X[2] = 18;
  share.shared.ProfileChanged[0] = 1;
  const int savesBefore = files.saveAllCount;
  monitor->runWorkerCommand(WorkerCommand::ReadEverything, 0);
  EXPECT_EQ(share.shared.Profiles[0].CpiLevel_X[2], 18);
  EXPECT_EQ(share.shared.ProfileChanged[0], 1);
  EXPECT_EQ(files.saveAllCount, savesBefore);  // the editor's files stay as written
  EXPECT_EQ(window.postedCount(platform::kNoWindow, msg::kMouseRead), 0);
  EXPECT_TRUE(mouse.called("hostActive 1"));

  EXPECT_EQ(monitor->handle(msg::kApply, 0, 0), 1);
  EXPECT_EQ(mouse.lastWrittenFlags, 1);
  EXPECT_EQ(mouse.lastWrittenCpiLevel2, 18);
}

TEST_F(MonitorWindowTest, AnUnknownForegroundProgramSwitchesNothing) {
  start();
  monitor->image().WindowsProfile = 3;
  foreground.path.reset();
  advance(6000);
  EXPECT_EQ(monitor->image().CurrentProfile, 0);
  EXPECT_TRUE(worker.commands.empty() ||
              worker.commands.back().first != WorkerCommand::WriteCurrentProfile);
  // A known program without a link goes back to the Windows profile.
  foreground.path = "/usr/bin/editor";
  advance(2000);
  EXPECT_EQ(monitor->image().CurrentProfile, 3);
}

// The Monitor with its own worker thread, as it runs: the window thread is
// the test's.
class MonitorThreadsTest : public MonitorWindowTest {
 protected:
  void startWithWorker() { createResult = create(services(false)); }
};

// One-shot signal between the test's threads.
class Signal {
 public:
  void raise() {
    {
      std::lock_guard lock(mutex_);
      raised_ = true;
    }
    changed_.notify_all();
  }
  bool wait() {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(10), [this] { return raised_; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool raised_ = false;
};

TEST_F(MonitorThreadsTest, AnApplyDuringTheReadReachesTheMouseAfterIt) {
  startWithWorker();
  Signal readRunning, applyTookTheImage;
  std::atomic<int> reads{0};
  mouse.onRead = [&] {
    if (reads++ > 0) return;
    readRunning.raise();
    applyTookTheImage.wait();
  };
  advance(200);  // the first read starts on the worker
  ASSERT_TRUE(readRunning.wait());
  share.shared = monitor->image();  // the editor's copy, while the read runs
  share.shared.Profiles[0].CpiLevel_X[2] = 18;
  share.shared.ProfileChanged[0] = 1;
  std::atomic<bool> signalled{false};
  share.onRead = [&] {
    if (!signalled.exchange(true)) applyTookTheImage.raise();
  };
  EXPECT_EQ(monitor->handle(msg::kApply, 0, 0), 1);
  EXPECT_EQ(mouse.lastWrittenFlags, 1);
  EXPECT_EQ(mouse.lastWrittenCpiLevel2, 18);
  monitor->handle(platform::WM_DESTROY, 0, 0);
  // The read that overlapped the apply replaced none of its settings.
  EXPECT_EQ(monitor->image().Profiles[0].CpiLevel_X[2], 18);
  EXPECT_EQ(share.shared.Profiles[0].CpiLevel_X[2], 18);
}

TEST_F(MonitorThreadsTest, ShutdownDropsQueuedUploadsAndSendsNothingAfterTheHostFlag) {
  startWithWorker();
  mouse.uploadUntilAbort = true;
  Signal uploading;
  mouse.onUpload = [&] { uploading.raise(); };
  for (int i = 0; i < 4; ++i) event(event::kColorDatabase, 1);
  ASSERT_TRUE(uploading.wait());
  const auto begin = std::chrono::steady_clock::now();
  monitor->handle(platform::WM_DESTROY, 0, 0);
  const auto took = std::chrono::steady_clock::now() - begin;
  EXPECT_TRUE(monitor->workerEnded());
  EXPECT_LT(took, std::chrono::milliseconds(1000));
  std::vector<std::string> reports;
  for (const auto& call : mouse.calls) {
    if (call.rfind("upload", 0) == 0 || call.rfind("hostActive", 0) == 0) reports.push_back(call);
  }
  ASSERT_FALSE(reports.empty());
  EXPECT_EQ(reports.back(), "hostActive 0");
  EXPECT_EQ(std::count_if(reports.begin(), reports.end(),
                          [](const std::string& c) { return c.rfind("upload", 0) == 0; }),
            1);
}

TEST_F(MonitorWindowTest, FirmwareMismatchStartsTheUpdaterAndCloses) {
  files.packaged = 107;
  std::filesystem::create_directories(folder.path() / "FWUpdate");
  std::ofstream(folder.path() / "FWUpdate" / "VeskORBOptical Firmware Upgrade") << "";
  start(true);
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_NE(shell.calls[0].target.find("FWUpdate/VeskORBOptical Firmware Upgrade"),
            std::string::npos);
  EXPECT_EQ(shell.calls[0].arguments, std::vector<std::string>{"1"});
  EXPECT_FALSE(monitor->connected());
  EXPECT_EQ(window.postedCount(FakeWindowPort::kSelf, platform::WM_CLOSE), 1);
  EXPECT_EQ(files.device, 0);
}

TEST_F(MonitorWindowTest, WithoutAnUpdaterTheMonitorKeepsTheMouse) {
  files.packaged = 0xFFFFFFFFu;  // FWUpdate/config.ini missing
  start();
  EXPECT_TRUE(shell.calls.empty());
  EXPECT_TRUE(monitor->connected());
  EXPECT_EQ(window.postedCount(FakeWindowPort::kSelf, platform::WM_CLOSE), 0);
}

TEST_F(MonitorWindowTest, ForegroundProgramSwitchesProfileEveryTwoSeconds) {
  window.windows[kOptionTitle] = kOption;
  start();
  settings::setFieldText(profile(2).GameFile1, "C:\\Games\\racer.exe");
  foreground.path = "/opt/racer/racer.exe";
  advance(1999);
  EXPECT_EQ(monitor->image().CurrentProfile, 0);
  worker.commands.clear();
  advance(1);
  EXPECT_EQ(monitor->image().CurrentProfile, 2);
  EXPECT_EQ(share.shared.CurrentProfile, 2);
  ASSERT_EQ(worker.commands.size(), 1u);
  EXPECT_EQ(worker.commands[0].first, WorkerCommand::WriteCurrentProfile);
  EXPECT_EQ(window.postedCount(kOption, msg::kProfileChanged), 1);
  advance(500);
  EXPECT_EQ(sound.played, std::vector<std::string>{"profile_three.wav"});
}

TEST_F(MonitorWindowTest, ShutdownClosesTheOtherWindowsAndLetsTheMouseGo) {
  window.windows[kOptionTitle] = kOption;
  window.windows[kOsdTitles[2]] = kOsd;
  start();
  monitor->handle(platform::WM_DESTROY, 0, 0);
  EXPECT_EQ(window.postedCount(kOption, platform::WM_CLOSE), 1);
  EXPECT_EQ(window.postedCount(kOsd, platform::WM_CLOSE), 1);
  EXPECT_TRUE(mouse.called("hostActive 0"));
  EXPECT_TRUE(worker.stopped);
  EXPECT_TRUE(share.closed);
  EXPECT_TRUE(window.timers.empty());
  const auto closeMonitor = std::find(mouse.calls.begin(), mouse.calls.end(), "closeMonitor");
  ASSERT_NE(closeMonitor, mouse.calls.end());
  EXPECT_EQ(*(closeMonitor + 1), "closeFeature");
}

TEST_F(MonitorWindowTest, SensorImageIsStoredAndTheWizardTold) {
  window.windows[kCalibrationTitle] = kCalibration;
  start();
  monitor->handle(msg::kCaptureSensorImage, 0, 0);  // no bitmap yet: still told
  EXPECT_EQ(window.postedCount(kCalibration, msg::kSensorImageStored), 1);

  std::filesystem::create_directories(folder.path() / "Wave");
  std::ofstream(folder.path() / "Wave" / "sensorImage.bmp", std::ios::binary)
      << std::string(2038, '\0');
  MouseDevice::SensorPixels pixels{};
  pixels.fill(0x40);
  mouse.sensor = pixels;
  monitor->handle(msg::kCaptureSensorImage, 0, 0);
  EXPECT_EQ(window.postedCount(kCalibration, msg::kSensorImageStored), 2);
  std::ifstream bitmap(folder.path() / "Wave" / "sensorImage.bmp", std::ios::binary);
  std::string bytes{std::istreambuf_iterator<char>(bitmap), {}};
  ASSERT_EQ(bytes.size(), 2038u);
  EXPECT_EQ(static_cast<unsigned char>(bytes[1078]), 0x01);  // 0x40 rotated left by 2
}

TEST_F(MonitorWindowTest, TrackingMessagesTakeTheSharedImageFirst) {
  start();
  share.shared.LiftOnFlag = 2;
  monitor->handle(msg::kTrackingControl, 0, 255);
  EXPECT_EQ(monitor->image().LiftOnFlag, 2);
  monitor->handle(msg::kCalibration, 0, 4);
  EXPECT_TRUE(mouse.called("tracking 255"));
  EXPECT_TRUE(mouse.called("calibration 4"));
}

// A mouse whose read runs until the abort flag stops it.
class EndlessReadMouse : public FakeMouse {
 public:
  bool readEverything(settings::SettingsImage&, const std::function<void(int)>&) override {
    reading = true;
    while (!aborted()) std::this_thread::yield();
    return false;
  }
  std::atomic<bool> reading{false};
};

TEST(MonitorShutdownTest, ClosingDuringTheReadEndsTheWorkerPromptly) {
  platform::ScopedVirtualClock clock;
  TestFolder folder;
  setenv("XDG_CONFIG_HOME", folder.path().c_str(), 1);
  FakeWindowPort window;
  FakeFiles files(folder.folder());
  EndlessReadMouse mouse;
  FakeShare share;
  FakeSound sound;
  FakeShell shell;
  platform::FakeDesktopMouse desktop;
  platform::FakeForegroundProgram foreground;
  MonitorWindow monitor({window, files, mouse, share, sound, shell, desktop, foreground}, false);
  ASSERT_EQ(monitor.handle(platform::WM_CREATE, 0, 0), 0);
  window.advance(200, [&](std::uintptr_t id) { monitor.handle(platform::WM_TIMER, id, 0); });
  while (!mouse.reading) std::this_thread::yield();
  EXPECT_TRUE(monitor.workerBusy());
  const auto started = std::chrono::steady_clock::now();
  monitor.handle(platform::WM_DESTROY, 0, 0);
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(1000));
  EXPECT_FALSE(monitor.workerBusy());
  EXPECT_TRUE(mouse.called("hostActive 0"));
}

}  // namespace
}  // namespace monitor
