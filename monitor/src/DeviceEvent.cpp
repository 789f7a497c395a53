#include "monitor/DeviceEvent.h"

#include "monitor/MonitorNames.h"

namespace monitor {

EventAction DeviceEvent::action() const {
  const unsigned t = type(), v = value();
  if (t >= event::kFirstStatistics && t <= event::kLastStatistics) return EventAction::Statistics;
  switch (t) {
    case event::kPlug:
      return a() == 1   ? EventAction::MouseArrived
             : a() == 2 ? EventAction::MouseRemoved
                        : EventAction::None;
    case event::kHorizontalScroll:
      return v == 1 || v == 255 ? EventAction::HorizontalScroll : EventAction::None;
    case event::kVolume:
      return (a() == 1 || a() == 255) && h() == 0 ? EventAction::VolumeFeedback : EventAction::None;
    case event::kProfile:
      return v >= 1 && v <= 5 ? EventAction::ProfileChanged : EventAction::None;
    case event::kCalibration:
      return EventAction::CalibrationResult;
    case event::kStartProgram:
      return a() >= 1 && a() <= 24 && h() == 0 ? EventAction::StartProgram : EventAction::None;
    case event::kCountdownA:
    case event::kCountdownB:
      return a() >= 1 && a() <= 24 && h() != 1 ? EventAction::Countdown : EventAction::None;
    case event::kOpenOption:
      return v == 1 ? EventAction::OpenConfiguration : EventAction::None;
    case event::kDpi:
      return v >= 1 && v <= 5 ? EventAction::DpiChanged : EventAction::None;
    case event::kSensitivity:
      return EventAction::SensitivityChanged;
    case event::kPollingRate:
      return v >= 1 && v <= 4 ? EventAction::PollingRateChanged : EventAction::None;
    case event::kMedia:
      return a() >= 32 && a() <= 39 ? EventAction::Media : EventAction::None;
    case event::kColorDatabase:
      return a() == 1 ? EventAction::UploadColorDatabase : EventAction::None;
    case event::kResendMacro:
      return a() >= 1 && a() <= 110 ? EventAction::ResendMacro : EventAction::None;
    case event::kDualShift:
      return a() >= 1 && a() <= 24 ? EventAction::DualShift : EventAction::None;
    default:
      return EventAction::None;
  }
}

}  // namespace monitor
