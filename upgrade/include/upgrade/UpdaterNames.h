#pragma once

#include "platform/Types.h"

// The names and numbers by which the updater and the other programs of the
// suite find each other.
namespace upgrade {

inline constexpr const char* kSingleInstanceName = "NIVARO_VeskORBOptical_Mouse_Firmware_Update";
inline constexpr const char* kUpdaterTitle = "NIVARO Vesk ORB Mouse Firmware update";
inline constexpr const char* kMonitorTitle = "NIVARO Vesk ORB Optical Mouse Monitor";
// Started from the folder above the updater's own after a successful update.
inline constexpr const char* kMonitorProgram = "VeskORBOpticalMonitor";
// The updater's own settings: [Firmware] Name (image file) and Version.
inline constexpr const char* kConfigFile = "config.ini";
inline constexpr const char* kSuccessTitle = "Firmware upgrade success";
// Shown before the device version, which follows as "1.05".
inline constexpr const char* kDeviceVersionPrefix = "DFU V";
inline constexpr const char* kUpdaterVersionText = "Firmware Update V1.08";

namespace msg {
// Registered with the device library, which the updater never acts upon.
inline constexpr platform::UINT kDeviceEvent = 1325;
inline constexpr platform::UINT kDevicePlug = 1326;
// From the worker: wParam = index of the block just written.
inline constexpr platform::UINT kBlockWritten = 1424;
// From the worker: lParam = 1 when the whole update succeeded, 0 when not.
inline constexpr platform::UINT kUpgradeResult = 1426;
}  // namespace msg

// Timer 100 fires once, a second after the window is up, and starts the run.
inline constexpr std::uintptr_t kStartTimer = 100;
inline constexpr platform::UINT kStartTimerMs = 1000;
// After the Monitor was asked to close: time for it to let go of the mouse.
inline constexpr int kMonitorCloseWaitMs = 1800;
// The Monitor window is looked for twice, this far apart.
inline constexpr int kMonitorFindRetryMs = 100;

}  // namespace upgrade
