// Writes a firmware image into the simulated mouse (a vesk-mouse-sim process
// answering at once, reached through the suite's FWUpdate/portkit.so) in real
// time, and divides the time taken by the pauses and status waits the update
// protocol prescribes for the same image. The difference is what the run, the
// library and the socket cost.
//   upgrade_bench [BLOCKS]   (default 20)
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "device/LibraryTransport.h"
#include "device/PortkitLibrary.h"
#include "mousesim/ModelTransport.h"
#include "platform/Clock.h"
#include "platform/VirtualClock.h"
#include "upgrade/UpgradeRun.h"

namespace {

constexpr double kTarget = 1.02;

upgrade::FirmwareImage benchImage(std::size_t blocks) {
  std::vector<std::uint8_t> bytes(blocks * 1024 - 300);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 31 + 7);
  upgrade::FirmwareImage image;
  image.assign(bytes);
  return image;
}

// The same run with the mouse in-process and time virtual: what passes is
// exactly the pauses and waits the protocol prescribes.
std::int64_t prescribedMs(const upgrade::FirmwareImage& image) {
  platform::VirtualClock clock(0);
  mousesim::MouseModel mouse;
  mousesim::ModelTransport transport(mouse);
  std::atomic<bool> stop{false};
  upgrade::UpgradeRun run(transport, clock, stop);
  return run.run(image, nullptr) ? clock.now() : -1;
}

}  // namespace

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  const std::size_t blocks =
      argc > 1 ? std::clamp<std::size_t>(std::strtoul(argv[1], nullptr, 10), 1, 200) : 20;
  const std::string suite = VESK_SUITE_DIR;
  const fs::path dir =
      fs::temp_directory_path() / ("vesk-upgrade-bench-" + std::to_string(::getpid()));
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
    auto library = device::PortkitLibrary::load(suite + "/FWUpdate", false);
    if (!library->present() || !library->openFeatureDevice()) {
      std::fprintf(stderr, "upgrade bench: the simulated mouse is not reachable\n");
    } else {
      device::LibraryTransport transport(*library);
      const upgrade::FirmwareImage image = benchImage(blocks);
      const std::int64_t prescribed = prescribedMs(image);
      std::atomic<bool> stop{false};
      upgrade::UpgradeRun run(transport, platform::clock(), stop);
      const auto start = std::chrono::steady_clock::now();
      const bool ok = run.run(image, nullptr);
      const double realMs =
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
              .count();
      const double ratio = realMs / static_cast<double>(prescribed);
      std::printf(
          "firmware update of %zu blocks through FWUpdate/portkit.so:\n"
          "  real %.1f ms / prescribed pauses and waits %lld ms = %.4f (target <= %.2f) %s\n",
          image.blockCount(), realMs, static_cast<long long>(prescribed), ratio, kTarget,
          ok && prescribed > 0 ? (ratio <= kTarget ? "OK" : "ABOVE TARGET") : "(update failed)");
      result = ok ? 0 : 1;
      library->closeFeatureDevice();
    }
  }
  ::kill(sim, SIGTERM);
  ::waitpid(sim, nullptr, 0);
  fs::remove_all(dir);
  return result;
}
