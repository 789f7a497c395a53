#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>
#include <vector>

#include "RuntimeFolderFixture.h"
#include "platform/Window.h"

using namespace platform;

namespace {

struct Recorded {
  HWND hwnd;
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
};

class MessageWindowTest : public RuntimeFolderFixture {};

TEST_F(MessageWindowTest, CreateSendsWmCreateAndMinusOneRefusesTheWindow) {
  std::vector<UINT> seen;
  auto ok = window("Alpha", [&](HWND, UINT m, WPARAM, LPARAM) -> LRESULT {
    seen.push_back(m);
    return 0;
  });
  ASSERT_NE(ok, kNoWindow);
  EXPECT_EQ(seen, std::vector<UINT>{WM_CREATE});
  EXPECT_TRUE(IsWindow(ok));
  EXPECT_EQ(GetWindowTitle(ok), "Alpha");

  std::vector<UINT> refusedSeen;
  auto refused = window("Beta", [&](HWND, UINT m, WPARAM, LPARAM) -> LRESULT {
    refusedSeen.push_back(m);
    return m == WM_CREATE ? -1 : 0;
  });
  EXPECT_EQ(refused, kNoWindow);
  EXPECT_EQ(refusedSeen, (std::vector<UINT>{WM_CREATE, WM_DESTROY}));
  EXPECT_EQ(FindWindow("Beta"), kNoWindow);
  EXPECT_TRUE(DestroyWindow(ok));
}

TEST_F(MessageWindowTest, PostQueuesInOrderAndSendRunsAtOnce) {
  std::vector<Recorded> seen;
  auto w = window("Queue", [&](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
    if (m == WM_CREATE) return 0;
    seen.push_back({h, m, wp, lp});
    return static_cast<LRESULT>(wp * 2);
  });
  ASSERT_TRUE(PostMessage(w, WM_USER + 1, 1, -1));
  ASSERT_TRUE(PostMessage(w, WM_USER + 2, 2, -2));
  EXPECT_TRUE(seen.empty());
  EXPECT_EQ(SendMessage(w, WM_USER + 3, 21, 0), 42);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_TRUE(PumpMessages());
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[1].msg, WM_USER + 1u);
  EXPECT_EQ(seen[1].lParam, -1);
  EXPECT_EQ(seen[2].msg, WM_USER + 2u);
  EXPECT_EQ(seen[2].hwnd, w);
}

TEST_F(MessageWindowTest, DestroyedWindowIsGoneForEveryCall) {
  int destroys = 0;
  auto w = window("Short", [&](HWND h, UINT m, WPARAM, LPARAM) -> LRESULT {
    if (m == WM_DESTROY) {
      ++destroys;
      EXPECT_FALSE(DestroyWindow(h));  // already on its way out
    }
    return 0;
  });
  PostMessage(w, WM_USER, 0, 0);
  ASSERT_TRUE(DestroyWindow(w));
  EXPECT_EQ(destroys, 1);
  EXPECT_FALSE(IsWindow(w));
  EXPECT_FALSE(DestroyWindow(w));
  EXPECT_FALSE(PostMessage(w, WM_USER, 0, 0));
  EXPECT_FALSE(SendMessageChecked(w, WM_USER, 0, 0).has_value());
  EXPECT_FALSE(SetTimer(w, 1, 100));
  EXPECT_EQ(FindWindow("Short"), kNoWindow);
  EXPECT_TRUE(PumpMessages());  // the queued message to the dead window is dropped
}

TEST_F(MessageWindowTest, DefaultCloseDestroysAndQuitEndsTheLoop) {
  auto w = window("Closer", [&](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
    if (m == WM_DESTROY) PostQuitMessage(7);
    return DefWindowProc(h, m, wp, lp);
  });
  PostMessage(w, WM_CLOSE, 0, 0);
  EXPECT_EQ(RunMessageLoop(), 7);
  EXPECT_FALSE(IsWindow(w));
}

TEST_F(MessageWindowTest, FindWindowIgnoresCaseButNeedsTheWholeTitle) {
  auto w = window("NIVARO Vesk Monitor", [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; });
  EXPECT_EQ(FindWindow("nivaro vesk MONITOR"), w);
  EXPECT_EQ(FindWindow("NIVARO Vesk"), kNoWindow);
  EXPECT_EQ(FindWindow("NIVARO Vesk Monitor "), kNoWindow);
  EXPECT_EQ(FindWindow(""), kNoWindow);
  auto untitled = window("", [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; });
  EXPECT_NE(untitled, kNoWindow);
  EXPECT_EQ(FindWindow(""), kNoWindow);
}

TEST_F(MessageWindowTest, CopyDataPointsAtTheBytesDuringTheHandler) {
  std::vector<std::byte> got;
  std::uintptr_t gotTag = 0;
  auto w = window("Copy", [&](HWND, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
    if (m != WM_COPYDATA) return 0;
    auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lp);
    gotTag = cds->dwData;
    auto* p = static_cast<const std::byte*>(cds->lpData);
    got.assign(p, p + cds->cbData);
    return static_cast<LRESULT>(wp);
  });
  const std::byte bytes[] = {std::byte{1}, std::byte{0}, std::byte{0xFF}};
  EXPECT_EQ(SendCopyData(w, 2024, 0x07970003, bytes), 2024);
  EXPECT_EQ(gotTag, 0x07970003u);
  EXPECT_EQ(got, std::vector<std::byte>(std::begin(bytes), std::end(bytes)));
  EXPECT_FALSE(PostMessage(w, WM_COPYDATA, 0, 0));
}

TEST_F(MessageWindowTest, SendFromAnotherThreadRunsOnTheOwnerAndReturnsItsResult) {
  std::thread::id handlerThread;
  auto w = window("Owner", [&](HWND, UINT m, WPARAM wp, LPARAM) -> LRESULT {
    if (m == WM_USER) {
      handlerThread = std::this_thread::get_id();
      PostQuitMessage(0);
      return static_cast<LRESULT>(wp + 1);
    }
    return 0;
  });
  std::optional<LRESULT> result;
  std::thread sender([&] { result = SendMessageChecked(w, WM_USER, 41, 0); });
  RunMessageLoop();
  sender.join();
  EXPECT_EQ(result, 42);
  EXPECT_EQ(handlerThread, std::this_thread::get_id());
}

TEST_F(MessageWindowTest, ThreadsSendingToEachOtherDoNotDeadlock) {
  // Each thread sends to the other's window while the other is blocked in its
  // own send; a thread waiting in SendMessage must still answer what is sent
  // to it.
  std::atomic<HWND> workerWindow{kNoWindow};
  auto mainWindow = window("", [&](HWND, UINT m, WPARAM wp, LPARAM) -> LRESULT {
    return m == WM_USER ? static_cast<LRESULT>(wp + 100) : 0;
  });
  std::optional<LRESULT> workerGot;
  std::thread worker([&] {
    HWND w = CreateWindow("", [&](HWND, UINT m, WPARAM wp, LPARAM) -> LRESULT {
      if (m == WM_USER) return static_cast<LRESULT>(wp + 200);
      if (m == WM_CLOSE) PostQuitMessage(0);
      return 0;
    });
    workerWindow = w;
    workerGot = SendMessageChecked(mainWindow, WM_USER, 1, 0);
    RunMessageLoop();
  });
  while (workerWindow == kNoWindow) std::this_thread::yield();
  EXPECT_EQ(SendMessageChecked(workerWindow, WM_USER, 2, 0), 202);
  PostMessage(workerWindow, WM_CLOSE, 0, 0);
  // Answer the worker's send if it has not been answered yet.
  while (!workerGot) PumpMessages(), std::this_thread::yield();
  worker.join();
  EXPECT_EQ(workerGot, 101);
  EXPECT_FALSE(IsWindow(workerWindow)) << "a thread's windows end with it";
}

TEST_F(MessageWindowTest, SendToAWindowWhoseThreadEndedFails) {
  HWND w = kNoWindow;
  std::thread t(
      [&] { w = CreateWindow("Gone", [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 1; }); });
  t.join();
  EXPECT_FALSE(SendMessageChecked(w, WM_USER, 0, 0).has_value());
  EXPECT_FALSE(PostMessage(w, WM_USER, 0, 0));
  EXPECT_EQ(FindWindow("Gone"), kNoWindow);
}

}  // namespace
