// Writes a firmware image into the simulated mouse (a vesk-mouse-sim process
// answering at once, reached through the suite's FWUpdate/portkit.so) in real
// time, and divides the time taken by the pauses and status waits the update
// protocol prescribes for the same image. The difference is what the run, the
// library and the socket cost.
//   upgrade_bench [BLOCKS]   (default 20)
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "SimulatedMouseRun.h"
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
  const std::size_t blocks =
      argc > 1 ? std::clamp<std::size_t>(std::strtoul(argv[1], nullptr, 10), 1, 200) : 20;
  const std::string suite = VESK_SUITE_DIR;
  SimulatedMouseRun simulator(suite, "upgrade-bench");
  auto library = device::PortkitLibrary::load(suite + "/FWUpdate", false);
  if (!library->present() || !library->openFeatureDevice()) {
    std::fprintf(stderr, "upgrade bench: the simulated mouse is not reachable\n");
    return 2;
  }
  device::LibraryTransport transport(*library);
  const upgrade::FirmwareImage image = benchImage(blocks);
  std::atomic<bool> stop{false};
  upgrade::UpgradeRun run(transport, platform::clock(), stop);
  const std::string what = "firmware update of " + std::to_string(image.blockCount()) +
                           " blocks through FWUpdate/portkit.so";
  const bool ok =
      reportAgainstPrescribed(what.c_str(), prescribedMs(image), kTarget, "(update failed)",
                              [&] { return run.run(image, nullptr); });
  library->closeFeatureDevice();
  return ok ? 0 : 1;
}
