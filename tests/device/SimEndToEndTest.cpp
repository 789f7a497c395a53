// The simulated mouse as a process, reached through build/suite/portkit.so
// exactly as the programs reach it.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "SameOnDevice.h"
#include "SimProcess.h"
#include "device/DeviceSequences.h"
#include "device/LibraryTransport.h"
#include "device/PortkitLibrary.h"
#include "mousesim/SimWire.h"
#include "platform/VirtualClock.h"
#include "platform/Window.h"
#include "settings/SettingsFiles.h"

namespace fs = std::filesystem;
using settings::SettingsImage;

namespace {

const std::string kSuite = VESK_SUITE_DIR;

struct SimFixture : ::testing::Test {
  fs::path dir;
  std::string socket;
  std::unique_ptr<ChildProcess> sim;

  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("vesk-e2e-" + std::to_string(::getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir / "runtime");
    fs::create_directories(dir / "config");
    fs::permissions(dir / "runtime", fs::perms::owner_all);
    ::setenv("XDG_RUNTIME_DIR", (dir / "runtime").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
    socket = (dir / "sim.sock").string();
    ::setenv("VESK_MOUSE_SIM", socket.c_str(), 1);
    sim = std::make_unique<ChildProcess>(
        std::vector<std::string>{kSuite + "/vesk-mouse-sim", "run", "--state",
                                 (dir / "mouse.json").string()},
        true);
    ASSERT_NE(sim->firstLine().find("listening"), std::string::npos) << sim->firstLine();
  }
  void TearDown() override {
    sim.reset();
    fs::remove_all(dir);
  }
  int ctl(const std::vector<std::string>& args, std::string* out = nullptr) {
    std::vector<std::string> argv = {kSuite + "/vesk-mouse-sim", "ctl"};
    argv.insert(argv.end(), args.begin(), args.end());
    ChildProcess child(argv, false);
    const int code = child.wait();
    if (out) *out = child.output();
    return code;
  }
  fs::path programFolder(const std::string& name) {
    const fs::path folder = dir / name;
    fs::create_directories(folder);
    fs::copy_file(kSuite + "/portkit.so", folder / "portkit.so");
    return folder;
  }
};

std::unique_ptr<SettingsImage> sampleImage() {
  auto image = std::make_unique<SettingsImage>();
  settings::SettingsFiles(std::string()).LoadAll(*image);
  image->CurrentProfile = 2;
  for (int p = 0; p < 5; ++p) {
    settings::Profile& pr = image->Profiles[p];
    pr.XYSynchronous = p == 1;
    pr.Sensitivity = pr.Sensitivity_X = 3 + p;
    pr.Sensitivity_Y = 4 + p;
    for (int i = 0; i < 5; ++i) pr.CpiLevel_X[i] = pr.CpiLevel_Y[i] = 2 + 3 * i + p;
    pr.Cpi_X = pr.Cpi_Y = 4 - p;
    pr.PollingRate = p % 4;
    pr.ASnap = 3;
    pr.SAlignment = 25;
    pr.SAlignmentFlag = 1;
    for (int z = 0; z < 4; ++z) pr.LightInfo[z].OnFlag = z % 2 ? 1 : 0;
    for (int b = 0; b < 24; ++b)
      pr.MacroKeyInfo[b].FunctionCode = static_cast<std::uint8_t>(1 + (b + p) % 27);
  }
  settings::ButtonSlot& macro = image->Profiles[3].MacroKeyInfo[6];
  macro.FunctionCode = 48;
  settings::setFieldText(macro.Name3, "Reload");
  macro.EventCount = 500;
  for (int e = 0; e < 500; ++e)
    macro.Events[e] = {static_cast<std::uint8_t>(4 + e % 20), 1, {5, 0}};
  settings::ButtonSlot& key = image->Profiles[0].MacroKeyInfo[9];
  key.FunctionCode = 5;
  key.EventCount = 1;
  key.Events[0] = {0x2C, 0x04, {0, 0}};
  return image;
}

}  // namespace

TEST_F(SimFixture, ProtocolThroughTheSimulatedLibrary) {
  auto library = device::PortkitLibrary::load(kSuite);
  ASSERT_TRUE(library->present()) << library->loadError();
  ASSERT_TRUE(library->openFeatureDevice());
  EXPECT_EQ(library->mousePid(), 0x0001);
  platform::VirtualClock clock;
  device::LibraryTransport transport(*library);
  device::DeviceLayer layer(transport, clock);
  device::DeviceSequences sequences(layer);

  const auto source = sampleImage();
  ASSERT_TRUE(sequences.writeEverything(*source));
  auto read = std::make_unique<SettingsImage>();
  int version = 0;
  ASSERT_TRUE(sequences.readEverything(*read, version));
  EXPECT_EQ(version, 105);
  expectSameOnDevice(*source, *read);

  ASSERT_EQ(ctl({"busy", "3"}), 0);
  ASSERT_EQ(ctl({"fail-get", "9"}), 0);
  EXPECT_FALSE(layer.readFirmwareVersion(version));
  EXPECT_TRUE(layer.writeCurrentProfile(*source)) << "busy three polls, then done";
  ASSERT_EQ(ctl({"unplug", "--after", "1"}), 0);
  EXPECT_TRUE(layer.readFirmwareVersion(version));
  EXPECT_FALSE(layer.readFirmwareVersion(version)) << "unplugged";
  EXPECT_FALSE(library->openFeatureDevice());
  ASSERT_EQ(ctl({"plug"}), 0);
  EXPECT_TRUE(library->openFeatureDevice());

  std::string log;
  ASSERT_EQ(ctl({"log"}, &log), 0);
  EXPECT_NE(log.find(" SET 05 03 02\n"), std::string::npos);
  EXPECT_NE(log.find(" GET 04 03 00\n"), std::string::npos);
  library->closeFeatureDevice();

  // The on-device memory outlives the simulator process.
  sim.reset();
  sim = std::make_unique<ChildProcess>(
      std::vector<std::string>{kSuite + "/vesk-mouse-sim", "run", "--state",
                               (dir / "mouse.json").string()},
      true);
  ASSERT_TRUE(library->openFeatureDevice());
  auto again = std::make_unique<SettingsImage>();
  ASSERT_TRUE(sequences.readEverything(*again, version));
  expectSameOnDevice(*source, *again);
}

TEST_F(SimFixture, EventsAndPlugMessagesReachTheWindow) {
  struct Seen {
    unsigned message;
    platform::WPARAM w;
    platform::LPARAM l;
  };
  std::vector<Seen> seen;
  const platform::HWND window =
      platform::CreateWindow("",
                             [&](platform::HWND, platform::UINT m, platform::WPARAM w,
                                 platform::LPARAM l) -> platform::LRESULT {
                               if (m == 1325 || m == 1326) seen.push_back({m, w, l});
                               return 0;
                             });
  ASSERT_NE(window, platform::kNoWindow);
  auto library = device::PortkitLibrary::load(kSuite);
  library->openDevMonitor(window, 1325, 1326);
  auto waitFor = [&](std::size_t n) {
    platform::SetTimer(window, 1, 20000);  // a hung library fails the test instead of hanging it
    platform::MSG msg;
    while (seen.size() < n && platform::GetMessage(msg)) {
      if (msg.message == platform::WM_TIMER) break;
      platform::DispatchMessage(msg);
    }
    platform::KillTimer(window, 1);
    return seen.size() >= n;
  };

  // The watcher connects on its own thread; a plug change proves it is there.
  ASSERT_EQ(ctl({"unplug"}), 0);
  for (int attempt = 0; attempt < 50 && seen.empty(); ++attempt) {
    ASSERT_EQ(ctl({"plug"}), 0);
    ASSERT_EQ(ctl({"unplug"}), 0);
    platform::SetTimer(window, 2, 100);
    platform::MSG msg;
    while (platform::GetMessage(msg)) {
      if (msg.message == platform::WM_TIMER && msg.wParam == 2) break;
      platform::DispatchMessage(msg);
    }
    platform::KillTimer(window, 2);
  }
  ASSERT_FALSE(seen.empty());
  ASSERT_EQ(ctl({"plug"}), 0);
  const std::size_t before = seen.size();
  ASSERT_TRUE(waitFor(before + 1));
  EXPECT_EQ(seen.back().message, 1326u);
  EXPECT_EQ(seen.back().w, 1u);

  ASSERT_EQ(ctl({"event", "0xE500", "7"}), 0);
  ASSERT_TRUE(waitFor(before + 2));
  EXPECT_EQ(seen.back().message, 1325u);
  EXPECT_EQ(seen.back().w, 0xE500u);
  EXPECT_EQ(seen.back().l, 7);

  ASSERT_EQ(ctl({"press", "22"}), 0);  // factory "Profile Up" of the shift layer
  ASSERT_TRUE(waitFor(before + 3));
  EXPECT_EQ(seen.back().w, 0x2000u);
  EXPECT_EQ(seen.back().l, 2);

  // The simulator going away is the mouse going away.
  sim.reset();
  ASSERT_TRUE(waitFor(before + 4));
  EXPECT_EQ(seen.back().message, 1326u);
  EXPECT_EQ(seen.back().w, 0u);
  library->closeDevMonitor();
  platform::DestroyWindow(window);
}

TEST_F(SimFixture, VeskctlWriteThenReadGivesTheImageBack) {
  const fs::path backup = programFolder("backup");
  const auto source = sampleImage();
  ASSERT_TRUE(settings::SettingsFiles(backup.string() + "/").SaveAll(*source));
  ChildProcess write({kSuite + "/veskctl", "device", "write", "--folder", backup.string()}, false);
  ASSERT_EQ(write.wait(), 0) << write.output();

  const fs::path restored = programFolder("restored");
  ChildProcess read(
      {kSuite + "/veskctl", "device", "read", "--folder", restored.string(), "--verbose"}, false);
  ASSERT_EQ(read.wait(), 0);
  const std::string traffic = read.output();
  EXPECT_NE(traffic.find("GET 09 06 69 69 00 00\n"), std::string::npos) << "version 105";
  auto image = std::make_unique<SettingsImage>();
  settings::SettingsFiles(restored.string() + "/").LoadAll(*image);
  expectSameOnDevice(*source, *image);
  EXPECT_EQ(settings::SettingsFiles(restored.string() + "/").ReadFirmwareVersion(), 105);

  // A report the mouse does not give fails the backup; the read goes on past
  // it, and the files' values for that profile must not pass for the mouse's.
  ASSERT_EQ(ctl({"fail-get", "6", "1"}), 0);
  const fs::path partial = programFolder("partial");
  ChildProcess refused(
      {kSuite + "/veskctl", "device", "read", "--folder", partial.string(), "--verbose"}, false);
  EXPECT_NE(refused.wait(), 0);
  EXPECT_NE(refused.output().find("(failed)"), std::string::npos) << refused.output();
  EXPECT_FALSE(fs::exists(partial / "config.ini")) << "the folder is left as it was";

  const fs::path empty = dir / "nolibrary";
  fs::create_directories(empty);
  ChildProcess absent({kSuite + "/veskctl", "device", "read", "--folder", empty.string()}, false);
  EXPECT_NE(absent.wait(), 0) << "no portkit.so: a clear failure";
  ASSERT_EQ(ctl({"unplug"}), 0);
  ChildProcess unplugged({kSuite + "/veskctl", "device", "write", "--folder", backup.string()},
                         false);
  EXPECT_NE(unplugged.wait(), 0);
}
