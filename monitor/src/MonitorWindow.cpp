#include "monitor/MonitorWindow.h"

#include <chrono>
#include <cstring>

#include "apply/MonitorAddress.h"
#include "monitor/FirmwareCheck.h"
#include "monitor/MonitorNames.h"
#include "monitor/SensorImageStore.h"
#include "monitor/WindowsMouseApplier.h"
#include "platform/Paths.h"

namespace monitor {
namespace {

// How long shutdown waits for the worker.
constexpr int kWorkerStopMs = 1000;

}  // namespace

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
      horizontalScroll_(services.scroll),
      mediaPlayers_(services.media, services.shell),
      worker_(services.worker),
      openConfiguration_(openConfiguration) {}

MonitorWindow::~MonitorWindow() {
  if (created_ && !destroyed_) destroy();
}

LRESULT MonitorWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  // Shutdown waits for the worker, which may need the image to finish.
  if (message == platform::WM_DESTROY) {
    destroy();
    return 0;
  }
  // A message sent to this window while it waits on a send of its own runs
  // nested, on the same thread, under the lock already held.
  if (windowImageLock_) return handleLocked(message, wParam, lParam);
  std::unique_lock image(imageMutex_);
  windowImageLock_ = &image;
  const LRESULT result = handleLocked(message, wParam, lParam);
  windowImageLock_ = nullptr;
  return result;
}

std::unique_lock<std::timed_mutex> MonitorWindow::lockDevice() {
  std::unique_lock device(deviceMutex_, std::try_to_lock);
  if (device.owns_lock()) return device;
  const bool holdsImage = windowImageLock_ && windowImageLock_->owns_lock();
  if (holdsImage) windowImageLock_->unlock();
  device.lock();
  if (holdsImage) windowImageLock_->lock();
  return device;
}

LRESULT MonitorWindow::handleLocked(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case platform::WM_CREATE:
      return create() ? 0 : -1;
    case platform::WM_CLOSE:
      // The owner destroys the window, which runs the shutdown.
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
      return apply(wParam) ? apply::kApplyReachedMouse : apply::kApplyMouseMissed;
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
      const auto device = lockDevice();
      s_.mouse.sendTrackingControl(*image_, static_cast<int>(lParam));
      return 0;
    }
    case msg::kCalibration: {
      reReadShared();
      const auto device = lockDevice();
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
  const auto device = lockDevice();
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
  // The abort stays raised to the end: a running sequence ends at its next
  // pause, queued commands are dropped, and nothing follows the host flag.
  shuttingDown_ = true;
  s_.mouse.requestAbort();
  {
    // A worker stuck inside a transfer does not hold up the shutdown; the
    // host flag then stays unsent rather than interleaved with its report.
    std::unique_lock device(deviceMutex_, std::chrono::milliseconds(kWorkerStopMs));
    if (device.owns_lock() && connected()) s_.mouse.sendHostActive(false);
  }
  std::unique_lock image(imageMutex_);
  s_.window.killTimer(timer::kProfileSwitch);
  s_.window.killTimer(timer::kFirstRead);
  countdown_.stopTimer();
  sounds_.stopTimers();
  s_.window.postTo(kOptionTitle, platform::WM_CLOSE);
  for (const char* title : kOsdTitles) s_.window.postTo(title, platform::WM_CLOSE);
  // The worker may be waiting for the image to hand over a result.
  image.unlock();
  if (worker_) workerEnded_ = worker_->stop(kWorkerStopMs);
  image.lock();
  s_.mouse.closeMonitor();
  s_.mouse.closeFeature();
  // A worker still inside the library keeps it loaded.
  if (workerEnded_) s_.mouse.unload();
  s_.share.close();
  trayVisible_ = false;
  if (s_.tray) s_.tray->setVisible(false);
  crossDevice_.sendDeviceStatus(false, *image_);
  player_.release();
}

bool MonitorWindow::passesFirmwareCheck() {
  std::optional<int> version;
  {
    const auto device = lockDevice();
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
  const platform::HWND running = s_.window.find(kOptionTitle);
  if (running != platform::kNoWindow) {
    s_.window.post(running, platform::WM_ACTIVATE, platform::WA_ACTIVE, 0);
    return;
  }
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

bool MonitorWindow::apply(WPARAM wParam) {
  ++applyGeneration_;
  const bool sharedRead = reReadShared();
  // Kept aside: a read that ends while this apply waits for the mouse
  // leaves the image alone, but the copy is what the editor handed over.
  auto handedOver = std::make_unique<settings::SettingsImage>(*image_);
  applyWindowsMouse();
  s_.files.readOsdSetting(osd_);
  std::int32_t osd28 = 0, osd32 = 0;
  std::memcpy(&osd28, osd_.data() + 28, 4);
  std::memcpy(&osd32, osd_.data() + 32, 4);
  s_.window.postTo(kOsdTitles[0], msg::kOsdSettings, 0,
                   static_cast<LPARAM>(osd28) * 65536 + static_cast<LPARAM>(osd32));
  bool reachedMouse = wParam != 1 && !settings::anyChangeFlag(*image_);
  if (connected()) {
    // An apply that arrives during a read is carried out after it.
    const auto device = lockDevice();
    if (!device.owns_lock()) return false;
    *image_ = *handedOver;
    if (connected() && !shuttingDown_) {
      reachedMouse = wParam == 1 ? s_.mouse.sendReset() : s_.mouse.writeChanges(*image_);
    } else {
      reachedMouse = false;
    }
  }
  // The change flags are spent; the shared image shows what was applied, so
  // a read that ends later never takes it for an apply still on its way.
  settings::clearChangeFlags(*image_);
  publish();
  crossDevice_.notifyChange();
  crossDevice_.sendSteadyAimNotice(*image_);
  return sharedRead && reachedMouse;
}

bool MonitorWindow::reReadShared() { return s_.share.read(*image_, *image_); }

void MonitorWindow::captureSensorImage() {
  std::optional<MouseDevice::SensorPixels> pixels;
  if (connected()) {
    const auto device = lockDevice();
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
  if (!connected() || shuttingDown_) return;
  // The worker's own copy: the window thread goes on using the image.
  std::unique_ptr<settings::SettingsImage> copy;
  std::uint64_t generation = 0;
  {
    std::lock_guard image(imageMutex_);
    copy = std::make_unique<settings::SettingsImage>(*image_);
    generation = applyGeneration_;
  }
  bool readCompleted = false;
  {
    std::lock_guard device(deviceMutex_);
    // Shutdown drops what is still queued; its host flag is the last report.
    if (shuttingDown_ || !connected()) return;
    const std::uint64_t removalsAtStart = removals_;
    workerBusy_ = true;
    s_.mouse.clearAbort();
    switch (command) {
      case WorkerCommand::ReadEverything:
        readCompleted = s_.mouse.readEverything(
            *copy, [this](int version) { s_.files.saveFirmwareVersion(version); });
        readCompleted = readCompleted && !s_.mouse.aborted();
        if (shuttingDown_) break;
        // The image is handed over before the mouse hears that the host read it.
        handOverRead(*copy, generation, readCompleted);
        // A mouse removed during the read never hears it; the flag would
        // otherwise reach the mouse plugged in next, ahead of its own read.
        if (removals_ == removalsAtStart) s_.mouse.sendHostActive(true);
        break;
      case WorkerCommand::WriteCurrentProfile:
        s_.mouse.writeCurrentProfile(*copy);
        break;
      case WorkerCommand::UploadColorDatabase: {
        const std::string file = s_.files.readColorDatabase();
        s_.mouse.uploadColorDatabase(
            {reinterpret_cast<const std::uint8_t*>(file.data()), file.size()});
        break;
      }
      case WorkerCommand::ResendMacro:
        s_.mouse.writeRequestedMacro(*copy, static_cast<int>(lParam));
        break;
    }
    workerBusy_ = false;
  }
  if (command != WorkerCommand::ReadEverything || shuttingDown_) return;
  std::lock_guard image(imageMutex_);
  crossDevice_.sendSteadyAimNotice(*image_);
}

void MonitorWindow::handOverRead(const settings::SettingsImage& read, std::uint64_t generation,
                                 bool completed) {
  // Taken while the worker holds the device: the window thread never waits
  // for the device while it holds the image (see lockDevice).
  std::lock_guard image(imageMutex_);
  // An apply during the read wrote newer settings than the read began with:
  // the mouse now holds them, and the read's copy must not replace them.
  if (generation != applyGeneration_) {
    // Read again, so that what the apply left unflagged is the mouse's too.
    if (worker_) worker_->post(WorkerCommand::ReadEverything, 0);
  } else if (completed && !applyPending()) {
    *image_ = read;
    s_.files.saveAll(*image_);
    // Where the mouse is goes to config.ini too: the next start, and a
    // reader that cannot open the shared image, see the profile just read.
    if (image_->CurrentProfile >= 0 && image_->CurrentProfile < settings::kProfileCount)
      s_.files.saveCurrentProfile(image_->CurrentProfile);
    publish();
    postToConfiguration(msg::kMouseRead);
  }
}

bool MonitorWindow::applyPending() {
  auto shared = std::make_unique<settings::SettingsImage>();
  return s_.share.read(*shared, *image_) && settings::anyChangeFlag(*shared);
}

}  // namespace monitor
