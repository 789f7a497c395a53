#pragma once

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>
#include <thread>
#include <utility>

namespace portkit {

// A device access library's own thread, running until stop(). The thread
// polls stopFd() beside its other descriptors and returns once it is
// readable, so stop() never waits on a blocked read.
class WatcherThread {
 public:
  WatcherThread() = default;
  ~WatcherThread() { stop(); }
  WatcherThread(const WatcherThread&) = delete;
  WatcherThread& operator=(const WatcherThread&) = delete;

  bool running() const { return thread_.joinable(); }
  // Valid from start() until stop() returns.
  int stopFd() const { return stopFd_; }

  // Runs body on a new thread, after stopping one still running; nothing
  // runs when no stop signal could be made.
  template <class Body>
  void start(Body&& body) {
    stop();
    stopFd_ = ::eventfd(0, EFD_CLOEXEC);
    if (stopFd_ < 0) return;
    thread_ = std::thread(std::forward<Body>(body));
  }

  // Signals the thread, waits until it has returned and drops the signal.
  void stop() {
    if (thread_.joinable()) {
      const std::uint64_t one = 1;
      [[maybe_unused]] const auto n = ::write(stopFd_, &one, sizeof one);
      thread_.join();
    }
    if (stopFd_ >= 0) ::close(stopFd_);
    stopFd_ = -1;
  }

 private:
  std::thread thread_;
  int stopFd_ = -1;
};

}  // namespace portkit
