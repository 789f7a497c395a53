#include "option/CalibrationConfirmation.h"

namespace option {

CalibrationConfirmation::State CalibrationConfirmation::tick() {
  if (state_ != State::Running) return state_;
  if (--remaining_ <= 0) {
    remaining_ = 0;
    state_ = State::Refused;
  }
  return state_;
}

void CalibrationConfirmation::accept() {
  if (state_ == State::Running) state_ = State::Accepted;
}

void CalibrationConfirmation::refuse() {
  if (state_ == State::Running) state_ = State::Refused;
}

}  // namespace option
