#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/Clock.h"
#include "platform/Types.h"
#include "upgrade/DeviceAccess.h"
#include "upgrade/FirmwareFile.h"
#include "upgrade/FirmwareImage.h"
#include "upgrade/MonitorPort.h"
#include "upgrade/UpdaterView.h"
#include "upgrade/UpgradeWorker.h"

namespace upgrade {

// The logic of the updater window, free of any toolkit: it closes the
// Monitor, opens the mouse, loads the image a second after it is up, has the
// worker write it, follows the progress and the result, and on success starts
// the Monitor again when the window goes.
class UpdaterWindow {
 public:
  struct Ports {
    MonitorPort& monitor;
    UpdaterView& view;
    platform::Clock& clock;
    // Loads the device library from the program folder.
    std::function<std::unique_ptr<DeviceAccess>(const std::string& folder)> loadDevice;
    // Posts a message to the updater window; called from the worker thread.
    std::function<void(platform::UINT, platform::WPARAM, platform::LPARAM)> post;
  };

  // programFolder with a trailing '/'.
  UpdaterWindow(Ports ports, std::string programFolder);
  ~UpdaterWindow();

  // The window exists: close the Monitor, open the mouse, start the timer.
  void initialize(platform::HWND self);
  // Timers and the worker's messages; anything else gives 0.
  platform::LRESULT handle(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam);
  // The window goes: the worker has ended before the library is closed and
  // unloaded; after a success the Monitor starts again.
  void destroy();

  const std::string& versionText() const { return versionText_; }
  const FirmwareFile& firmwareFile() const { return file_; }
  bool upgradeFinished() const { return finished_; }
  // Where the Monitor is started from: the folder above the program folder.
  std::string monitorPath() const;

 private:
  void closeMonitor();
  void startUpgrade();
  void runOnWorker(const std::atomic<bool>& quit);

  Ports ports_;
  std::string folder_;
  FirmwareFile file_;
  FirmwareImage image_;
  std::unique_ptr<DeviceAccess> device_;
  std::unique_ptr<UpgradeWorker> worker_;
  std::string versionText_;
  bool started_ = false;
  bool finished_ = false;
  bool destroyed_ = false;
};

}  // namespace upgrade
