#pragma once

#include <memory>
#include <string>

#include "platform/DesktopMouse.h"

namespace platform {

namespace detail {
class XcbConnection;
}

// The desktop mouse settings of this session. Every value is recorded in the
// registry store where the system keeps it ("HKEY_CURRENT_USER\Control
// Panel\Mouse": DoubleClickSpeed, MouseThreshold1, MouseThreshold2,
// MouseSpeed, MouseSensitivity, MouseTrails; "...\Control Panel\Desktop":
// WheelScrollLines, WheelScrollChars). With an X display, acceleration and
// threshold also go to the X server's pointer control; the display is
// reached lazily, and without one the settings are only recorded.
class SystemDesktopMouse : public DesktopMouse {
 public:
  static constexpr const char* kMouseKey = "HKEY_CURRENT_USER\\Control Panel\\Mouse";
  static constexpr const char* kDesktopKey = "HKEY_CURRENT_USER\\Control Panel\\Desktop";

  // display as in $DISPLAY (the default); empty: no X.
  SystemDesktopMouse();
  explicit SystemDesktopMouse(std::string display);
  ~SystemDesktopMouse() override;

  bool setDoubleClickTime(int ms) override;
  bool setAcceleration(int threshold1, int threshold2, int acceleration) override;
  bool setPointerSpeed(int speed) override;
  bool setWheelScrollLines(int lines) override;
  bool setWheelScrollChars(int chars) override;
  bool setMouseTrails(int trails) override;

  // The X pointer control (numerator/denominator, threshold) for a triple.
  struct PointerControl {
    int numerator = 1, denominator = 1, threshold = 0;
  };
  static PointerControl pointerControlFor(int threshold1, int threshold2, int acceleration);

 private:
  detail::XcbConnection* display();
  std::string displayName_;
  std::unique_ptr<detail::XcbConnection> connection_;
  bool displayTried_ = false;
};

}  // namespace platform
