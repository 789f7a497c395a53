// The device access library for the simulated mouse: its backend talks
// to a running vesk-mouse-sim over its socket ($VESK_MOUSE_SIM, default in
// the user's runtime folder). Events and plug changes arrive on a watcher
// connection read by the library's own thread and are posted to the window
// given to Open_DevMonitor.
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstring>
#include <mutex>

#include "mousesim/MouseMemory.h"
#include "mousesim/SimWire.h"
#include "portkit/Backend.h"
#include "portkit/WatcherThread.h"

namespace {

namespace wire = mousesim::wire;

constexpr int kReconnectMs = 250;
constexpr int kTransferTimeoutSeconds = 5;

class SimPortkit : public portkit::Backend {
 public:
  ~SimPortkit() override {
    closeDevMonitor();
    closeFeatureDevice();
  }

  void openDevMonitor(std::uint64_t window, unsigned eventMessage, unsigned plugMessage) override {
    std::lock_guard lock(monitorMutex_);
    watcher_.stop();
    window_ = window;
    eventMessage_ = eventMessage;
    plugMessage_ = plugMessage;
    watcher_.start([this, path = wire::defaultSocketPath()] { watch(path); });
  }

  void closeDevMonitor() override {
    std::lock_guard lock(monitorMutex_);
    watcher_.stop();
  }

  bool openFeatureDevice() override {
    std::lock_guard lock(featureMutex_);
    // A fresh connection every time: the simulator may have been restarted.
    closeLocked();
    featureFd_ = wire::connectTo(wire::defaultSocketPath());
    if (featureFd_ >= 0) {
      // A simulator that stops answering fails the transfer instead of hanging it.
      timeval timeout{kTransferTimeoutSeconds, 0};
      ::setsockopt(featureFd_, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
      ::setsockopt(featureFd_, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    }
    std::vector<std::uint8_t> reply;
    if (!exchange(wire::kOpen, {}, reply) || reply.size() < 3 || reply[0] != 1) {
      closeLocked();
      return false;
    }
    productId_ = reply[1] | (reply[2] << 8);
    return true;
  }

  void closeFeatureDevice() override {
    std::lock_guard lock(featureMutex_);
    closeLocked();
  }

  bool setFeature(std::span<const std::uint8_t> report) override {
    std::lock_guard lock(featureMutex_);
    std::vector<std::uint8_t> reply;
    return exchange(wire::kSet, report, reply) && !reply.empty() && reply[0] == 1;
  }

  bool getFeature(std::span<std::uint8_t> report) override {
    std::lock_guard lock(featureMutex_);
    std::vector<std::uint8_t> reply;
    if (!exchange(wire::kGet, report, reply) || reply.size() != report.size() + 1 ||
        reply[0] != 1) {
      return false;
    }
    std::memcpy(report.data(), reply.data() + 1, report.size());
    return true;
  }

  int productId() override {
    std::lock_guard lock(featureMutex_);
    return featureFd_ >= 0 ? productId_ : 0;
  }

 private:
  bool exchange(wire::Kind kind, std::span<const std::uint8_t> payload,
                std::vector<std::uint8_t>& reply) {
    if (featureFd_ < 0) return false;
    std::uint8_t replyKind = 0;
    if (!wire::sendFrame(featureFd_, kind, payload) ||
        !wire::receiveFrame(featureFd_, replyKind, reply) || replyKind != wire::kReply) {
      closeLocked();  // the simulator went away; Open_FeatureDevice reconnects
      return false;
    }
    return true;
  }

  void closeLocked() {
    if (featureFd_ >= 0) ::close(featureFd_);
    featureFd_ = -1;
    productId_ = 0;
  }

  void post(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    portkit::postToProgram(window_, message, wParam, lParam);
  }

  // Waits for the stop signal; true when it came.
  bool stopWithin(int ms) {
    pollfd p{watcher_.stopFd(), POLLIN, 0};
    return ::poll(&p, 1, ms) > 0;
  }

  void watch(const std::string& path) {
    bool known = false;
    bool plugged = false;
    for (;;) {
      const int fd = wire::connectTo(path);
      if (fd < 0 || !wire::sendFrame(fd, wire::kWatch, {})) {
        if (fd >= 0) ::close(fd);
        if (stopWithin(kReconnectMs)) return;
        continue;
      }
      const bool stopped = readEvents(fd, known, plugged);
      ::close(fd);
      if (stopped) return;
      // The simulator went away: to the program the mouse is gone.
      if (known && plugged) post(plugMessage_, 0, 0);
      plugged = false;
      known = true;
      if (stopWithin(kReconnectMs)) return;
    }
  }

  // Forwards until the connection ends (false) or a stop is requested (true).
  bool readEvents(int fd, bool& known, bool& plugged) {
    std::uint8_t kind = 0;
    std::vector<std::uint8_t> payload;
    for (;;) {
      pollfd fds[2] = {{watcher_.stopFd(), POLLIN, 0}, {fd, POLLIN, 0}};
      if (::poll(fds, 2, -1) < 0) continue;
      if (fds[0].revents) return true;
      if (!wire::receiveFrame(fd, kind, payload)) return false;
      if (kind == wire::kPlug && payload.size() == 1) {
        const bool now = payload[0] == 1;
        if (known && now != plugged) post(plugMessage_, now ? 1 : 0, 0);
        known = true;
        plugged = now;
      } else if (kind == wire::kEvent && payload.size() == 4) {
        const unsigned type = payload[0] | (payload[1] << 8);
        const unsigned value = payload[2] | (payload[3] << 8);
        post(eventMessage_, type, static_cast<std::intptr_t>(value));
      }
    }
  }

  std::mutex monitorMutex_;
  portkit::WatcherThread watcher_;
  std::uint64_t window_ = 0;
  unsigned eventMessage_ = 0;
  unsigned plugMessage_ = 0;
  std::mutex featureMutex_;
  int featureFd_ = -1;
  int productId_ = 0;
};

}  // namespace

portkit::Backend& portkit::backend() {
  static SimPortkit instance;
  return instance;
}
