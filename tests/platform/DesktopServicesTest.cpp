#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <array>
#include <cstring>
#include <filesystem>

#include "SysTestSupport.h"
#include "platform/FakeDesktopMouse.h"
#include "platform/FakeForegroundProgram.h"
#include "platform/Registry.h"
#include "platform/SystemDesktopMouse.h"
#include "platform/X11ForegroundProgram.h"

using platform::RegistryKey;
using platform::SystemDesktopMouse;
using namespace vesk_test_support;

namespace {

std::string value(const char* key, const char* name) {
  auto k = RegistryKey::open(key);
  return k ? k->queryString(name).value_or("<none>") : "<no key>";
}

class DesktopMouseTest : public ::testing::Test {
 protected:
  TempFolder config_;
  ScopedEnv env_{"XDG_CONFIG_HOME", config_.path()};
};

TEST_F(DesktopMouseTest, RecordsEverySettingUnderTheSystemsNames) {
  SystemDesktopMouse mouse("");  // no X
  EXPECT_TRUE(mouse.setDoubleClickTime(480));
  EXPECT_TRUE(mouse.setAcceleration(4, 13, 2));
  EXPECT_TRUE(mouse.setPointerSpeed(10));
  EXPECT_TRUE(mouse.setWheelScrollLines(-1));
  EXPECT_TRUE(mouse.setWheelScrollChars(3));
  EXPECT_TRUE(mouse.setMouseTrails(0));
  const char* m = SystemDesktopMouse::kMouseKey;
  const char* d = SystemDesktopMouse::kDesktopKey;
  EXPECT_EQ(value(m, "DoubleClickSpeed"), "480");
  EXPECT_EQ(value(m, "MouseThreshold1"), "4");
  EXPECT_EQ(value(m, "MouseThreshold2"), "13");
  EXPECT_EQ(value(m, "MouseSpeed"), "2");
  EXPECT_EQ(value(m, "MouseSensitivity"), "10");
  EXPECT_EQ(value(m, "MouseTrails"), "0");
  EXPECT_EQ(value(d, "WheelScrollLines"), "-1");
  EXPECT_EQ(value(d, "WheelScrollChars"), "3");

  EXPECT_FALSE(mouse.setPointerSpeed(0));
  EXPECT_FALSE(mouse.setPointerSpeed(21));
  EXPECT_EQ(value(m, "MouseSensitivity"), "10") << "a refused speed is not recorded";

  platform::FakeDesktopMouse fake;
  EXPECT_FALSE(fake.setPointerSpeed(25));
  EXPECT_TRUE(fake.setAcceleration(6, 10, 1));
  EXPECT_EQ(fake.values.threshold1, 6);
}

TEST(DesktopMouse, AccelerationLevelsMapToThePointerControl) {
  using PC = SystemDesktopMouse::PointerControl;
  auto eq = [](PC a, PC b) {
    return a.numerator == b.numerator && a.denominator == b.denominator &&
           a.threshold == b.threshold;
  };
  EXPECT_TRUE(eq(SystemDesktopMouse::pointerControlFor(0, 0, 0), {1, 1, 0}));
  EXPECT_TRUE(eq(SystemDesktopMouse::pointerControlFor(13, 0, 1), {2, 1, 13}));
  EXPECT_TRUE(eq(SystemDesktopMouse::pointerControlFor(4, 5, 2), {4, 1, 5}));
  EXPECT_TRUE(eq(SystemDesktopMouse::pointerControlFor(4, 0, 2), {4, 1, 4}));
}

TEST(ForegroundProgram, NoneWithoutADisplay) {
  EXPECT_FALSE(platform::X11ForegroundProgram("").executablePath());
  EXPECT_FALSE(platform::X11ForegroundProgram(":4242").executablePath()) << "nobody there";
  platform::FakeForegroundProgram fake;
  EXPECT_FALSE(fake.executablePath());
  fake.path = "/usr/bin/game";
  EXPECT_EQ(fake.executablePath(), "/usr/bin/game");
}

// A private X server for the tests that need one.
class XServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const pid_t parent = getpid();
    server_ = fork();
    if (server_ == 0) {
      prctl(PR_SET_PDEATHSIG, SIGKILL);  // never outlive a crashed test
      if (getppid() != parent) _exit(127);
      close(fds[0]);
      const std::string fd = std::to_string(fds[1]);
      execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", "-screen", "0",
             "320x200x24", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    // Xvfb writes the display number and a newline once it accepts connections.
    std::string number;
    char c = 0;
    while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    ASSERT_FALSE(number.empty()) << "Xvfb did not start (scripts/install-deps installs it)";
    display_ = ":" + number;
    c_ = xcb_connect(display_.c_str(), nullptr);
    ASSERT_FALSE(xcb_connection_has_error(c_)) << display_;
    root_ = xcb_setup_roots_iterator(xcb_get_setup(c_)).data->root;
  }
  void TearDown() override {
    if (c_) xcb_disconnect(c_);
    if (server_ > 0) {
      kill(server_, SIGTERM);
      waitpid(server_, nullptr, 0);
    }
  }
  xcb_atom_t atom(const char* name) {
    auto* r = xcb_intern_atom_reply(c_, xcb_intern_atom(c_, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t a = r->atom;
    free(r);
    return a;
  }
  void setCardinal(xcb_window_t w, xcb_atom_t property, xcb_atom_t type, std::uint32_t v) {
    xcb_change_property(c_, XCB_PROP_MODE_REPLACE, w, property, type, 32, 1, &v);
    xcb_aux_sync();
  }
  void xcb_aux_sync() { free(xcb_get_input_focus_reply(c_, xcb_get_input_focus(c_), nullptr)); }

  pid_t server_ = -1;
  std::string display_;
  xcb_connection_t* c_ = nullptr;
  xcb_window_t root_ = 0;
};

TEST_F(XServerTest, ActiveWindowGivesItsProgramsExecutable) {
  platform::X11ForegroundProgram foreground(display_);
  EXPECT_FALSE(foreground.executablePath()) << "no window manager has said anything yet";

  const xcb_window_t window = xcb_generate_id(c_);
  xcb_create_window(c_, XCB_COPY_FROM_PARENT, window, root_, 0, 0, 10, 10, 0,
                    XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
  setCardinal(root_, atom("_NET_ACTIVE_WINDOW"), XCB_ATOM_WINDOW, window);
  EXPECT_FALSE(foreground.executablePath()) << "the window names no process";
  setCardinal(window, atom("_NET_WM_PID"), XCB_ATOM_CARDINAL, static_cast<std::uint32_t>(getpid()));
  EXPECT_EQ(foreground.executablePath(), std::filesystem::read_symlink("/proc/self/exe").string());

  xcb_destroy_window(c_, window);  // the active window vanished
  xcb_aux_sync();
  EXPECT_FALSE(foreground.executablePath());
}

TEST_F(XServerTest, AccelerationReachesThePointerControl) {
  TempFolder config;
  ScopedEnv env("XDG_CONFIG_HOME", config.path());
  SystemDesktopMouse mouse(display_);
  auto control = [this] {
    auto* r = xcb_get_pointer_control_reply(c_, xcb_get_pointer_control(c_), nullptr);
    const std::array<int, 3> v{r->acceleration_numerator, r->acceleration_denominator,
                               r->threshold};
    free(r);
    return v;
  };
  ASSERT_TRUE(mouse.setAcceleration(7, 0, 1));
  EXPECT_EQ(control(), (std::array<int, 3>{2, 1, 7}));
  ASSERT_TRUE(mouse.setAcceleration(4, 6, 2));
  EXPECT_EQ(control(), (std::array<int, 3>{4, 1, 6}));
  ASSERT_TRUE(mouse.setAcceleration(0, 0, 0));
  EXPECT_EQ(control(), (std::array<int, 3>{1, 1, 0}));
  EXPECT_EQ(value(SystemDesktopMouse::kMouseKey, "MouseSpeed"), "0");
}

}  // namespace
