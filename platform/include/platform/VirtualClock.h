#pragma once

#include <cstdint>
#include <memory>
#include <mutex>

#include "platform/Clock.h"

// A clock for tests: time moves only when someone moves it, so timers, pauses
// and waits run deterministically and without real waiting.
//
//  - now() starts at the given value and changes only through advance(),
//    advanceTo() and sleep().
//  - sleep(ms) advances the clock by ms at once (from whatever thread calls
//    it), so a worker's status wait costs no real time.
//  - Every advance wakes the message loops of all threads; timers that became
//    due are delivered by their loops. Under this clock a timer is delivered
//    once for every period that passed (advance(10000) gives ten ticks of a
//    1000 ms timer), in deadline order.
//  - A thread waiting in GetMessage with nothing queued waits (really) until a
//    message arrives or the clock is advanced. With setAutoAdvance(true) it
//    instead moves the clock on to its own next timer deadline, so a
//    single-threaded test can RunMessageLoop() through timeouts.
//  - RunMessagesFor(ms) (Window.h) steps the clock through the calling
//    thread's deadlines up to now + ms, handling its messages at each step.
namespace platform {

class VirtualClock : public Clock {
 public:
  explicit VirtualClock(std::int64_t start = 0, bool autoAdvance = false);

  std::int64_t now() override;
  void sleep(std::int64_t ms) override;

  void advance(std::int64_t ms);
  // Moves to t when t lies ahead; never goes back.
  void advanceTo(std::int64_t t);
  void setAutoAdvance(bool on);
  bool autoAdvance();

 private:
  std::mutex mutex_;
  std::int64_t now_;
  bool autoAdvance_;
};

// Installs a fresh VirtualClock as the process-wide clock and returns it.
std::shared_ptr<VirtualClock> installVirtualClock(std::int64_t start = 0, bool autoAdvance = false);

// Installs a VirtualClock for a scope and restores the real clock after it.
class ScopedVirtualClock {
 public:
  explicit ScopedVirtualClock(std::int64_t start = 0, bool autoAdvance = false)
      : clock_(installVirtualClock(start, autoAdvance)) {}
  ~ScopedVirtualClock() { setClock(nullptr); }
  ScopedVirtualClock(const ScopedVirtualClock&) = delete;
  ScopedVirtualClock& operator=(const ScopedVirtualClock&) = delete;
  VirtualClock& operator*() const { return *clock_; }
  VirtualClock* operator->() const { return clock_.get(); }

 private:
  std::shared_ptr<VirtualClock> clock_;
};

}  // namespace platform
