// The Wayland scrolling path against a recorded /dev/uinput, and the choice
// between X11, uinput and nothing.
#include <gtest/gtest.h>
#include <linux/input.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "monitor/HorizontalScroll.h"
#include "monitor/ScrollBackend.h"
#include "uinput/UinputScrollInput.h"

namespace {

using uinput::UinputScrollInput;

struct Control {
  unsigned long request;
  int value;
  bool operator==(const Control&) const = default;
};

class RecordedUinput : public uinput::UinputFile {
 public:
  int open(const char* path) override {
    opened.push_back(path);
    if (openFails) errno = EACCES;
    return openFails ? -1 : kFd;
  }
  int control(int fd, unsigned long request, int value) override {
    EXPECT_EQ(fd, kFd);
    controls.push_back({request, value});
    if (request == failingRequest) {
      errno = EINVAL;
      return -1;
    }
    return 0;
  }
  int setup(int fd, const uinput_setup& given) override {
    EXPECT_EQ(fd, kFd);
    controls.push_back({UI_DEV_SETUP, 0});
    setups.push_back(given);
    return 0;
  }
  ssize_t write(int fd, const void* data, std::size_t size) override {
    EXPECT_EQ(fd, kFd);
    if (writesLeft-- == 0) {
      errno = ENODEV;
      return -1;
    }
    const auto* bytes = static_cast<const char*>(data);
    written.insert(written.end(), bytes, bytes + size);
    return static_cast<ssize_t>(size);
  }
  void close(int fd) override { closed.push_back(fd); }

  std::vector<input_event> events() const {
    std::vector<input_event> result(written.size() / sizeof(input_event));
    std::memcpy(result.data(), written.data(), result.size() * sizeof(input_event));
    return result;
  }

  static constexpr int kFd = 7;
  bool openFails = false;
  unsigned long failingRequest = 0;
  int writesLeft = 1 << 20;
  std::vector<std::string> opened;
  std::vector<Control> controls;
  std::vector<uinput_setup> setups;
  std::vector<char> written;
  std::vector<int> closed;
};

// Each step is one notch and one report: the compositor turns a report into
// one scroll of the window under the cursor.
void expectNotches(const std::vector<input_event>& events, int value, int count) {
  ASSERT_EQ(events.size(), static_cast<std::size_t>(2 * count));
  for (int i = 0; i < count; ++i) {
    const input_event& notch = events[2 * i];
    const input_event& report = events[2 * i + 1];
    EXPECT_EQ(notch.type, EV_REL);
    EXPECT_EQ(notch.code, REL_HWHEEL);
    EXPECT_EQ(notch.value, value);
    EXPECT_EQ(report.type, EV_SYN);
    EXPECT_EQ(report.code, SYN_REPORT);
    EXPECT_EQ(report.value, 0);
  }
}

TEST(UinputScrollTest, CreatesAPointerWithAHorizontalWheelAndDestroysItAtTheEnd) {
  RecordedUinput file;
  std::ostringstream log;
  {
    UinputScrollInput input(file, log, "/dev/test-uinput");
    EXPECT_TRUE(input.available());
    EXPECT_TRUE(input.available());  // made once
    const std::vector<Control> created = {
        {UI_SET_EVBIT, EV_KEY},      {UI_SET_KEYBIT, BTN_LEFT},  {UI_SET_KEYBIT, BTN_RIGHT},
        {UI_SET_KEYBIT, BTN_MIDDLE}, {UI_SET_EVBIT, EV_REL},     {UI_SET_RELBIT, REL_X},
        {UI_SET_RELBIT, REL_Y},      {UI_SET_RELBIT, REL_WHEEL}, {UI_SET_RELBIT, REL_HWHEEL},
        {UI_DEV_SETUP, 0},           {UI_DEV_CREATE, 0},
    };
    EXPECT_EQ(file.controls, created);
    EXPECT_EQ(file.opened, std::vector<std::string>{"/dev/test-uinput"});
    ASSERT_EQ(file.setups.size(), 1u);
    EXPECT_EQ(file.setups[0].id.bustype, BUS_VIRTUAL);
    EXPECT_STREQ(file.setups[0].name, UinputScrollInput::kDeviceName);
    EXPECT_TRUE(file.closed.empty());
  }
  EXPECT_EQ(file.controls.back(), (Control{UI_DEV_DESTROY, 0}));
  EXPECT_EQ(file.closed, std::vector<int>{RecordedUinput::kFd});
  EXPECT_TRUE(log.str().empty());
}

TEST(UinputScrollTest, TiltSpeedNotchesLeftNegativeRightPositiveWithTheSameCap) {
  RecordedUinput file;
  std::ostringstream log;
  UinputScrollInput input(file, log);
  monitor::HorizontalScroll scroll(&input);

  scroll.step(monitor::HorizontalScroll::kLeft, 3);
  expectNotches(file.events(), -1, 3);

  file.written.clear();
  scroll.step(monitor::HorizontalScroll::kRight, 2);
  expectNotches(file.events(), 1, 2);

  file.written.clear();
  scroll.step(2, 4);  // not a tilt
  scroll.step(monitor::HorizontalScroll::kRight, 0);
  EXPECT_TRUE(file.written.empty());

  scroll.onStepMessage(100000, 1);  // a damaged count is capped as on X11
  expectNotches(file.events(), -1, monitor::HorizontalScroll::kMaxSteps);
  EXPECT_TRUE(log.str().empty());
}

TEST(UinputScrollTest, FailuresTurnScrollingOffWithOneMessage) {
  {
    RecordedUinput file;
    file.openFails = true;
    std::ostringstream log;
    UinputScrollInput input(file, log);
    monitor::HorizontalScroll scroll(&input);
    for (int i = 0; i < 3; ++i) scroll.step(monitor::HorizontalScroll::kRight, 2);
    EXPECT_FALSE(input.available());
    EXPECT_EQ(file.opened.size(), 1u);  // not retried at every tilt
    EXPECT_TRUE(file.controls.empty());
    EXPECT_TRUE(file.written.empty());
    const std::string said = log.str();
    EXPECT_NE(said.find("/dev/uinput"), std::string::npos) << said;
    EXPECT_NE(said.find("does not scroll"), std::string::npos) << said;
    EXPECT_EQ(said.find('\n'), said.size() - 1) << said;  // one line
  }
  {
    // The kernel refuses to create the device: the descriptor is closed, and
    // the destructor does not destroy what was never made.
    RecordedUinput file;
    file.failingRequest = UI_DEV_CREATE;
    std::ostringstream log;
    {
      UinputScrollInput input(file, log);
      EXPECT_FALSE(input.available());
      EXPECT_FALSE(input.windowUnderCursor().found);
      EXPECT_FALSE(input.horizontalWheel(true, 1));
    }
    EXPECT_EQ(file.closed, std::vector<int>{RecordedUinput::kFd});
    EXPECT_EQ(file.controls.back(), (Control{UI_DEV_CREATE, 0}));
    const std::string said = log.str();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  }
  {
    // The device goes away while in use: said once, nothing more is written.
    RecordedUinput file;
    file.writesLeft = 1;
    std::ostringstream log;
    UinputScrollInput input(file, log);
    monitor::HorizontalScroll scroll(&input);
    scroll.step(monitor::HorizontalScroll::kRight, 3);
    scroll.step(monitor::HorizontalScroll::kRight, 3);
    expectNotches(file.events(), 1, 1);
    EXPECT_EQ(file.closed.size(), 1u);
    const std::string said = log.str();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  }
}

TEST(ScrollBackendTest, XTestOnX11UinputOnWaylandOtherwiseOff) {
  using monitor::chooseScrollBackend;
  using monitor::ScrollBackend;
  // (X display, Wayland session, /dev/uinput writable)
  EXPECT_EQ(chooseScrollBackend(true, false, false), ScrollBackend::X11);
  EXPECT_EQ(chooseScrollBackend(true, false, true), ScrollBackend::X11);
  EXPECT_EQ(chooseScrollBackend(false, true, true), ScrollBackend::Uinput);
  // With Xwayland's display XTest would reach X programs only.
  EXPECT_EQ(chooseScrollBackend(true, true, true), ScrollBackend::Uinput);
  EXPECT_EQ(chooseScrollBackend(true, true, false), ScrollBackend::Off);
  EXPECT_EQ(chooseScrollBackend(false, true, false), ScrollBackend::Off);
  EXPECT_EQ(chooseScrollBackend(false, false, true), ScrollBackend::Off);

  EXPECT_STREQ(monitor::scrollOffReason(true, false, false), "");
  EXPECT_STREQ(monitor::scrollOffReason(false, true, true), "");
  EXPECT_NE(std::string(monitor::scrollOffReason(true, true, false)).find("/dev/uinput"),
            std::string::npos);
  EXPECT_NE(std::string(monitor::scrollOffReason(false, false, false)).find("no X display"),
            std::string::npos);
}

}  // namespace
