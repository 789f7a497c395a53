#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "portkit/Backend.h"
#include "portkit/HidIo.h"
#include "portkit/HidrawEnumerator.h"
#include "portkit/HotplugMonitor.h"
#include "portkit/WatcherThread.h"

namespace portkit {

// The device access library over hidraw: finds the mouse by its USB
// identity, exchanges feature reports, and on its own thread watches hotplug
// and reads event input reports, posting both as window messages.
class HidrawPortkit : public Backend {
 public:
  // (message, wParam, lParam) to the window given to openDevMonitor.
  using Poster = std::function<void(std::uint64_t window, unsigned message, std::uintptr_t wParam,
                                    std::intptr_t lParam)>;
  using HotplugFactory = std::function<std::unique_ptr<HotplugMonitor>()>;

  HidrawPortkit(DeviceIds ids, std::unique_ptr<HidrawEnumerator> enumerator,
                std::unique_ptr<HidIo> io, HotplugFactory hotplug, Poster poster);
  ~HidrawPortkit() override;
  HidrawPortkit(const HidrawPortkit&) = delete;
  HidrawPortkit& operator=(const HidrawPortkit&) = delete;

  void openDevMonitor(std::uint64_t window, unsigned eventMessage, unsigned plugMessage) override;
  void closeDevMonitor() override;
  bool openFeatureDevice() override;
  void closeFeatureDevice() override;
  bool setFeature(std::span<const std::uint8_t> report) override;
  bool getFeature(std::span<std::uint8_t> report) override;
  int productId() override;
  void setPoster(Poster poster);

 private:
  void watch();
  void handleHotplug(HotplugMonitor& monitor);
  void openEventNode();
  void closeEventNode();
  void readEvents();
  void post(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

  const DeviceIds ids_;
  std::unique_ptr<HidrawEnumerator> enumerator_;
  std::unique_ptr<HidIo> io_;
  HotplugFactory hotplugFactory_;

  std::mutex posterMutex_;
  Poster poster_;

  std::mutex featureMutex_;
  int featureFd_ = -1;

  std::mutex monitorMutex_;  // open/close of the monitor
  WatcherThread watcher_;
  std::uint64_t window_ = 0;
  unsigned eventMessage_ = 0;
  unsigned plugMessage_ = 0;
  // Watcher thread only:
  int eventFd_ = -1;
  std::string eventNode_;
};

}  // namespace portkit
