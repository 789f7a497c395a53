// Reads everything from and writes everything to the simulated mouse (a
// vesk-mouse-sim process answering at once, reached through the suite's
// portkit.so) in real time, and divides the time taken by the pauses and
// status waits the protocol itself prescribes for the same traffic. The
// difference is what the device layer, the library and the socket cost.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "device/DeviceSequences.h"
#include "device/LibraryTransport.h"
#include "device/PortkitLibrary.h"
#include "mousesim/ModelTransport.h"
#include "platform/Clock.h"
#include "platform/VirtualClock.h"

namespace {

constexpr double kTarget = 1.01;

// The same exchange with the mouse in-process and time virtual: what passes
// is exactly the pauses and waits the protocol prescribes.
std::int64_t prescribedMs(const settings::SettingsImage& image) {
  platform::VirtualClock clock(0);
  mousesim::MouseModel mouse;
  mousesim::ModelTransport transport(mouse);
  device::DeviceLayer layer(transport, clock);
  device::DeviceSequences sequences(layer);
  auto read = std::make_unique<settings::SettingsImage>();
  int version = 0;
  if (!sequences.writeEverything(image) || !sequences.readEverything(*read, version)) return -1;
  return clock.now();
}

std::unique_ptr<settings::SettingsImage> benchImage() {
  auto image = std::make_unique<settings::SettingsImage>();
  image->CurrentProfile = 1;
  for (int p = 0; p < settings::kProfileCount; ++p) {
    settings::Profile& profile = image->Profiles[p];
    profile.Sensitivity = 6;
    for (int i = 0; i < settings::kCpiLevelCount; ++i) {
      profile.dpi[i] = 1;
      profile.CpiLevel_X[i] = profile.CpiLevel_Y[i] = 4 * (i + 1);
    }
    for (int b = 0; b < settings::kSlotCount; ++b) {
      settings::ButtonSlot& slot = profile.MacroKeyInfo[b];
      slot.FunctionCode = static_cast<std::uint8_t>(b < 2 ? 48 : b + 1);
      if (b >= 2) continue;
      slot.EventCount = 500;  // two full macros per profile
      for (int e = 0; e < 500; ++e)
        slot.Events[e] = {4, static_cast<std::uint8_t>(1 + e % 2), {10, 0}};
    }
  }
  return image;
}

}  // namespace

int main() {
  namespace fs = std::filesystem;
  const std::string suite = VESK_SUITE_DIR;
  const fs::path dir = fs::temp_directory_path() / ("vesk-bench-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::string socket = (dir / "sim.sock").string();
  ::setenv("VESK_MOUSE_SIM", socket.c_str(), 1);

  int out[2];
  if (::pipe(out) != 0) return 2;
  const pid_t sim = ::fork();
  if (sim == 0) {
    ::dup2(out[1], STDOUT_FILENO);
    const std::string program = suite + "/vesk-mouse-sim";
    ::execl(program.c_str(), program.c_str(), "run", "--socket", socket.c_str(),
            static_cast<char*>(nullptr));
    std::_Exit(127);
  }
  ::close(out[1]);
  char c = 0;
  while (::read(out[0], &c, 1) == 1 && c != '\n') {
  }

  int result = 2;
  {
    auto library = device::PortkitLibrary::load(suite);
    if (!library->present() || !library->openFeatureDevice()) {
      std::fprintf(stderr, "device bench: the simulated mouse is not reachable\n");
    } else {
      device::LibraryTransport transport(*library);
      device::DeviceLayer layer(transport, platform::clock());
      device::DeviceSequences sequences(layer);
      const auto image = benchImage();
      const std::int64_t prescribed = prescribedMs(*image);
      auto read = std::make_unique<settings::SettingsImage>();
      int version = 0;
      const auto start = std::chrono::steady_clock::now();
      const bool ok = sequences.writeEverything(*image) && sequences.readEverything(*read, version);
      const double realMs =
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
              .count();
      const double ratio = realMs / static_cast<double>(prescribed);
      std::printf(
          "device protocol, write everything + read everything through portkit.so:\n"
          "  real %.1f ms / prescribed pauses and waits %lld ms = %.4f (target <= %.2f) %s\n",
          realMs, static_cast<long long>(prescribed), ratio, kTarget,
          ok && prescribed > 0 ? (ratio <= kTarget ? "OK" : "ABOVE TARGET") : "(sequence failed)");
      result = ok ? 0 : 1;
      library->closeFeatureDevice();
    }
  }
  ::kill(sim, SIGTERM);
  ::waitpid(sim, nullptr, 0);
  fs::remove_all(dir);
  return result;
}
