#include "platform/Clock.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "MessageLoopWake.h"

namespace platform {
namespace {

class RealClock : public Clock {
 public:
  std::int64_t now() override {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
  }
  void sleep(std::int64_t ms) override {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }
};

// Every clock ever installed stays alive until exit, so a reference handed
// out by clock() never dangles when a test swaps clocks.
struct ClockSlot {
  std::mutex mutex;
  std::vector<std::shared_ptr<Clock>> installed;
  std::atomic<Clock*> current{nullptr};
  RealClock real;
};

ClockSlot& slot() {
  static ClockSlot* s = new ClockSlot;
  return *s;
}

}  // namespace

Clock& clock() {
  ClockSlot& s = slot();
  Clock* c = s.current.load(std::memory_order_acquire);
  return c ? *c : s.real;
}

void setClock(std::shared_ptr<Clock> clock) {
  ClockSlot& s = slot();
  {
    std::lock_guard lock(s.mutex);
    Clock* raw = clock.get();
    if (clock) s.installed.push_back(std::move(clock));
    s.current.store(raw, std::memory_order_release);
  }
  // Deadlines are measured on the new clock now; let every loop recompute.
  detail::wakeAllMessageLoops();
}

}  // namespace platform
