#include "upgrade/UpdaterWindow.h"

#include "platform/Paths.h"
#include "upgrade/DeviceVersion.h"
#include "upgrade/UpdaterNames.h"
#include "upgrade/UpgradeRun.h"

namespace upgrade {

UpdaterWindow::UpdaterWindow(Ports ports, std::string programFolder)
    : ports_(std::move(ports)), folder_(std::move(programFolder)), file_("", folder_) {
  if (!folder_.empty() && folder_.back() != '/') folder_ += '/';
}

UpdaterWindow::~UpdaterWindow() { destroy(); }

void UpdaterWindow::initialize(platform::HWND self) {
  file_ = FirmwareFile::fromConfig(folder_);
  ports_.view.centre();
  closeMonitor();
  device_ = ports_.loadDevice(folder_);
  worker_ =
      std::make_unique<UpgradeWorker>([this](const std::atomic<bool>& quit) { runOnWorker(quit); });
  std::optional<int> version;
  if (device_ && device_->present()) {
    device_->openDevMonitor(self);
    device_->openFeatureDevice();
    version = readDeviceVersion(device_->transport());
  }
  versionText_ = deviceVersionText(version);
  ports_.view.setTexts(versionText_, file_.displayName());
  ports_.view.setTitle(kUpdaterTitle);
  ports_.view.startTimer(kStartTimer, kStartTimerMs);
}

void UpdaterWindow::closeMonitor() {
  platform::HWND monitor = ports_.monitor.findMonitor();
  if (monitor == platform::kNoWindow) {
    ports_.clock.sleep(kMonitorFindRetryMs);
    monitor = ports_.monitor.findMonitor();
  }
  if (monitor == platform::kNoWindow) return;
  ports_.monitor.closeMonitor(monitor);
  // The Monitor lets go of the mouse on its way out.
  ports_.clock.sleep(kMonitorCloseWaitMs);
}

platform::LRESULT UpdaterWindow::handle(platform::UINT msg, platform::WPARAM wParam,
                                        platform::LPARAM lParam) {
  if (destroyed_) return 0;
  switch (msg) {
    case platform::WM_TIMER:
      // The start timer fires once, however many of its ticks were queued.
      if (wParam == kStartTimer && !started_) {
        started_ = true;
        ports_.view.stopTimer(kStartTimer);
        ports_.view.setProgress(0);
        startUpgrade();
      }
      return 0;
    case msg::kBlockWritten:
      ports_.view.setProgress(static_cast<int>(wParam));
      return 0;
    case msg::kUpgradeResult:
      if (lParam == 1) {
        ports_.view.setProgress(static_cast<int>(image_.size() / device::update::kBlockSize));
        ports_.view.showSuccess();
        finished_ = true;
        ports_.view.close();
      } else {
        ports_.view.showFailure();
      }
      return 0;
    default:
      return 0;
  }
}

void UpdaterWindow::startUpgrade() {
  // Without a complete device library nothing is sent and nothing of it is
  // called; an image that cannot be read or does not fit is never started.
  if (!device_ || !device_->present() || !worker_ || worker_->busy() ||
      image_.load(file_.path()) != FirmwareImage::Load::Ok) {
    ports_.view.showFailure();
    return;
  }
  ports_.view.setProgressRange(0, static_cast<int>(image_.size() / device::update::kBlockSize));
  worker_->signal();
}

void UpdaterWindow::runOnWorker(const std::atomic<bool>& quit) {
  UpgradeRun run(device_->transport(), ports_.clock, quit);
  const bool ok = run.run(image_, [this](std::size_t block) {
    ports_.post(msg::kBlockWritten, static_cast<platform::WPARAM>(block), 0);
  });
  // A run stopped by the closing window reports nothing to it.
  if (!quit.load()) ports_.post(msg::kUpgradeResult, 0, ok ? 1 : 0);
}

void UpdaterWindow::destroy() {
  if (destroyed_) return;
  destroyed_ = true;
  if (worker_) worker_->requestStop();
  ports_.view.stopTimer(kStartTimer);
  if (worker_) worker_->stop();
  worker_.reset();
  if (device_ && device_->present()) {
    device_->closeDevMonitor();
    device_->closeFeatureDevice();
  }
  device_.reset();
  if (finished_) ports_.monitor.startProgram(monitorPath());
}

std::string UpdaterWindow::monitorPath() const {
  std::string above = folder_;
  while (!above.empty() && above.back() == '/') above.pop_back();
  const auto slash = above.find_last_of('/');
  above = slash == std::string::npos ? std::string("./") : above.substr(0, slash + 1);
  return platform::ResolveIn(above, kMonitorProgram);
}

}  // namespace upgrade
