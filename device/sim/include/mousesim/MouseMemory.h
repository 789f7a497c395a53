#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "device/ReportCodec.h"
#include "settings/SettingsImage.h"

namespace mousesim {

// One on-device profile, kept as the reports that carry it.
struct ProfileMemory {
  device::codec::ProfileSettingsBytes settings{};
  device::codec::ButtonsBytes buttons{};
  std::array<device::codec::MacroBytes, settings::kSlotCount> macros{};
};

// Everything the mouse keeps across reports (and across runs of the
// simulator when it has a state file).
struct MouseMemory {
  std::array<ProfileMemory, settings::kProfileCount> profiles{};
  std::uint8_t currentProfile = 0;
  std::uint8_t liftOn = 0;
  std::uint8_t trackControl = 0;
  std::uint8_t calibrationValue = 0;
  std::uint8_t calibrationState = 0;
  std::uint8_t firmwareVersion = 0;
  bool hostActive = false;
  std::vector<std::uint8_t> colourDatabase;
  std::array<std::uint8_t, device::kSensorPixels> sensorImage{};
  device::codec::LightCommandBytes lastLightCommand{};
};

// The memory of a mouse fresh from the factory (firmware version kept by the
// caller across resets).
MouseMemory factoryMemory(std::uint8_t firmwareVersion);

inline constexpr std::uint8_t kFactoryFirmwareVersion = 105;
inline constexpr int kSimulatedVendorId = 0x1209;
inline constexpr int kSimulatedProductId = 0x0001;

}  // namespace mousesim
