#include "option/LiftOffTestProgress.h"

namespace option {

bool LiftOffTestProgress::start() {
  if (state_ != State::Waiting) return false;
  if (!startOnMonitor_ || !startOnMonitor_()) return false;
  state_ = State::Testing;
  return true;
}

LiftOffTestProgress::State LiftOffTestProgress::timeUp() {
  if (state_ == State::Testing) state_ = State::Passed;
  return state_;
}

void LiftOffTestProgress::cancel() {
  if (state_ == State::Waiting || state_ == State::Testing) state_ = State::Cancelled;
}

}  // namespace option
