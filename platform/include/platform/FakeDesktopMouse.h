#pragma once

#include "platform/DesktopMouse.h"

namespace platform {

// Keeps the settings in memory, for tests.
class FakeDesktopMouse : public DesktopMouse {
 public:
  struct Values {
    int doubleClickTime = 0, threshold1 = 0, threshold2 = 0, acceleration = 0, pointerSpeed = 0,
        wheelLines = 0, wheelChars = 0, trails = 0;
  };
  bool setDoubleClickTime(int ms) override { return set(values.doubleClickTime, ms); }
  bool setAcceleration(int t1, int t2, int a) override {
    values.threshold1 = t1;
    values.threshold2 = t2;
    return set(values.acceleration, a);
  }
  bool setPointerSpeed(int speed) override {
    return speed >= 1 && speed <= 20 && set(values.pointerSpeed, speed);
  }
  bool setWheelScrollLines(int lines) override { return set(values.wheelLines, lines); }
  bool setWheelScrollChars(int chars) override { return set(values.wheelChars, chars); }
  bool setMouseTrails(int trails) override { return set(values.trails, trails); }

  Values values;
  int changes = 0;

 private:
  bool set(int& field, int value) {
    field = value;
    ++changes;
    return true;
  }
};

}  // namespace platform
