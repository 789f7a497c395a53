// Tilt scrolling against a recording X client on a private Xvfb display.
// GoogleTest comes before Xlib, whose macros (None, Bool) would break it.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "monitor/HorizontalScroll.h"
#include "xscroll/X11ScrollInput.h"

namespace {

class Xvfb {
 public:
  Xvfb() {
    int fds[2];
    if (::pipe(fds) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::prctl(PR_SET_PDEATHSIG, SIGKILL);
      ::close(fds[0]);
      const std::string fd = std::to_string(fds[1]);
      ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "640x480x24", "-nolisten",
               "tcp", nullptr);
      ::_exit(127);
    }
    ::close(fds[1]);
    std::string number;
    char c;
    pollfd p{fds[0], POLLIN, 0};
    while (::poll(&p, 1, 10000) > 0 && ::read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    ::close(fds[0]);
    if (!number.empty()) name_ = ":" + number;
  }
  ~Xvfb() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
    }
  }
  const std::string& name() const { return name_; }

 private:
  pid_t pid_ = -1;
  std::string name_;
};

class XScrollTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(server.name().empty()) << "Xvfb did not start";
    display = XOpenDisplay(server.name().c_str());
    ASSERT_NE(display, nullptr);
    target = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 200, 200, 0, 0, 0);
    XClassHint hint{const_cast<char*>("scrolltarget"), const_cast<char*>("ScrollTarget")};
    XSetClassHint(display, target, &hint);
    XSelectInput(display, target, ButtonPressMask | KeyPressMask | StructureNotifyMask);
    XMapWindow(display, target);
    XSync(display, False);
  }
  void TearDown() override {
    if (display) XCloseDisplay(display);
  }
  void pointAt(int x, int y) {
    XWarpPointer(display, None, DefaultRootWindow(display), 0, 0, 0, 0, x, y);
    XSync(display, False);
  }
  // Buttons pressed in the target window so far. The scroller waits until
  // the server has handled its input, so one round trip brings every event.
  std::vector<unsigned> pressedButtons() {
    XSync(display, False);
    std::vector<unsigned> buttons;
    while (XPending(display)) {
      XEvent e;
      XNextEvent(display, &e);
      if (e.type == ButtonPress) buttons.push_back(e.xbutton.button);
    }
    return buttons;
  }

  Xvfb server;
  Display* display = nullptr;
  Window target = 0;
};

TEST_F(XScrollTest, TiltScrollsTheWindowUnderTheCursorByTiltSpeedSteps) {
  pointAt(50, 50);
  xscroll::X11ScrollInput input(server.name());
  ASSERT_TRUE(input.available());
  const auto pointed = input.windowUnderCursor();
  EXPECT_TRUE(pointed.found);
  EXPECT_FALSE(pointed.desktop);
  EXPECT_EQ(pointed.windowClass, "ScrollTarget");

  monitor::HorizontalScroll scroll(&input);
  scroll.step(255, 3);
  EXPECT_EQ(pressedButtons(), (std::vector<unsigned>{6, 6, 6}));
  scroll.step(1, 2);
  EXPECT_EQ(pressedButtons(), (std::vector<unsigned>{7, 7}));

  // Over the root window nothing is sent.
  pointAt(400, 400);
  EXPECT_FALSE(input.windowUnderCursor().found);
  scroll.step(255, 3);
  pointAt(50, 50);
  EXPECT_TRUE(pressedButtons().empty());
}

TEST_F(XScrollTest, NothingScrollsOverTheDesktopWindow) {
  const Atom type = XInternAtom(display, "_NET_WM_WINDOW_TYPE", False);
  Atom desktop = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DESKTOP", False);
  XChangeProperty(display, target, type, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&desktop), 1);
  pointAt(50, 50);
  xscroll::X11ScrollInput input(server.name());
  EXPECT_TRUE(input.windowUnderCursor().desktop);
  monitor::HorizontalScroll scroll(&input);
  scroll.step(255, 3);
  EXPECT_TRUE(pressedButtons().empty());
}

TEST(XScrollWithoutDisplay, ScrollsNothing) {
  xscroll::X11ScrollInput input("/nonexistent:99");
  EXPECT_FALSE(input.available());
  EXPECT_FALSE(input.windowUnderCursor().found);
  EXPECT_FALSE(input.horizontalWheel(true, 1));
}

}  // namespace
