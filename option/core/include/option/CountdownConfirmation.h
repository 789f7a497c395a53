#pragma once

#include <string>

// The 30-second confirmation after a lift-off trial: the user keeps the new
// setting only by pressing Accept before the time runs out. The dialog feeds
// it one tick per second of its timer; left alone, it refuses.
namespace option {

class CountdownConfirmation {
 public:
  static constexpr int kSeconds = 30;
  static constexpr int kTickMs = 1000;
  static constexpr int kTimerId = 505;

  enum class State { Running, Accepted, Refused };

  State state() const { return state_; }
  // Seconds left; also the progress bar's position (range 0..30).
  int remaining() const { return remaining_; }
  // "%d sec" of the seconds left.
  std::string remainingText() const;

  // One timer tick; the tick that brings the count to 0 refuses.
  State tick();
  // Accept: kept. Cancel and Exit: refused. Only while running.
  void accept();
  void refuse();

 private:
  State state_ = State::Running;
  int remaining_ = kSeconds;
};

}  // namespace option
