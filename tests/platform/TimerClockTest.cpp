#include <gtest/gtest.h>

#include <poll.h>

#include <atomic>
#include <thread>
#include <vector>

#include "RuntimeFolderFixture.h"
#include "platform/Clock.h"
#include "platform/VirtualClock.h"
#include "platform/Window.h"

using namespace platform;

namespace {

class TimerClockTest : public RuntimeFolderFixture {
 protected:
  ScopedVirtualClock clock_{1000};
};

struct TimerLog {
  std::vector<std::pair<std::int64_t, std::uintptr_t>> ticks;  // (time, id)
  WindowHandler handler() {
    return [this](HWND, UINT m, WPARAM wp, LPARAM) -> LRESULT {
      if (m == WM_TIMER) ticks.emplace_back(now(), wp);
      return 0;
    };
  }
};

TEST_F(TimerClockTest, SleepAdvancesVirtualTimeAtOnce) {
  EXPECT_EQ(now(), 1000);
  platform::sleep(250);
  EXPECT_EQ(now(), 1250);
  clock_->advance(50);
  EXPECT_EQ(now(), 1300);
  clock_->advanceTo(1200);  // never back
  EXPECT_EQ(now(), 1300);
}

TEST_F(TimerClockTest, TimersTickOncePerPeriodInDeadlineOrder) {
  TimerLog log;
  auto w = window("", log.handler());
  ASSERT_TRUE(SetTimer(w, 600, 1000));
  ASSERT_TRUE(SetTimer(w, 601, 500));
  EXPECT_TRUE(RunMessagesFor(2000));
  using Tick = std::pair<std::int64_t, std::uintptr_t>;
  EXPECT_EQ(log.ticks,
            (std::vector<Tick>{
                {1500, 601}, {2000, 600}, {2000, 601}, {2500, 601}, {3000, 600}, {3000, 601}}));
}

TEST_F(TimerClockTest, AdvanceThenPumpDeliversEveryElapsedPeriod) {
  TimerLog log;
  auto w = window("", log.handler());
  SetTimer(w, 600, 1000);
  clock_->advance(10000);
  EXPECT_TRUE(PumpMessages());
  EXPECT_EQ(log.ticks.size(), 10u);
  EXPECT_TRUE(PumpMessages());
  EXPECT_EQ(log.ticks.size(), 10u);
}

TEST_F(TimerClockTest, OneShotTimerKilledInItsHandlerAndRestartedTimer) {
  int fired = 0;
  auto w = window("", [&](HWND h, UINT m, WPARAM wp, LPARAM) -> LRESULT {
    if (m == WM_TIMER && wp == 502) {
      KillTimer(h, 502);
      ++fired;
    }
    return 0;
  });
  SetTimer(w, 502, 200);
  RunMessagesFor(150);
  SetTimer(w, 502, 200);  // restarting moves the deadline
  RunMessagesFor(150);
  EXPECT_EQ(fired, 0);
  RunMessagesFor(1000);
  EXPECT_EQ(fired, 1);
  EXPECT_FALSE(KillTimer(w, 502));
}

TEST_F(TimerClockTest, DestroyingTheWindowStopsItsTimers) {
  TimerLog log;
  auto w = window("", log.handler());
  SetTimer(w, 1, 100);
  DestroyWindow(w);
  RunMessagesFor(1000);
  EXPECT_TRUE(log.ticks.empty());
}

TEST_F(TimerClockTest, AutoAdvanceLetsARunningLoopReachItsTimeout) {
  clock_->setAutoAdvance(true);
  auto w = window("", [](HWND h, UINT m, WPARAM, LPARAM) -> LRESULT {
    if (m == WM_TIMER) PostQuitMessage(3);
    (void)h;
    return 0;
  });
  SetTimer(w, 9, 5000);
  EXPECT_EQ(RunMessageLoop(), 3);
  EXPECT_EQ(now(), 6000);
}

TEST_F(TimerClockTest, WorkerWaitsForThreadMessagesAndQuits) {
  std::atomic<ThreadId> workerId{0};
  std::vector<std::pair<UINT, WPARAM>> got;
  std::int64_t workerTime = 0;
  std::thread worker([&] {
    workerId = GetCurrentThreadId();
    MSG msg;
    while (GetMessage(msg)) {
      got.emplace_back(msg.message, msg.wParam);
      EXPECT_EQ(msg.hwnd, kNoWindow);
      platform::sleep(3000);  // a status wait in virtual time
    }
    workerTime = now();
  });
  while (workerId == 0) std::this_thread::yield();
  EXPECT_TRUE(PostThreadMessage(workerId, 1649, 2, 0));
  EXPECT_TRUE(PostThreadMessage(workerId, 1649, 3, 0));
  EXPECT_TRUE(PostThreadMessage(workerId, WM_QUIT, 0, 0));
  worker.join();
  EXPECT_EQ(got, (std::vector<std::pair<UINT, WPARAM>>{{1649, 2}, {1649, 3}}));
  EXPECT_EQ(workerTime, 7000);
  EXPECT_FALSE(PostThreadMessage(workerId, 1649, 2, 0)) << "the worker's queue ended with it";
}

TEST_F(TimerClockTest, AdvanceFromAnotherThreadWakesAWaitingLoop) {
  TimerLog log;
  auto w = window("", log.handler());
  SetTimer(w, 500, 2000);
  std::thread advancer([&] { clock_->advance(2000); });
  MSG msg;
  ASSERT_TRUE(GetMessage(msg));  // waits really until the advance
  advancer.join();
  EXPECT_EQ(msg.message, WM_TIMER);
  EXPECT_EQ(msg.wParam, 500u);
}

TEST_F(TimerClockTest, LoopFdSignalsQueuedWork) {
  int fd = MessageLoopFd();
  ASSERT_GE(fd, 0);
  auto readable = [fd] {
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, 0) == 1;
  };
  auto w = window("", [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; });
  PumpMessages();
  EXPECT_FALSE(readable());
  PostMessage(w, WM_USER, 0, 0);
  PostMessage(w, WM_USER, 0, 0);
  EXPECT_TRUE(readable());
  MSG msg;
  ASSERT_TRUE(PeekMessage(msg));
  EXPECT_TRUE(readable()) << "one message is still queued";
  EXPECT_TRUE(PumpMessages());
  EXPECT_FALSE(readable());
  SetTimer(w, 1, 100);
  clock_->advance(100);
  EXPECT_TRUE(readable());
  PostQuitMessage(0);
  EXPECT_FALSE(PumpMessages());
}

}  // namespace
