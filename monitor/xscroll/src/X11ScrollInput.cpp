#include "xscroll/X11ScrollInput.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <iostream>

namespace xscroll {

X11ScrollInput::X11ScrollInput(std::string displayName) : displayName_(std::move(displayName)) {}

X11ScrollInput::~X11ScrollInput() {
  if (display_) XCloseDisplay(display_);
}

bool X11ScrollInput::open() {
  if (tried_) return display_ != nullptr;
  tried_ = true;
  display_ = XOpenDisplay(displayName_.empty() ? nullptr : displayName_.c_str());
  int event = 0, error = 0, major = 0, minor = 0;
  if (display_ && !XTestQueryExtension(display_, &event, &error, &major, &minor)) {
    XCloseDisplay(display_);
    display_ = nullptr;
  }
  if (!display_)
    std::cerr << "VeskORBOpticalMonitor: no X display with XTest; the tilt wheel does not "
                 "scroll windows\n";
  return display_ != nullptr;
}

bool X11ScrollInput::available() { return open(); }

bool X11ScrollInput::isDesktop(unsigned long window) {
  const Atom type = XInternAtom(display_, "_NET_WM_WINDOW_TYPE", False);
  const Atom desktop = XInternAtom(display_, "_NET_WM_WINDOW_TYPE_DESKTOP", False);
  Atom actual = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  bool result = false;
  if (XGetWindowProperty(display_, window, type, 0, 16, False, XA_ATOM, &actual, &format, &count,
                         &after, &data) == Success &&
      data && format == 32) {
    const auto* atoms = reinterpret_cast<const Atom*>(data);
    for (unsigned long i = 0; i < count; ++i) result = result || atoms[i] == desktop;
  }
  if (data) XFree(data);
  return result;
}

monitor::ScrollInput::Pointed X11ScrollInput::windowUnderCursor() {
  Pointed pointed;
  if (!open()) return pointed;
  Window root = DefaultRootWindow(display_), child = None, current = root, ignored = None;
  int rx = 0, ry = 0, wx = 0, wy = 0;
  unsigned mask = 0;
  // From the top-level window under the cursor down to the deepest one; the
  // first that carries WM_CLASS is the program's window.
  for (int depth = 0; depth < 32; ++depth) {
    if (!XQueryPointer(display_, current, &ignored, &child, &rx, &ry, &wx, &wy, &mask) ||
        child == None)
      break;
    current = child;
    pointed.found = true;
    if (isDesktop(current)) pointed.desktop = true;
    if (pointed.windowClass.empty()) {
      XClassHint hint{};
      if (XGetClassHint(display_, current, &hint)) {
        if (hint.res_class) pointed.windowClass = hint.res_class;
        if (hint.res_name) XFree(hint.res_name);
        if (hint.res_class) XFree(hint.res_class);
      }
    }
  }
  return pointed;
}

void X11ScrollInput::clicks(unsigned button, int n) {
  for (int i = 0; i < n; ++i) {
    XTestFakeButtonEvent(display_, button, True, CurrentTime);
    XTestFakeButtonEvent(display_, button, False, CurrentTime);
  }
}

bool X11ScrollInput::horizontalWheel(bool left, int n) {
  if (!open()) return false;
  clicks(left ? 6 : 7, n);
  XSync(display_, False);  // processed before we return: the next event starts after it
  return true;
}

bool X11ScrollInput::shiftWheel(bool left, int n) {
  if (!open()) return false;
  const KeyCode shift = XKeysymToKeycode(display_, XK_Shift_L);
  XTestFakeKeyEvent(display_, shift, True, CurrentTime);
  clicks(left ? 4 : 5, n);
  XTestFakeKeyEvent(display_, shift, False, CurrentTime);
  XSync(display_, False);  // processed before we return: the next event starts after it
  return true;
}

bool X11ScrollInput::arrowKeys(bool left, int n) {
  if (!open()) return false;
  const KeyCode key = XKeysymToKeycode(display_, left ? XK_Left : XK_Right);
  for (int i = 0; i < n; ++i) {
    XTestFakeKeyEvent(display_, key, True, CurrentTime);
    XTestFakeKeyEvent(display_, key, False, CurrentTime);
  }
  XSync(display_, False);  // processed before we return: the next event starts after it
  return true;
}

}  // namespace xscroll
