#pragma once

#include <string_view>

#include "monitor/ScrollInput.h"
#include "platform/Types.h"

namespace monitor {

// Horizontal scrolling of the window under the cursor, asked for by the tilt
// buttons: TiltSpeed steps per event, left for event value 255, right for 1.
// Nothing scrolls over the desktop.
//
// The method follows the class of the pointed window. Most programs take the
// horizontal wheel (buttons 6 and 7); the table in HorizontalScroll.cpp lists
// those that need another way.
class HorizontalScroll {
 public:
  enum class Method { HorizontalWheel, ShiftWheel, ArrowKeys };
  static constexpr unsigned kLeft = 255;
  static constexpr unsigned kRight = 1;
  // More steps than this per event come from a damaged setting, not a user.
  static constexpr int kMaxSteps = 100;

  explicit HorizontalScroll(ScrollInput* input) : input_(input) {}

  void step(unsigned direction, int tiltSpeed);
  // Message 1238: wParam steps, lParam non-zero for left.
  void onStepMessage(platform::WPARAM w, platform::LPARAM l);

  static Method methodFor(std::string_view windowClass);

 private:
  void scroll(bool left, int steps);

  ScrollInput* input_;
};

}  // namespace monitor
