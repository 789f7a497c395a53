#pragma once

#include <string>

// After a successful calibration: the mouse keeps the new calibration only
// when the user presses Accept within 15 seconds. The dialog feeds one tick
// per second of its timer; left alone, the confirmation refuses.
namespace option {

class CalibrationConfirmation {
 public:
  static constexpr int kSeconds = 15;
  static constexpr int kTickMs = 1000;
  static constexpr int kTimerId = 505;
  // Where the seconds left are drawn: left, top, right, bottom.
  static constexpr int kTextRect[4] = {184, 109, 284, 129};

  enum class State { Running, Accepted, Refused };

  State state() const { return state_; }
  // Seconds left; also the bar's position (range 0..15).
  int remaining() const { return remaining_; }
  // "%d sec" of the seconds left.
  std::string remainingText() const { return std::to_string(remaining_) + " sec"; }

  // One timer tick; the tick that reaches 0 refuses.
  State tick();
  // Accept keeps; Cancel and Exit refuse. Only while running.
  void accept();
  void refuse();

 private:
  State state_ = State::Running;
  int remaining_ = kSeconds;
};

}  // namespace option
