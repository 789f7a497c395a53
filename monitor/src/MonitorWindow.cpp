#include "monitor/MonitorWindow.h"

#include <cstring>

#include "monitor/FirmwareCheck.h"
#include "monitor/MonitorNames.h"
#include "monitor/SensorImageStore.h"
#include "monitor/WindowsMouseApplier.h"
#include "platform/Paths.h"

namespace monitor {

using platform::LPARAM;
using platform::LRESULT;
using platform::UINT;
using platform::WPARAM;

MonitorWindow::MonitorWindow(MonitorServices services, bool openConfiguration)
    : s_(services),
      image_(std::make_unique<settings::SettingsImage>()),
      player_(services.sound, services.files.programFolder()),
      sounds_(services.window, player_),
      countdown_(services.window, sounds_),
      crossDevice_(services.window, services.chorus),
      worker_(services.worker),
      openConfiguration_(openConfiguration) {}

MonitorWindow::~MonitorWindow() {
  if (created_ && !destroyed_) destroy();
}

LRESULT MonitorWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case platform::WM_CREATE:
      return create() ? 0 : -1;
    case platform::WM_CLOSE:
      // The owner destroys the window, which runs the shutdown.
      return 0;
    case platform::WM_DESTROY:
      destroy();
      return 0;
    case platform::WM_TIMER:
      onTimer(wParam);
      return 0;
    case platform::WM_COPYDATA:
      return crossDevice_.onCopyData(lParam);
    case platform::WM_DEVICECHANGE:
    case msg::kDeviceChange1327:
      return 1;
    case msg::kApply:
      apply(wParam);
      return 0;
    case msg::kReReadShared:
    case msg::kReReadStatistics:
      reReadShared();
      return 0;
    case msg::kReReadSharedAndMouse:
      reReadShared();
      applyWindowsMouse();
      return 0;
    case msg::kCaptureSensorImage:
      captureSensorImage();
      return 0;
    case msg::kTrackingControl: {
      reReadShared();
      std::lock_guard lock(deviceMutex_);
      s_.mouse.sendTrackingControl(*image_, static_cast<int>(lParam));
      return 0;
    }
    case msg::kCalibration: {
      reReadShared();
      std::lock_guard lock(deviceMutex_);
      s_.mouse.setCalibrationState(*image_, static_cast<int>(lParam));
      return 0;
    }
    case msg::kDeviceEvent:
      dispatch(DeviceEvent::fromMessage(wParam, lParam));
      return 0;
    case msg::kDevicePlug:
      dispatch(DeviceEvent::fromPlug(wParam));
      return 0;
    case msg::kHorizontalScrollStep:
      horizontalScroll_.onStepMessage(wParam, lParam);
      return 0;
    case msg::kCrossDeviceStatus:
      crossDeviceStatus(message, wParam, lParam);
      return 0;
    case msg::kTrayCallback:
      if (static_cast<UINT>(lParam) == 0x0203)  // left double-click
        openConfiguration();
      return 0;
    case platform::WM_COMMAND:
      if (platform::LOWORD(wParam) == msg::kCommandOpenOption) openConfiguration();
      if (platform::LOWORD(wParam) == msg::kCommandExit)
        s_.window.post(s_.window.self(), platform::WM_CLOSE, 0, 0);
      return 0;
    default:
      if (crossDevice_.isStatusMessage(message)) crossDeviceStatus(message, wParam, lParam);
      if (crossDevice_.isAmbientMessage(message))
        sendLightCommand(crossDevice_.ambientLightCommand());
      return 0;
  }
}

void MonitorWindow::crossDeviceStatus(UINT message, WPARAM wParam, LPARAM lParam) {
  const CrossDeviceHost::StatusAction action =
      crossDevice_.onStatus(message, wParam, lParam, connected() ? image_.get() : nullptr);
  if (action.light) sendLightCommand(*action.light);
  if (action.updateTray) updateTray();
  if (action.openConfiguration) openConfiguration();
  if (action.exit) s_.window.post(s_.window.self(), platform::WM_CLOSE, 0, 0);
}

void MonitorWindow::sendLightCommand(const device::codec::LightCommandBytes& command) {
  if (!connected()) return;
  std::lock_guard lock(deviceMutex_);
  s_.mouse.sendLightCommand(command);
}

bool MonitorWindow::create() {
  crossDevice_.registerInConfiguration();
  s_.files.recordFirstRun();
  s_.files.loadAll(*image_);
  s_.files.readOsdSetting(osd_);
  if (image_->QuickHelpLan == -1) image_->QuickHelpLan = s_.files.languageFromSystem();

  const ImageShare::Created shared = s_.share.create();
  if (shared == ImageShare::Created::MutexExisted) return false;
  if (shared == ImageShare::Created::Ok) s_.share.write(*image_);
  created_ = true;

  crossDevice_.announce(s_.window.self());
  if (!worker_) {
    ownWorker_ = std::make_unique<WorkerThread>(
        [this](WorkerCommand command, LPARAM lParam) { runWorkerCommand(command, lParam); });
    worker_ = ownWorker_.get();
  }

  s_.mouse.openMonitor(s_.window.self());
  if (s_.mouse.openFeature()) {
    s_.window.setTimer(timer::kProfileSwitch, timer::kProfileSwitchMs);
    if (!passesFirmwareCheck()) {
      s_.window.post(s_.window.self(), platform::WM_CLOSE, 0, 0);
    } else {
      s_.window.setTimer(timer::kFirstRead, timer::kFirstReadMs);
      plug_ = Plug::Connected;
      updateTray();
      if (openConfiguration_) openConfiguration();
    }
  }
  if (connected()) crossDevice_.sendDeviceStatus(true, *image_);
  s_.files.saveDeviceConnected(connected());
  applyWindowsMouse();
  startOsdProgram();
  s_.files.writeEmptyDeviceInfo();
  return true;
}

void MonitorWindow::destroy() {
  if (destroyed_ || !created_) return;
  destroyed_ = true;
  // A running read ends at its next pause, so it never holds the mouse
  // while the host flag goes out.
  if (workerBusy_) s_.mouse.requestAbort();
  {
    std::lock_guard lock(deviceMutex_);
    s_.mouse.clearAbort();
    if (connected()) s_.mouse.sendHostActive(false);
  }
  s_.window.killTimer(timer::kProfileSwitch);
  s_.window.killTimer(timer::kFirstRead);
  countdown_.stopTimer();
  sounds_.stopTimers();
  s_.window.postTo(kOptionTitle, platform::WM_CLOSE);
  for (const char* title : kOsdTitles) s_.window.postTo(title, platform::WM_CLOSE);
  if (workerBusy_) s_.mouse.requestAbort();
  if (worker_) worker_->stop(1000);
  s_.mouse.closeMonitor();
  s_.mouse.closeFeature();
  s_.mouse.unload();
  s_.share.close();
  trayVisible_ = false;
  if (s_.tray) s_.tray->setVisible(false);
  crossDevice_.sendDeviceStatus(false, *image_);
  player_.release();
}

bool MonitorWindow::passesFirmwareCheck() {
  std::optional<int> version;
  {
    std::lock_guard lock(deviceMutex_);
    version = s_.mouse.readFirmwareVersion();
  }
  const auto verdict = FirmwareCheck::compare(version, s_.files.packagedFirmwareVersion());
  if (verdict == FirmwareCheck::Verdict::Pass) return true;
  const std::string updater = platform::ResolveIn(s_.files.programFolder(), kUpdaterProgram);
  // Without an updater to hand the mouse to, the Monitor keeps it.
  if (!platform::FileExists(updater) ||
      !s_.shell.open(updater, FirmwareCheck::updaterParameter(verdict)))
    return true;
  openConfiguration_ = false;
  return false;
}

void MonitorWindow::openConfiguration() {
  if (s_.window.find(kOptionTitle) != platform::kNoWindow) return;  // already up
  const std::string program = platform::ResolveIn(s_.files.programFolder(), kOptionProgram);
  if (platform::FileExists(program)) s_.shell.open(program, "");
}

void MonitorWindow::startOsdProgram() {
  const std::string program = platform::ResolveIn(s_.files.programFolder(), kOsdProgram);
  if (platform::FileExists(program)) s_.shell.open(program, "");
}

void MonitorWindow::updateTray() {
  trayVisible_ = connected() && !crossDevice_.hostOwnsTrayIcon();
  if (s_.tray) s_.tray->setVisible(trayVisible_);
}

void MonitorWindow::apply(WPARAM wParam) {
  reReadShared();
  applyWindowsMouse();
  s_.files.readOsdSetting(osd_);
  std::int32_t osd28 = 0, osd32 = 0;
  std::memcpy(&osd28, osd_.data() + 28, 4);
  std::memcpy(&osd32, osd_.data() + 32, 4);
  s_.window.postTo(kOsdTitles[0], msg::kOsdSettings, 0,
                   static_cast<LPARAM>(osd28) * 65536 + static_cast<LPARAM>(osd32));
  if (connected()) {
    std::lock_guard lock(deviceMutex_);
    if (wParam == 1)
      s_.mouse.sendReset();
    else
      s_.mouse.writeChanges(*image_);
  }
  crossDevice_.notifyChange();
  crossDevice_.sendSteadyAimNotice(*image_);
}

void MonitorWindow::reReadShared() { s_.share.read(*image_); }

void MonitorWindow::captureSensorImage() {
  std::optional<MouseDevice::SensorPixels> pixels;
  if (connected()) {
    std::lock_guard lock(deviceMutex_);
    pixels = s_.mouse.captureSensorImage();
  }
  if (pixels) {
    SensorImageStore::store(platform::ResolveIn(s_.files.programFolder(), kSensorImageFile),
                            *pixels);
  }
  s_.window.postTo(kCalibrationTitle, msg::kSensorImageStored);
}

void MonitorWindow::onTimer(std::uintptr_t id) {
  switch (id) {
    case timer::kProfileSwitch:
      if (connected()) automaticProfileSwitch();
      return;
    case timer::kFirstRead:
      s_.window.killTimer(timer::kFirstRead);
      worker_->post(WorkerCommand::ReadEverything, 0);
      return;
    case timer::kCountdown:
      countdown_.tick(soundVolume());
      return;
    default:
      sounds_.onTimer(id, image_->CurrentProfile, soundVolume());
      return;
  }
}

void MonitorWindow::runWorkerCommand(WorkerCommand command, LPARAM lParam) {
  if (!connected()) return;
  workerBusy_ = true;
  {
    std::lock_guard lock(deviceMutex_);
    s_.mouse.clearAbort();
    switch (command) {
      case WorkerCommand::ReadEverything:
        readEverything();
        break;
      case WorkerCommand::WriteCurrentProfile:
        s_.mouse.writeCurrentProfile(*image_);
        break;
      case WorkerCommand::UploadColorDatabase: {
        const std::string file = s_.files.readColorDatabase();
        s_.mouse.uploadColorDatabase(
            {reinterpret_cast<const std::uint8_t*>(file.data()), file.size()});
        break;
      }
      case WorkerCommand::ResendMacro:
        s_.mouse.writeRequestedMacro(*image_, static_cast<int>(lParam));
        break;
    }
  }
  workerBusy_ = false;
}

void MonitorWindow::readEverything() {
  const bool completed = s_.mouse.readEverything(
      *image_, [this](int version) { s_.files.saveFirmwareVersion(version); });
  if (completed && !s_.mouse.aborted()) {
    s_.files.saveAll(*image_);
    s_.share.write(*image_);
    postToConfiguration(msg::kMouseRead);
  }
  s_.mouse.sendHostActive(true);
  crossDevice_.sendSteadyAimNotice(*image_);
}

}  // namespace monitor
