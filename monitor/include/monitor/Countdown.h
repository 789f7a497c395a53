#pragma once

#include "monitor/FeedbackSounds.h"
#include "settings/FunctionCodes.h"
#include "settings/SettingsImage.h"

namespace monitor {

// The countdown timer a button of code 49 starts and one of code 50 stops.
// It announces its start, 10 seconds and each of the last five seconds, and
// holds the final-seconds lock over the last five.
class Countdown {
 public:
  static constexpr int kStartCode = settings::code(settings::FunctionCode::Timer);
  static constexpr int kStopCode = settings::code(settings::FunctionCode::StopTimer);

  Countdown(WindowPort& window, FeedbackSounds& sounds) : window_(window), sounds_(sounds) {}

  // The countdown button of a slot was pressed.
  void onButton(const settings::ButtonSlot& slot, int soundVolume);
  // Timer 600.
  void tick(int soundVolume);
  void stopTimer();

  bool running() const { return running_; }
  int remaining() const { return remaining_; }

 private:
  void finish();
  WindowPort& window_;
  FeedbackSounds& sounds_;
  bool running_ = false;
  int remaining_ = 0;
};

}  // namespace monitor
