#include "platform/SystemDesktopMouse.h"

#include <cstdlib>
#include <string>

#include "XcbConnection.h"
#include "platform/Registry.h"

namespace platform {
namespace {

bool record(const char* keyPath, const char* name, int value) {
  auto key = RegistryKey::create(keyPath);
  return key && key->setString(name, std::to_string(value));
}

std::string displayFromEnvironment() {
  const char* display = std::getenv("DISPLAY");
  return display ? display : "";
}

}  // namespace

SystemDesktopMouse::SystemDesktopMouse() : SystemDesktopMouse(displayFromEnvironment()) {}
SystemDesktopMouse::SystemDesktopMouse(std::string display) : displayName_(std::move(display)) {}
SystemDesktopMouse::~SystemDesktopMouse() = default;

detail::XcbConnection* SystemDesktopMouse::display() {
  if (connection_ && connection_->broken()) connection_.reset();  // the server went away
  if (!connection_ && !displayTried_) {
    displayTried_ = true;
    connection_ = detail::XcbConnection::open(displayName_);
  }
  return connection_.get();
}

SystemDesktopMouse::PointerControl SystemDesktopMouse::pointerControlFor(int threshold1,
                                                                         int threshold2,
                                                                         int acceleration) {
  // X has one factor and one threshold: level 1 doubles beyond threshold 1;
  // level 2 quadruples beyond threshold 2 (or 1 when 2 is not set).
  if (acceleration <= 0) return {1, 1, 0};
  if (acceleration == 1) return {2, 1, threshold1 > 0 ? threshold1 : 0};
  const int threshold = threshold2 > 0 ? threshold2 : threshold1;
  return {4, 1, threshold > 0 ? threshold : 0};
}

bool SystemDesktopMouse::setDoubleClickTime(int ms) {
  return record(kMouseKey, "DoubleClickSpeed", ms);
}

bool SystemDesktopMouse::setAcceleration(int threshold1, int threshold2, int acceleration) {
  const bool recorded = record(kMouseKey, "MouseThreshold1", threshold1) &&
                        record(kMouseKey, "MouseThreshold2", threshold2) &&
                        record(kMouseKey, "MouseSpeed", acceleration);
  if (detail::XcbConnection* x = display()) {
    const PointerControl c = pointerControlFor(threshold1, threshold2, acceleration);
    if (!x->setPointerControl({c.numerator, c.denominator, c.threshold})) return false;
  }
  return recorded;
}

bool SystemDesktopMouse::setPointerSpeed(int speed) {
  if (speed < 1 || speed > 20) return false;
  return record(kMouseKey, "MouseSensitivity", speed);
}

bool SystemDesktopMouse::setWheelScrollLines(int lines) {
  return record(kDesktopKey, "WheelScrollLines", lines);
}

bool SystemDesktopMouse::setWheelScrollChars(int chars) {
  return record(kDesktopKey, "WheelScrollChars", chars);
}

bool SystemDesktopMouse::setMouseTrails(int trails) {
  return record(kMouseKey, "MouseTrails", trails);
}

}  // namespace platform
