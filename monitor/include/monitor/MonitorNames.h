#pragma once

#include <cstdint>

#include "apply/MonitorAddress.h"
#include "device/DeviceEvents.h"
#include "platform/Types.h"

// Names and numbers by which the Monitor, the Configuration program, the
// calibration wizard, the on-screen display and the device library find and
// talk to each other. They are fixed: other programs rely on every one.
namespace monitor {

inline constexpr const char* kMonitorTitle = apply::kMonitorTitle;
inline constexpr const char* kOptionTitle = "NIVARO Vesk ORB Optical Mouse Option";
inline constexpr const char* kCalibrationTitle = "Vesk ORB Optical SFCCalibrateDlg";
inline constexpr const char* kOsdTitles[] = {
    "NIVARO Vesk ORB Optical Mouse OSD", "NIVARO Vesk ORB Optical Mouse Pop3",
    "NIVARO Vesk ORB Optical Mouse CPU RAM", "NIVARO Vesk ORB Optical Mouse OSD SKYPE"};
inline constexpr const char* kSingleInstanceName = "NIVARO_VeskORBOptical_Mouse_Normal_Monitor";
inline constexpr const char* kTrayTip = "NIVARO Vesk ORB Optical";

// Programs started from the program folder (system path form).
inline constexpr const char* kOptionProgram = "VeskORBOpticalOption";
inline constexpr const char* kOsdProgram = "VeskORBOpticalOSD";
inline constexpr const char* kUpdaterProgram = "FWUpdate\\VeskORBOptical Firmware Upgrade";
inline constexpr const char* kColorDatabaseFile = "LightEffectColorDatabase.bin";
inline constexpr const char* kSensorImageFile = "Wave\\sensorImage.bmp";
inline constexpr const char* kSoundFolder = "Wave\\Volume\\";

// Messages the Monitor's window receives.
namespace msg {
using platform::UINT;
inline constexpr UINT kApply = apply::kApplyMessage;
inline constexpr UINT kReReadShared = 1226;
inline constexpr UINT kReReadSharedAndMouse = 1227;
inline constexpr UINT kCaptureSensorImage = 1229;
inline constexpr UINT kTrackingControl = 1230;
inline constexpr UINT kCalibration = 1231;
inline constexpr UINT kNoAction1232 = 1232;
inline constexpr UINT kReReadStatistics = 1233;
inline constexpr UINT kHorizontalScrollStep = 1238;
inline constexpr UINT kNoAction1274 = 1274;
inline constexpr UINT kTrayCallback = 1036;
inline constexpr UINT kDeviceEvent = 1325;
inline constexpr UINT kDevicePlug = 1326;
inline constexpr UINT kDeviceChange1327 = 1327;
inline constexpr UINT kCrossDeviceStatus = 2025;
inline constexpr UINT kWorkerCommand = 1649;

// Posted to the Configuration program.
inline constexpr UINT kMouseRead = 1254;
inline constexpr UINT kProfileChanged = 1255;
inline constexpr UINT kSensitivityChanged = 1257;
inline constexpr UINT kStatisticsChanged = 1264;
inline constexpr UINT kPeerListChanged = 1284;
// Posted to the calibration wizard.
inline constexpr UINT kSensorImageStored = 1260;
inline constexpr UINT kCalibrationResult = 1261;
// Posted to the on-screen display (same number as the plug message).
inline constexpr UINT kOsdSettings = 1326;

inline constexpr platform::WPARAM kCommandOpenOption = 6001;
inline constexpr platform::WPARAM kCommandExit = 6002;
inline constexpr UINT WM_WININICHANGE = 0x001A;
}  // namespace msg

// Window timers.
namespace timer {
inline constexpr std::uintptr_t kProfileSwitch = 500;
inline constexpr std::uintptr_t kFirstRead = 502;
inline constexpr std::uintptr_t kCountdown = 600;
inline constexpr std::uintptr_t kSoundProfile = 601;
inline constexpr std::uintptr_t kSoundWindowsProfile = 602;
inline constexpr std::uintptr_t kSoundDpi = 603;
inline constexpr std::uintptr_t kSoundSensUp = 605;
inline constexpr std::uintptr_t kSoundSensDown = 606;
inline constexpr std::uintptr_t kSoundVolumeUp = 607;
inline constexpr std::uintptr_t kSoundVolumeDown = 608;
inline constexpr std::uintptr_t kTrophyLock = 610;
inline constexpr unsigned kProfileSwitchMs = 2000;
inline constexpr unsigned kFirstReadMs = 200;
inline constexpr unsigned kCountdownMs = 1000;
inline constexpr unsigned kSoundDelayMs = 500;
inline constexpr unsigned kTrophyLockMs = 4000;
}  // namespace timer

// Commands of the worker thread (wParam of message 1649).
enum class WorkerCommand : int {
  ReadEverything = 2,
  WriteCurrentProfile = 3,
  UploadColorDatabase = 5,
  ResendMacro = 6,
};

// Device event types (high 16 bits of an event), as the mouse defines them.
namespace event = device::event;

}  // namespace monitor
