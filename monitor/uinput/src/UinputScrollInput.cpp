#include "uinput/UinputScrollInput.h"

#include <linux/input.h>

#include <cerrno>
#include <cstring>
#include <ostream>

namespace uinput {

UinputScrollInput::UinputScrollInput(UinputFile& file, std::ostream& log, std::string path)
    : file_(file), log_(log), path_(std::move(path)) {}

UinputScrollInput::~UinputScrollInput() {
  if (fd_ < 0) return;
  file_.control(fd_, UI_DEV_DESTROY, 0);
  file_.close(fd_);
}

void UinputScrollInput::turnOff(const std::string& why) { turnOff(why, errno); }

void UinputScrollInput::turnOff(const std::string& why, int error) {
  if (fd_ >= 0) file_.close(fd_);
  fd_ = -1;
  log_ << "VeskORBOpticalMonitor: " << path_ << ": " << why << ": " << std::strerror(error)
       << "; the tilt wheel does not scroll windows\n";
}

// Buttons and motion besides the wheels make the device a mouse to udev and
// the compositor; a device with wheels alone is not taken as a pointer.
bool UinputScrollInput::configure() {
  struct Bit {
    unsigned long request;
    int value;
  };
  constexpr Bit kBits[] = {
      {UI_SET_EVBIT, EV_KEY},      {UI_SET_KEYBIT, BTN_LEFT},  {UI_SET_KEYBIT, BTN_RIGHT},
      {UI_SET_KEYBIT, BTN_MIDDLE}, {UI_SET_EVBIT, EV_REL},     {UI_SET_RELBIT, REL_X},
      {UI_SET_RELBIT, REL_Y},      {UI_SET_RELBIT, REL_WHEEL}, {UI_SET_RELBIT, REL_HWHEEL},
  };
  for (const Bit& bit : kBits)
    if (file_.control(fd_, bit.request, bit.value) < 0) return false;
  uinput_setup setup{};
  setup.id.bustype = BUS_VIRTUAL;
  setup.id.version = 1;
  std::strncpy(setup.name, kDeviceName, UINPUT_MAX_NAME_SIZE - 1);
  return file_.setup(fd_, setup) >= 0;
}

bool UinputScrollInput::open() {
  if (tried_) return fd_ >= 0;
  tried_ = true;
  fd_ = file_.open(path_.c_str());
  if (fd_ < 0) {
    turnOff("cannot open");
    return false;
  }
  if (!configure()) {
    turnOff("cannot set up the virtual pointer");
    return false;
  }
  if (file_.control(fd_, UI_DEV_CREATE, 0) < 0) {
    turnOff("cannot create the virtual pointer");
    return false;
  }
  return true;
}

bool UinputScrollInput::available() { return open(); }

monitor::ScrollInput::Pointed UinputScrollInput::windowUnderCursor() {
  Pointed pointed;
  pointed.found = open();
  return pointed;
}

bool UinputScrollInput::horizontalWheel(bool left, int n) {
  if (!open()) return false;
  input_event notch[2]{};
  notch[0].type = EV_REL;
  notch[0].code = REL_HWHEEL;
  notch[0].value = left ? -1 : 1;
  notch[1].type = EV_SYN;
  notch[1].code = SYN_REPORT;
  for (int i = 0; i < n; ++i) {
    if (file_.write(fd_, notch, sizeof notch) != static_cast<ssize_t>(sizeof notch)) {
      // The device is gone or broken: say so once rather than fail quietly at
      // every tilt.
      const int error = errno;
      file_.control(fd_, UI_DEV_DESTROY, 0);
      turnOff("cannot send to the virtual pointer", error);
      return false;
    }
  }
  return true;
}

// The compositor picks no method by window class, so these never come; they
// scroll the same way should they.
bool UinputScrollInput::shiftWheel(bool left, int n) { return horizontalWheel(left, n); }
bool UinputScrollInput::arrowKeys(bool left, int n) { return horizontalWheel(left, n); }

}  // namespace uinput
