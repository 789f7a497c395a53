#pragma once

#include <functional>

// The lift-off trial's progress dialog: OK asks the Monitor to start the
// trial and waits ten seconds while the user lifts the mouse; Cancel and Exit
// end it at any time. The dialog's one timer fires once when the time is up.
namespace option {

class LiftOffTestProgress {
 public:
  static constexpr int kTestMs = 10000;
  static constexpr int kTimerId = 505;

  enum class State { Waiting, Testing, Passed, Cancelled };

  // `startOnMonitor` posts the start message to the Monitor and returns
  // false when no Monitor window was found.
  explicit LiftOffTestProgress(std::function<bool()> startOnMonitor)
      : startOnMonitor_(std::move(startOnMonitor)) {}

  State state() const { return state_; }
  // Whether OK can be pressed (it disables itself once pressed).
  bool okEnabled() const { return state_ == State::Waiting; }

  // OK: starts the trial once. Without a Monitor nothing starts and the
  // dialog keeps waiting for OK or Cancel. True when the trial started.
  bool start();
  // The ten seconds have passed: the trial is over.
  State timeUp();
  void cancel();

 private:
  std::function<bool()> startOnMonitor_;
  State state_ = State::Waiting;
};

}  // namespace option
