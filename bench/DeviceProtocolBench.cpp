// Reads everything from and writes everything to the simulated mouse (a
// vesk-mouse-sim process answering at once, reached through the suite's
// portkit.so) in real time, and divides the time taken by the pauses and
// status waits the protocol itself prescribes for the same traffic. The
// difference is what the device layer, the library and the socket cost.
#include <cstdio>
#include <memory>
#include <string>

#include "SimulatedMouseRun.h"
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
  const std::string suite = VESK_SUITE_DIR;
  SimulatedMouseRun simulator(suite, "bench");
  auto library = device::PortkitLibrary::load(suite);
  if (!library->present() || !library->openFeatureDevice()) {
    std::fprintf(stderr, "device bench: the simulated mouse is not reachable\n");
    return 2;
  }
  device::LibraryTransport transport(*library);
  device::DeviceLayer layer(transport, platform::clock());
  device::DeviceSequences sequences(layer);
  const auto image = benchImage();
  auto read = std::make_unique<settings::SettingsImage>();
  int version = 0;
  const bool ok = reportAgainstPrescribed(
      "device protocol, write everything + read everything through portkit.so",
      prescribedMs(*image), kTarget, "(sequence failed)", [&] {
        return sequences.writeEverything(*image) && sequences.readEverything(*read, version);
      });
  library->closeFeatureDevice();
  return ok ? 0 : 1;
}
