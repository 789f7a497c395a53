#pragma once

#include "monitor/DesktopMouse.h"

namespace monitor {

// Desktop mouse settings kept as values the programs can read back; used
// where the desktop offers no way to apply them.
class RecordedDesktopMouse : public DesktopMouse {
 public:
  struct Values {
    int doubleClickTime = 0, threshold1 = 0, threshold2 = 0, acceleration = 0, pointerSpeed = 0,
        wheelLines = 0, wheelChars = 0, trails = 0;
  };
  void setDoubleClickTime(int ms) override { values_.doubleClickTime = ms; }
  void setAcceleration(int t1, int t2, int a) override {
    values_.threshold1 = t1;
    values_.threshold2 = t2;
    values_.acceleration = a;
  }
  void setPointerSpeed(int speed) override { values_.pointerSpeed = speed; }
  void setWheelScrollLines(int lines) override { values_.wheelLines = lines; }
  void setWheelScrollChars(int chars) override { values_.wheelChars = chars; }
  void setMouseTrails(int trails) override { values_.trails = trails; }
  const Values& values() const { return values_; }

 private:
  Values values_;
};

}  // namespace monitor
