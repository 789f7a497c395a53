#pragma once

#include <string>

// A timed confirmation: the user keeps a new setting only by pressing Accept
// before the time runs out (30 seconds after a lift-off trial, 15 after a
// calibration). The dialog feeds it one tick per second of its timer; left
// alone, it refuses.
namespace option {

class CountdownConfirmation {
 public:
  static constexpr int kSeconds = 30;  // after a lift-off trial
  static constexpr int kCalibrationSeconds = 15;
  static constexpr int kTickMs = 1000;
  static constexpr int kTimerId = 505;

  explicit CountdownConfirmation(int seconds = kSeconds) : seconds_(seconds), remaining_(seconds) {}

  enum class State { Running, Accepted, Refused };

  State state() const { return state_; }
  int seconds() const { return seconds_; }
  // Seconds left; also the progress bar's position (range 0..seconds()).
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
  int seconds_;
  int remaining_;
};

}  // namespace option
