#pragma once

#include <cstdint>
#include <memory>

// One clock for every timer, pause and wait of the programs. Tests install a
// VirtualClock so that status waits, countdowns and sound timers run in
// virtual time without real waiting.
namespace platform {

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds since an arbitrary fixed point; never goes back.
  virtual std::int64_t now() = 0;
  virtual void sleep(std::int64_t ms) = 0;
};

// The process-wide clock (the real monotonic clock unless a test replaced it).
Clock& clock();
// Replaces the process-wide clock; nullptr restores the real one.
void setClock(std::shared_ptr<Clock> clock);

inline std::int64_t now() { return clock().now(); }
inline void sleep(std::int64_t ms) { clock().sleep(ms); }

}  // namespace platform
