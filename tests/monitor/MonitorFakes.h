#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "monitor/ImageShare.h"
#include "monitor/MonitorFiles.h"
#include "monitor/MouseDevice.h"
#include "monitor/SoundTable.h"
#include "monitor/WindowPort.h"
#include "monitor/WorkerThread.h"
#include "platform/FakeDesktopMouse.h"
#include "platform/FakeForegroundProgram.h"
#include "platform/FakeShell.h"
#include "platform/FakeSoundOutput.h"
#include "platform/SoundOutput.h"
#include "settings/SettingsFiles.h"

// Test doubles of everything the Monitor's window works through. Timers run
// in virtual time: advance() fires them in deadline order into a handler.
namespace monitor::testing {

struct Posted {
  platform::HWND window;
  platform::UINT message;
  platform::WPARAM wParam;
  platform::LPARAM lParam;
};

class FakeWindowPort : public WindowPort {
 public:
  static constexpr platform::HWND kSelf = 100;

  platform::HWND self() const override { return kSelf; }
  void setTimer(std::uintptr_t id, unsigned periodMs) override {
    timers[id] = {periodMs, now + periodMs};
  }
  void killTimer(std::uintptr_t id) override { timers.erase(id); }
  platform::HWND find(std::string_view title) override {
    auto it = windows.find(std::string(title));
    return it == windows.end() ? platform::kNoWindow : it->second;
  }
  void post(platform::HWND window, platform::UINT message, platform::WPARAM wParam,
            platform::LPARAM lParam) override {
    posted.push_back({window, message, wParam, lParam});
  }
  bool timerRunning(std::uintptr_t id) const { return timers.count(id) != 0; }
  int postedCount(platform::HWND window, platform::UINT message) const {
    return static_cast<int>(std::count_if(posted.begin(), posted.end(), [&](const Posted& p) {
      return p.window == window && p.message == message;
    }));
  }

  // Moves virtual time on by ms, firing due timers through fire(id).
  template <typename Fire>
  void advance(std::int64_t ms, Fire fire) {
    const std::int64_t end = now + ms;
    for (;;) {
      auto next = std::min_element(timers.begin(), timers.end(),
                                   [](auto& a, auto& b) { return a.second.due < b.second.due; });
      if (next == timers.end() || next->second.due > end) break;
      now = next->second.due;
      next->second.due += next->second.period;
      fire(next->first);
    }
    now = end;
  }

  struct Timer {
    unsigned period;
    std::int64_t due;
  };
  std::int64_t now = 0;
  std::map<std::uintptr_t, Timer> timers;
  std::map<std::string, platform::HWND> windows;
  std::vector<Posted> posted;
};

using FakeSound = platform::FakeSoundOutput;
using FakeShell = platform::FakeShell;

class FakeShare : public ImageShare {
 public:
  Created create() override { return createResult; }
  bool write(const settings::SettingsImage& image) override {
    if (createResult != Created::Ok) return false;
    std::memcpy(&shared, &image, sizeof image);
    ++writes;
    return true;
  }
  bool read(settings::SettingsImage& image, const settings::SettingsImage&) override {
    if (createResult != Created::Ok || failReads) return false;
    std::memcpy(&image, &shared, sizeof image);
    if (onRead) onRead();
    return true;
  }
  bool failReads = false;
  // Called after each read of the shared image (on the reader's thread).
  std::function<void()> onRead;
  void close() override { closed = true; }
  Created createResult = Created::Ok;
  settings::SettingsImage shared{};
  int writes = 0;
  bool closed = false;
};

class FakeWorker : public WorkerQueue {
 public:
  void post(WorkerCommand command, platform::LPARAM lParam) override {
    commands.push_back({command, lParam});
  }
  bool stop(std::int64_t) override {
    stopped = true;
    return true;
  }
  std::vector<std::pair<WorkerCommand, platform::LPARAM>> commands;
  bool stopped = false;
};

// A mouse described by data: what it answers and a log of what it was asked.
class FakeMouse : public MouseDevice {
 public:
  bool libraryPresent() const override { return present; }
  void openMonitor(platform::HWND) override { calls.push_back("openMonitor"); }
  void closeMonitor() override { calls.push_back("closeMonitor"); }
  bool openFeature() override {
    calls.push_back("openFeature");
    return present && plugged;
  }
  void closeFeature() override { calls.push_back("closeFeature"); }
  void unload() override { calls.push_back("unload"); }
  void requestAbort() override {
    {
      std::lock_guard lock(abortMutex);
      abort = true;
    }
    abortRaised.notify_all();
  }
  void clearAbort() override { abort = false; }
  bool aborted() const override { return abort; }
  std::optional<int> readFirmwareVersion() override { return firmware; }
  bool readEverything(settings::SettingsImage& image,
                      const std::function<void(int)>& storeVersion) override {
    calls.push_back("readEverything");
    if (firmware) storeVersion(*firmware);
    image.CurrentProfile = mouseProfile;
    if (onRead) onRead();
    settings::clearChangeFlags(image);
    return !abort;
  }
  bool writeChanges(const settings::SettingsImage& image) override {
    calls.push_back("writeChanges");
    lastWrittenFlags = image.ProfileChanged[0];
    lastWrittenCpiLevel2 = image.Profiles[0].CpiLevel_X[2];
    return writeResult;
  }
  bool writeCurrentProfile(const settings::SettingsImage& image) override {
    calls.push_back("writeCurrentProfile " + std::to_string(image.CurrentProfile));
    return true;
  }
  bool writeRequestedMacro(const settings::SettingsImage&, int v) override {
    calls.push_back("writeRequestedMacro " + std::to_string(v));
    return true;
  }
  bool uploadColorDatabase(std::span<const std::uint8_t> file) override {
    calls.push_back("uploadColorDatabase " + std::to_string(file.size()));
    if (onUpload) onUpload();
    if (uploadUntilAbort) {
      // A long upload: it ends only when the abort flag is raised (or, to
      // bound a broken run, after a few seconds).
      std::unique_lock lock(abortMutex);
      if (!abortRaised.wait_for(lock, std::chrono::seconds(3), [this] { return abort.load(); }))
        return false;
    }
    return !abort;
  }
  bool sendHostActive(bool active) override {
    calls.push_back(active ? "hostActive 1" : "hostActive 0");
    return true;
  }
  bool sendReset() override {
    calls.push_back("reset");
    return true;
  }
  bool sendLightCommand(const device::codec::LightCommandBytes& command) override {
    lightCommands.push_back(command);
    return true;
  }
  std::optional<SensorPixels> captureSensorImage() override { return sensor; }
  bool sendTrackingControl(const settings::SettingsImage&, int c) override {
    calls.push_back("tracking " + std::to_string(c));
    return true;
  }
  bool setCalibrationState(const settings::SettingsImage&, int c) override {
    calls.push_back("calibration " + std::to_string(c));
    return true;
  }
  bool called(std::string_view call) const {
    return std::find(calls.begin(), calls.end(), call) != calls.end();
  }

  bool present = true;
  bool plugged = true;
  std::atomic<bool> abort{false};
  std::mutex abortMutex;
  std::condition_variable abortRaised;
  bool uploadUntilAbort = false;
  std::function<void()> onUpload;
  bool writeResult = true;
  int lastWrittenCpiLevel2 = -1;
  std::optional<int> firmware = 106;
  int mouseProfile = 0;
  std::optional<SensorPixels> sensor;
  std::function<void()> onRead;
  int lastWrittenFlags = -1;
  std::vector<std::string> calls;
  std::vector<device::codec::LightCommandBytes> lightCommands;
};

// Files in memory, starting from the factory profiles.
class FakeFiles : public MonitorFiles {
 public:
  explicit FakeFiles(std::string folder) : folder_(std::move(folder)) {}
  void loadAll(settings::SettingsImage& image) override {
    image.CurrentProfile = 0;
    image.WindowsProfile = -1;
    image.QuickHelpLan = quickHelpLan;
    for (int p = 0; p < settings::kProfileCount; ++p) settings::ResetProfile(image.Profiles[p], p);
  }
  void saveAll(const settings::SettingsImage&) override { ++saveAllCount; }
  void saveCurrentProfile(int profile) override { savedProfile = profile; }
  void saveInfoData(const settings::UsageInfo& info) override {
    savedInfo = info;
    ++infoSaves;
  }
  void saveFirmwareVersion(int version) override { savedFirmware = version; }
  void saveDeviceConnected(bool connected) override { device = connected ? 1 : 0; }
  bool readOsdSetting(OsdBlock&) override { return false; }
  void writeWindowsMouseValues(const settings::Profile&) override { ++windowsValueWrites; }
  void writeEmptyDeviceInfo() override { deviceInfoWritten = true; }
  int languageFromSystem() override { return 4; }
  void recordFirstRun() override { firstRun = true; }
  std::uint32_t packagedFirmwareVersion() override { return packaged; }
  std::string readColorDatabase() override { return colorDatabase; }
  const std::string& programFolder() const override { return folder_; }

  int quickHelpLan = 1;
  int saveAllCount = 0, infoSaves = 0, windowsValueWrites = 0;
  int savedProfile = -1, savedFirmware = -1, device = -1;
  settings::UsageInfo savedInfo{};
  bool deviceInfoWritten = false, firstRun = false;
  std::uint32_t packaged = 106;
  std::string colorDatabase = std::string(2049, 'x');

 private:
  std::string folder_;
};

// A program folder with every sound of the table as a short wave whose
// samples are all `level`.
inline void writeSoundFiles(const std::filesystem::path& folder, std::int16_t level = 20000) {
  const auto dir = folder / "Wave" / "Volume";
  std::filesystem::create_directories(dir);
  std::vector<int> numbers = {0,  1,  2,  3,  4,  5,  10, 18, 19, 30, 31,
                              32, 33, 40, 41, 42, 43, 44, 45, 50, 51};
  for (int dpi = 100; dpi <= 6400; dpi += 100) numbers.push_back(dpi);
  for (int n : numbers) {
    std::vector<std::uint8_t> wave(44 + 8, 0);
    std::memcpy(wave.data(), "RIFF", 4);
    std::memcpy(wave.data() + 8, "WAVEfmt ", 8);
    std::memcpy(wave.data() + 36, "data", 4);
    const std::uint32_t length = 8;
    std::memcpy(wave.data() + 40, &length, 4);
    for (int i = 0; i < 4; ++i) {
      const std::int16_t s = (i % 2) ? static_cast<std::int16_t>(-level) : level;
      std::memcpy(wave.data() + 44 + 2 * i, &s, 2);
    }
    std::ofstream(dir / SoundTable::fileName(n), std::ios::binary)
        .write(reinterpret_cast<const char*>(wave.data()),
               static_cast<std::streamsize>(wave.size()));
  }
}

}  // namespace monitor::testing
