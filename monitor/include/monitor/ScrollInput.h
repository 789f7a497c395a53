#pragma once

#include <string>

namespace monitor {

// The window under the cursor and the input that scrolls it sideways.
class ScrollInput {
 public:
  struct Pointed {
    bool found = false;       // false: no window (the root window itself)
    bool desktop = false;     // the desktop's own window (icons, wallpaper)
    std::string windowClass;  // class part of WM_CLASS; empty when unknown
  };
  virtual ~ScrollInput() = default;
  virtual Pointed windowUnderCursor() = 0;
  // n steps at the cursor; left or right.
  virtual bool horizontalWheel(bool left, int n) = 0;
  virtual bool shiftWheel(bool left, int n) = 0;
  virtual bool arrowKeys(bool left, int n) = 0;
};

}  // namespace monitor
