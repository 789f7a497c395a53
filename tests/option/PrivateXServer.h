#pragma once

// A private X server for one test, gone with it, and the pointer and keyboard
// of a user driving the programs on it through XTest.
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// Last: Xlib's macros (None, Bool, Status...) would break headers included after it.
// clang-format off
#include <X11/Xlib.h>
#include <X11/XKBlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <X11/extensions/XTest.h>
// clang-format on

namespace option::testing {

struct ScreenPoint {
  int x, y;
};

class PrivateXServer {
 public:
  PrivateXServer() {
    int fds[2];
    if (pipe(fds) != 0) return;
    const pid_t parent = getpid();
    pid_ = fork();
    if (pid_ == 0) {
      prctl(PR_SET_PDEATHSIG, SIGKILL);
      if (getppid() != parent) _exit(127);
      close(fds[0]);
      dup2(fds[1], 9);
      const int null = ::open("/dev/null", O_WRONLY);
      dup2(null, 1);
      dup2(null, 2);
      execlp("Xvfb", "Xvfb", "-displayfd", "9", "-screen", "0", "1024x768x24", "-nolisten", "tcp",
             static_cast<char*>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    char buffer[32] = {};
    ssize_t n = 0, got = 0;
    while (got < static_cast<ssize_t>(sizeof buffer) - 1 &&
           (n = read(fds[0], buffer + got, sizeof buffer - 1 - static_cast<std::size_t>(got))) >
               0) {
      got += n;
      if (std::memchr(buffer, '\n', static_cast<std::size_t>(got))) break;
    }
    close(fds[0]);
    if (got > 0) display_ = ":" + std::string(buffer, std::strcspn(buffer, "\n"));
  }
  ~PrivateXServer() {
    if (dpy_) XCloseDisplay(dpy_);
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }
  PrivateXServer(const PrivateXServer&) = delete;
  PrivateXServer& operator=(const PrivateXServer&) = delete;

  const std::string& display() const { return display_; }
  Display* connection() {
    if (!dpy_ && !display_.empty()) dpy_ = XOpenDisplay(display_.c_str());
    return dpy_;
  }

  // The top-left corner, in screen pixels, of the viewable window titled so.
  std::optional<ScreenPoint> windowOrigin(const char* title) {
    Display* d = connection();
    if (!d) return std::nullopt;
    const Window found = find(d, DefaultRootWindow(d), title);
    if (!found) return std::nullopt;
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(d, found, &attributes) || attributes.map_state != IsViewable)
      return std::nullopt;
    int x = 0, y = 0;
    Window child;
    XTranslateCoordinates(d, found, DefaultRootWindow(d), 0, 0, &x, &y, &child);
    return ScreenPoint{x, y};
  }

  // The screen's pixels in a rectangle, row by row.
  std::vector<unsigned long> pixels(int x, int y, int width, int height) {
    std::vector<unsigned long> out;
    Display* d = connection();
    if (!d) return out;
    XImage* image = XGetImage(d, DefaultRootWindow(d), x, y, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (!image) return out;
    for (int row = 0; row < height; ++row)
      for (int column = 0; column < width; ++column) out.push_back(XGetPixel(image, column, row));
    XDestroyImage(image);
    return out;
  }

  void click(int x, int y) {
    Display* d = connection();
    XTestFakeMotionEvent(d, -1, x, y, 0);
    settle(d, 120);
    XTestFakeButtonEvent(d, 1, True, 0);
    settle(d, 60);
    XTestFakeButtonEvent(d, 1, False, 0);
    settle(d, 250);
  }

  // Presses and releases the key of a keysym, with Shift when the keysym is
  // the key's second level.
  void type(KeySym keysym) {
    Display* d = connection();
    const KeyCode code = XKeysymToKeycode(d, keysym);
    if (!code) return;
    const bool shifted = XkbKeycodeToKeysym(d, code, 0, 0) != keysym;
    const KeyCode shift = XKeysymToKeycode(d, XK_Shift_L);
    if (shifted) XTestFakeKeyEvent(d, shift, True, 0);
    XTestFakeKeyEvent(d, code, True, 0);
    settle(d, 30);
    XTestFakeKeyEvent(d, code, False, 0);
    if (shifted) XTestFakeKeyEvent(d, shift, False, 0);
    settle(d, 30);
  }
  // Latin-1 text: each character's keysym is its code.
  void typeText(const std::string& text) {
    for (const char c : text) type(static_cast<KeySym>(static_cast<unsigned char>(c)));
  }

  // What another program gets when it asks for the keyboard: AlreadyGrabbed
  // while one of ours holds it.
  static int grabKeyboardAsAnotherProgram(Display* d) {
    const int result =
        XGrabKeyboard(d, DefaultRootWindow(d), False, GrabModeAsync, GrabModeAsync, CurrentTime);
    if (result == GrabSuccess) XUngrabKeyboard(d, CurrentTime);
    XSync(d, False);
    return result;
  }
  // A window of another program, shown and holding the input focus; it hears
  // the keys that reach it.
  static Window focusedOtherWindow(Display* d) {
    const Window w =
        XCreateSimpleWindow(d, DefaultRootWindow(d), 600, 400, 100, 100, 0, 0, 0xffffff);
    XSelectInput(d, w, KeyPressMask | KeyReleaseMask | StructureNotifyMask);
    XMapRaised(d, w);
    XEvent mapped;
    XWindowEvent(d, w, StructureNotifyMask, &mapped);  // blocks until MapNotify
    XSetInputFocus(d, w, RevertToParent, CurrentTime);
    XSync(d, False);
    return w;
  }

 private:
  static void settle(Display* d, int ms) {
    XFlush(d);
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }
  static Window find(Display* d, Window w, const char* title) {
    char* name = nullptr;
    if (XFetchName(d, w, &name) && name) {
      const bool match = std::strcmp(name, title) == 0;
      XFree(name);
      if (match) return w;
    }
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(d, w, &root, &parent, &children, &count)) return 0;
    Window result = 0;
    for (unsigned i = 0; i < count && !result; ++i) result = find(d, children[i], title);
    if (children) XFree(children);
    return result;
  }

  pid_t pid_ = -1;
  std::string display_;
  Display* dpy_ = nullptr;
};

}  // namespace option::testing
