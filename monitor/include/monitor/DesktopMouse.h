#pragma once

namespace monitor {

// The desktop's mouse settings the active profile carries. Each setter also
// lets running programs know (the broadcast of the change).
class DesktopMouse {
 public:
  virtual ~DesktopMouse() = default;
  virtual void setDoubleClickTime(int ms) = 0;
  virtual void setAcceleration(int threshold1, int threshold2, int acceleration) = 0;
  virtual void setPointerSpeed(int speed) = 0;
  // -1 scrolls one page per notch.
  virtual void setWheelScrollLines(int lines) = 0;
  virtual void setWheelScrollChars(int chars) = 0;
  virtual void setMouseTrails(int trails) = 0;
};

}  // namespace monitor
