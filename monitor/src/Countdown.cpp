#include "monitor/Countdown.h"

#include "monitor/MonitorNames.h"
#include "monitor/SoundTable.h"

namespace monitor {

void Countdown::onButton(const settings::ButtonSlot& slot, int soundVolume) {
  if (slot.FunctionCode == kStartCode) {
    if (running_) {
      // The new countdown starts from its full length: its last seconds
      // are not announced yet, so the old lock ends here.
      window_.killTimer(timer::kCountdown);
      sounds_.setFinalSecondsLock(false);
    }
    running_ = true;
    remaining_ = slot.TimerLength;
    sounds_.play(sound::kTimerActivated, soundVolume);
    window_.setTimer(timer::kCountdown, timer::kCountdownMs);
    // Ten seconds is announced at once and cuts the start sound off.
    if (remaining_ == 10) sounds_.play(sound::kTenSeconds, soundVolume);
  } else if (slot.FunctionCode == kStopCode && running_) {
    window_.killTimer(timer::kCountdown);
    running_ = false;
    sounds_.setFinalSecondsLock(false);
    sounds_.play(sound::kTimerStopped, soundVolume);
  }
}

void Countdown::tick(int soundVolume) {
  const int before = remaining_;
  remaining_ = before - 1;
  if (remaining_ <= 5) sounds_.setFinalSecondsLock(true);
  if (before == 11 || (before >= 2 && before <= 6)) sounds_.play(before - 1, soundVolume);
  if (before <= 1) {
    window_.killTimer(timer::kCountdown);
    sounds_.play(sound::kGo, soundVolume);
    finish();
  }
}

void Countdown::finish() {
  running_ = false;
  sounds_.setFinalSecondsLock(false);
}

}  // namespace monitor

namespace monitor {
void Countdown::stopTimer() { window_.killTimer(timer::kCountdown); }
}  // namespace monitor
