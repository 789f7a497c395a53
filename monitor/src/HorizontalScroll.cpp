#include "monitor/HorizontalScroll.h"

#include <algorithm>

namespace monitor {
namespace {

// Programs that ignore the horizontal wheel, by WM_CLASS class (exact), and
// what moves them sideways instead.
struct ClassRule {
  std::string_view windowClass;
  HorizontalScroll::Method method;
};
constexpr ClassRule kClassRules[] = {
    // Java AWT/Swing windows scroll sideways with Shift and the wheel.
    {"sun-awt-X11-XFramePeer", HorizontalScroll::Method::ShiftWheel},
    {"sun-awt-X11-XDialogPeer", HorizontalScroll::Method::ShiftWheel},
    // Terminal-style viewers move the view with the arrow keys.
    {"XTerm", HorizontalScroll::Method::ArrowKeys},
    {"Xpdf", HorizontalScroll::Method::ArrowKeys},
};

}  // namespace

HorizontalScroll::Method HorizontalScroll::methodFor(std::string_view windowClass) {
  for (const ClassRule& rule : kClassRules)
    if (rule.windowClass == windowClass) return rule.method;
  return Method::HorizontalWheel;
}

void HorizontalScroll::step(unsigned direction, int tiltSpeed) {
  if (direction != kLeft && direction != kRight) return;
  scroll(direction == kLeft, tiltSpeed);
}

void HorizontalScroll::onStepMessage(platform::WPARAM w, platform::LPARAM l) {
  scroll(l != 0, static_cast<int>(std::min<platform::WPARAM>(w, kMaxSteps)));
}

void HorizontalScroll::scroll(bool left, int steps) {
  if (!input_ || steps <= 0) return;
  steps = std::min(steps, kMaxSteps);
  const ScrollInput::Pointed pointed = input_->windowUnderCursor();
  if (!pointed.found || pointed.desktop) return;
  switch (methodFor(pointed.windowClass)) {
    case Method::HorizontalWheel:
      input_->horizontalWheel(left, steps);
      break;
    case Method::ShiftWheel:
      input_->shiftWheel(left, steps);
      break;
    case Method::ArrowKeys:
      input_->arrowKeys(left, steps);
      break;
  }
}

}  // namespace monitor
