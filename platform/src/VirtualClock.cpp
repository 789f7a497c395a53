#include "platform/VirtualClock.h"

#include "MessageLoopWake.h"

namespace platform {

VirtualClock::VirtualClock(std::int64_t start, bool autoAdvance)
    : now_(start), autoAdvance_(autoAdvance) {}

std::int64_t VirtualClock::now() {
  std::lock_guard lock(mutex_);
  return now_;
}

void VirtualClock::sleep(std::int64_t ms) { advance(ms); }

void VirtualClock::advance(std::int64_t ms) {
  if (ms <= 0) return;
  {
    std::lock_guard lock(mutex_);
    now_ += ms;
  }
  detail::wakeAllMessageLoops();
}

void VirtualClock::advanceTo(std::int64_t t) {
  {
    std::lock_guard lock(mutex_);
    if (t <= now_) return;
    now_ = t;
  }
  detail::wakeAllMessageLoops();
}

void VirtualClock::setAutoAdvance(bool on) {
  std::lock_guard lock(mutex_);
  autoAdvance_ = on;
}

bool VirtualClock::autoAdvance() {
  std::lock_guard lock(mutex_);
  return autoAdvance_;
}

std::shared_ptr<VirtualClock> installVirtualClock(std::int64_t start, bool autoAdvance) {
  auto c = std::make_shared<VirtualClock>(start, autoAdvance);
  setClock(c);
  return c;
}

}  // namespace platform
