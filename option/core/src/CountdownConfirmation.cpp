#include "option/CountdownConfirmation.h"

namespace option {

std::string CountdownConfirmation::remainingText() const {
  return std::to_string(remaining_) + " sec";
}

CountdownConfirmation::State CountdownConfirmation::tick() {
  if (state_ != State::Running) return state_;
  if (remaining_ > 0) --remaining_;
  if (remaining_ == 0) state_ = State::Refused;
  return state_;
}

void CountdownConfirmation::accept() {
  if (state_ == State::Running) state_ = State::Accepted;
}

void CountdownConfirmation::refuse() {
  if (state_ == State::Running) state_ = State::Refused;
}

}  // namespace option
