#pragma once

#include <iosfwd>
#include <string>

#include "monitor/ScrollInput.h"
#include "uinput/UinputFile.h"

namespace uinput {

// Sideways scrolling on a Wayland desktop: a virtual pointer created through
// /dev/uinput sends one REL_HWHEEL notch per step (negative left, positive
// right), which the compositor hands to the window under the cursor. The
// compositor alone knows that window, so every window takes the horizontal
// wheel. When the device cannot be made nothing scrolls, and the log says so
// once.
class UinputScrollInput : public monitor::ScrollInput {
 public:
  static constexpr const char* kDeviceName = "Vesk ORB Optical tilt wheel";

  UinputScrollInput(UinputFile& file, std::ostream& log, std::string path = "/dev/uinput");
  ~UinputScrollInput() override;
  UinputScrollInput(const UinputScrollInput&) = delete;
  UinputScrollInput& operator=(const UinputScrollInput&) = delete;

  // Creates the device on the first call. Call it early: the compositor takes
  // a moment to adopt a new device, and steps sent before then are lost.
  bool available();
  Pointed windowUnderCursor() override;
  bool horizontalWheel(bool left, int n) override;
  bool shiftWheel(bool left, int n) override;
  bool arrowKeys(bool left, int n) override;

 private:
  bool open();
  bool configure();
  void turnOff(const std::string& why);
  void turnOff(const std::string& why, int error);

  UinputFile& file_;
  std::ostream& log_;
  std::string path_;
  int fd_ = -1;
  bool tried_ = false;
};

}  // namespace uinput
