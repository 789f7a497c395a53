#include <memory>

#include "mousesim/MouseMemory.h"
#include "settings/SettingsFiles.h"

namespace mousesim {
namespace {

device::codec::MacroBytes emptyMacro(int p, int b) {
  settings::ButtonSlot slot{};
  return device::codec::encodeMacro(slot, p, b);
}

}  // namespace

// The mouse leaves the factory with the suite's own factory profiles, sent
// through the report encoders as an apply would send them: after "restore
// factory settings" the programs and the mouse agree.
MouseMemory factoryMemory(std::uint8_t firmwareVersion) {
  MouseMemory memory;
  auto profile = std::make_unique<settings::Profile>();
  for (int p = 0; p < settings::kProfileCount; ++p) {
    *profile = settings::Profile{};
    settings::ResetProfile(*profile, p);
    memory.profiles[p].settings = device::codec::encodeProfileSettings(*profile, p);
    memory.profiles[p].buttons = device::codec::encodeButtons(*profile, p);
    for (int b = 0; b < settings::kSlotCount; ++b) memory.profiles[p].macros[b] = emptyMacro(p, b);
  }
  // Lift-off detection off and no tracking control, as the Configuration
  // program's factory reset stores them.
  memory.liftOn = 0;
  memory.firmwareVersion = firmwareVersion;
  return memory;
}

}  // namespace mousesim
