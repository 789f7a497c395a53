#include <memory>

#include "mousesim/MouseMemory.h"

namespace mousesim {
namespace {

// The functions of slots 0..11 (normal layer) and 12..23 (shift layer).
constexpr std::array<std::uint8_t, settings::kSlotCount> kFactoryFunctions = {
    1, 2, 3, 8,  7,  21, 22, 16, 9,  10, 13, 14,  // click, menu, scrolling, back, forward, DPI, ...
    1, 2, 3, 38, 39, 35, 33, 34, 36, 37, 23, 17};  // ... volume, media, sensitivity, profile

void factoryProfile(settings::Profile& p, int index) {
  p.XYSynchronous = 0;
  p.Sensitivity = p.Sensitivity_X = p.Sensitivity_Y = 6;
  constexpr int kLevels[] = {4, 8, 16, 24, 32};
  for (int i = 0; i < settings::kCpiLevelCount; ++i) {
    p.dpi[i] = 1;
    p.CpiLevel_X[i] = p.CpiLevel_Y[i] = kLevels[i];
  }
  p.Cpi_X = p.Cpi_Y = 1;
  p.PollingRate = 3;
  p.LightEffectMode = 1;
  p.LightColorFlow = 0;
  p.LightEffectType = 1;
  p.LightEffectSpeed = 2;
  for (int z = 0; z < settings::kLightZoneCount; ++z) {
    settings::LightZone& zone = p.LightInfo[z];
    zone.OnFlag = 1;
    zone.ColorIndex = static_cast<std::uint8_t>(index * 4 + z);
    zone.Red = static_cast<std::uint8_t>(index == 0 || index == 3 ? 255 : 0);
    zone.Green = static_cast<std::uint8_t>(index == 1 || index == 3 ? 255 : 0);
    zone.Blue = static_cast<std::uint8_t>(index == 2 || index == 4 ? 255 : 0);
  }
  p.ASnap = 1;
  p.SAlignment = 30;
  for (int b = 0; b < settings::kSlotCount; ++b)
    p.MacroKeyInfo[b].FunctionCode = kFactoryFunctions[b];
}

device::codec::MacroBytes emptyMacro(int p, int b) {
  settings::ButtonSlot slot{};
  return device::codec::encodeMacro(slot, p, b);
}

}  // namespace

MouseMemory factoryMemory(std::uint8_t firmwareVersion) {
  MouseMemory memory;
  auto profile = std::make_unique<settings::Profile>();
  for (int p = 0; p < settings::kProfileCount; ++p) {
    *profile = settings::Profile{};
    factoryProfile(*profile, p);
    memory.profiles[p].settings = device::codec::encodeProfileSettings(*profile, p);
    memory.profiles[p].buttons = device::codec::encodeButtons(*profile, p);
    for (int b = 0; b < settings::kSlotCount; ++b) memory.profiles[p].macros[b] = emptyMacro(p, b);
  }
  memory.liftOn = 3;
  memory.firmwareVersion = firmwareVersion;
  return memory;
}

}  // namespace mousesim
