// What other processes of the same user may not do to a program's windows:
// run their life cycle, fill their thread's queue without bound, or hold the
// owning thread up by never reading the answers to their sends.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <thread>

#include "ChildProcess.h"
#include "RuntimeFolderFixture.h"
#include "platform/Window.h"

using namespace platform;

namespace {

class HostilePeerTest : public RuntimeFolderFixture {
 protected:
  // Runs the loop of the calling thread until the child ends; the loop's
  // own exit code.
  static int loopWhileChildRuns(ChildProcess& child, std::atomic<int>& exitCode) {
    const ThreadId me = GetCurrentThreadId();
    std::thread reaper([&] {
      exitCode = child.wait();
      PostThreadMessage(me, WM_QUIT, 77, 0);
    });
    const int loopResult = RunMessageLoop();
    reaper.join();
    return loopResult;
  }
};

TEST_F(HostilePeerTest, LifeCycleMessagesFromAnotherProcessAreRefused) {
  int creates = 0, destroys = 0, users = 0;
  auto target = window("Guarded", [&](HWND, UINT m, WPARAM, LPARAM) -> LRESULT {
    if (m == WM_CREATE) ++creates;
    if (m == WM_DESTROY) ++destroys;
    if (m == WM_USER) ++users;
    return 1;
  });
  ASSERT_EQ(creates, 1);
  ChildProcess peer([] {
    HWND guarded = FindWindow("Guarded");
    if (guarded == kNoWindow) return 10;
    if (SendMessageChecked(guarded, WM_CREATE, 0, 0).has_value()) return 11;
    if (SendMessageChecked(guarded, WM_DESTROY, 0, 0).has_value()) return 12;
    PostMessage(guarded, WM_CREATE, 0, 0);
    PostMessage(guarded, WM_DESTROY, 0, 0);
    PostMessage(guarded, WM_QUIT, 5, 0);
    // Anything else still gets through, after the refused posts.
    return SendMessageChecked(guarded, WM_USER, 0, 0) == 1 ? 0 : 13;
  });
  std::atomic<int> exitCode{-1};
  EXPECT_EQ(loopWhileChildRuns(peer, exitCode), 77) << "a posted WM_QUIT ended the loop";
  EXPECT_EQ(exitCode, 0);
  EXPECT_EQ(creates, 1);
  EXPECT_EQ(destroys, 0);
  EXPECT_EQ(users, 1);
  EXPECT_TRUE(IsWindow(target));
}

TEST_F(HostilePeerTest, PostedQueueIsCappedWhileSendsAreStillServed) {
  int posted = 0;
  bool served = false;
  auto target = window("Busy", [&](HWND, UINT m, WPARAM wp, LPARAM) -> LRESULT {
    if (m == WM_USER) ++posted;
    if (m != WM_USER + 1) return 0;
    served = true;
    return static_cast<LRESULT>(wp) + 1;
  });
  int accepted = 0;
  while (accepted < 20000 && PostMessage(target, WM_USER, 0, 0)) ++accepted;
  EXPECT_EQ(accepted, 10000);
  EXPECT_FALSE(PostThreadMessage(GetCurrentThreadId(), WM_USER, 0, 0)) << "one queue per thread";

  std::atomic<LRESULT> answer{0};
  std::thread sender([&] {
    answer = SendMessage(target, WM_USER + 1, 41, 0);
    // A send is handled inside GetMessage, which then waits on for a posted
    // message: give it one (there is room once the backlog went).
    while (!PostMessage(target, WM_NULL, 0, 0)) std::this_thread::yield();
  });
  MSG msg;
  while (!served && GetMessage(msg)) DispatchMessage(msg);
  while (answer == 0 && GetMessage(msg)) DispatchMessage(msg);
  sender.join();
  EXPECT_EQ(answer, 42);
  while (PeekMessage(msg)) DispatchMessage(msg);
  EXPECT_EQ(posted, 10000);
  EXPECT_TRUE(PostMessage(target, WM_USER, 0, 0)) << "room again once handled";
}

// Connects to the window's socket as a program of the user would, but only
// writes sends and never reads their answers.
int floodWithoutReading(const std::string& socketPath, HWND target, int* sent) {
  const int fd = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", socketPath.c_str());
  if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) return 10;
  // A window that answered each send only after a second would keep this
  // writer blocked: give up then instead of hanging the test.
  timeval limit{3, 0};
  ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
  unsigned char frame[64] = {};
  const std::uint32_t magic = 0x4D4B5356, msg = WM_USER;
  const std::uint16_t version = 1, kind = 2;
  std::memcpy(frame, &magic, 4);
  std::memcpy(frame + 4, &version, 2);
  std::memcpy(frame + 6, &kind, 2);
  std::memcpy(frame + 8, &target, 8);
  std::memcpy(frame + 24, &msg, 4);
  for (*sent = 0; *sent < 100000; ++*sent) {
    std::uint64_t sequence = static_cast<std::uint64_t>(*sent) + 1;
    std::memcpy(frame + 16, &sequence, 8);
    if (::send(fd, frame, sizeof frame, MSG_NOSIGNAL) == sizeof frame) continue;
    return errno == EAGAIN ? 11 : 0;  // dropped by the window's owner: the point
  }
  return 12;
}

TEST_F(HostilePeerTest, ClientThatNeverReadsItsAnswersLosesItsConnection) {
  int handled = 0;
  auto target = window("Patient", [&](HWND, UINT m, WPARAM, LPARAM) -> LRESULT {
    if (m == WM_USER) ++handled;
    return 1;
  });
  char name[18];
  std::snprintf(name, sizeof name, "w%016llx", static_cast<unsigned long long>(HWND(target)));
  const std::string socketPath = runtimeFolder() + "/" + name;
  ChildProcess flooder([&] {
    int sent = 0;
    return floodWithoutReading(socketPath, target, &sent);
  });
  std::atomic<int> exitCode{-1};
  loopWhileChildRuns(flooder, exitCode);
  EXPECT_EQ(exitCode, 0);
  EXPECT_GT(handled, 0);
  EXPECT_LT(handled, 100000) << "served to the end instead of dropped";
  ChildProcess polite(
      [] { return SendMessageChecked(FindWindow("Patient"), WM_USER, 0, 0) == 1 ? 0 : 1; });
  std::atomic<int> politeExit{-1};
  loopWhileChildRuns(polite, politeExit);
  EXPECT_EQ(politeExit, 0) << "the window still serves others";
}

}  // namespace
