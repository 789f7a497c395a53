#pragma once

// The desktop's mouse settings that a profile carries.
namespace platform {

class DesktopMouse {
 public:
  virtual ~DesktopMouse() = default;
  virtual bool setDoubleClickTime(int ms) = 0;
  // The system's acceleration triple: beyond threshold1 pixels per report the
  // pointer moves twice as far (level 1), and four times beyond threshold2
  // (level 2); level 0 switches acceleration off.
  virtual bool setAcceleration(int threshold1, int threshold2, int acceleration) = 0;
  // 1 (slowest) .. 20 (fastest); anything else is refused.
  virtual bool setPointerSpeed(int speed) = 0;
  // -1 scrolls one page per notch.
  virtual bool setWheelScrollLines(int lines) = 0;
  virtual bool setWheelScrollChars(int chars) = 0;
  virtual bool setMouseTrails(int trails) = 0;
};

}  // namespace platform
