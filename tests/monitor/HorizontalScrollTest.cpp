#include <gtest/gtest.h>

#include "MonitorFakes.h"
#include "monitor/HorizontalScroll.h"

namespace monitor {
namespace {

class FakeScrollInput : public ScrollInput {
 public:
  Pointed windowUnderCursor() override { return pointed; }
  bool horizontalWheel(bool left, int n) override { return record("wheel", left, n); }
  bool shiftWheel(bool left, int n) override { return record("shift", left, n); }
  bool arrowKeys(bool left, int n) override { return record("keys", left, n); }
  bool record(const char* how, bool left, int n) {
    calls.push_back(std::string(how) + (left ? " left " : " right ") + std::to_string(n));
    return true;
  }
  Pointed pointed{true, false, "Gedit"};
  std::vector<std::string> calls;
};

TEST(HorizontalScrollTest, TiltSpeedStepsInTheTiltsDirection) {
  FakeScrollInput input;
  HorizontalScroll scroll(&input);
  scroll.step(255, 3);
  scroll.step(1, 1);
  scroll.step(2, 3);  // not a tilt value
  scroll.step(1, 0);  // no steps
  scroll.step(1, -4);
  scroll.step(1, 1'000'000);  // a damaged setting never floods the desktop
  EXPECT_EQ(input.calls,
            (std::vector<std::string>{"wheel left 3", "wheel right 1", "wheel right 100"}));
}

TEST(HorizontalScrollTest, NothingScrollsOverTheDesktop) {
  FakeScrollInput input;
  HorizontalScroll scroll(&input);
  input.pointed = {false, false, ""};
  scroll.step(255, 3);
  input.pointed = {true, true, "Nautilus"};
  scroll.step(255, 3);
  EXPECT_TRUE(input.calls.empty());
  HorizontalScroll without(nullptr);
  without.step(255, 3);
}

TEST(HorizontalScrollTest, ClassesThatIgnoreTheWheelGetTheirOwnMethod) {
  FakeScrollInput input;
  HorizontalScroll scroll(&input);
  input.pointed.windowClass = "sun-awt-X11-XFramePeer";
  scroll.step(1, 2);
  input.pointed.windowClass = "XTerm";
  scroll.step(255, 2);
  input.pointed.windowClass = "xterm";  // classes compare exactly
  scroll.onStepMessage(4, 1);
  EXPECT_EQ(input.calls,
            (std::vector<std::string>{"shift right 2", "keys left 2", "wheel left 4"}));
}

}  // namespace
}  // namespace monitor
