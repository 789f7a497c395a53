#pragma once

#include <cstdint>

// A device event: high 16 bits the type, low 16 bits the value (low byte a,
// high byte h). The dispatch table decides which action an event asks for
// and rejects values outside the ranges each action accepts.
namespace monitor {

enum class EventAction {
  None,
  MouseArrived,
  MouseRemoved,
  HorizontalScroll,
  VolumeFeedback,
  ProfileChanged,
  CalibrationResult,
  StartProgram,
  Countdown,
  OpenConfiguration,
  DpiChanged,
  SensitivityChanged,
  PollingRateChanged,
  Statistics,
  Media,
  UploadColorDatabase,
  ResendMacro,
  DualShift,
};

struct DeviceEvent {
  std::uint32_t raw = 0;

  static DeviceEvent fromMessage(std::uintptr_t wParam, std::intptr_t lParam) {
    return {static_cast<std::uint32_t>(wParam * 65536u +
                                       (static_cast<std::uintptr_t>(lParam) & 0xFFFFu))};
  }
  // Plug message: wParam 1 arrived, 0 removed, anything else "other" (0).
  static DeviceEvent fromPlug(std::uintptr_t wParam) {
    const std::uint32_t value = wParam == 1 ? 1 : wParam == 0 ? 2 : 0;
    return {0x7F000000u | value};
  }

  unsigned type() const { return raw >> 16; }
  unsigned value() const { return raw & 0xFFFFu; }
  unsigned a() const { return raw & 0xFFu; }
  unsigned h() const { return (raw >> 8) & 0xFFu; }

  EventAction action() const;
};

}  // namespace monitor
