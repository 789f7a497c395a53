#pragma once

#include <string>

#include "monitor/ScrollInput.h"

struct _XDisplay;

namespace xscroll {

// Sideways scrolling on an X display through XTest: the horizontal wheel
// (buttons 6 and 7) at the cursor, Shift with the vertical wheel, or the
// Left/Right keys. Without a display (a Wayland-only session) or without
// XTest nothing scrolls, and the first attempt says so once on stderr.
class X11ScrollInput : public monitor::ScrollInput {
 public:
  // displayName empty: $DISPLAY.
  explicit X11ScrollInput(std::string displayName = {});
  ~X11ScrollInput() override;
  X11ScrollInput(const X11ScrollInput&) = delete;
  X11ScrollInput& operator=(const X11ScrollInput&) = delete;

  bool available();
  Pointed windowUnderCursor() override;
  bool horizontalWheel(bool left, int n) override;
  bool shiftWheel(bool left, int n) override;
  bool arrowKeys(bool left, int n) override;

 private:
  bool open();
  void clicks(unsigned button, int n);
  bool isDesktop(unsigned long window);

  std::string displayName_;
  _XDisplay* display_ = nullptr;
  bool tried_ = false;
};

}  // namespace xscroll
