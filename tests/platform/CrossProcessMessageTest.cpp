#include <gtest/gtest.h>
#include <poll.h>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <thread>
#include <vector>

#include "ChildProcess.h"
#include "RuntimeFolderFixture.h"
#include "platform/Window.h"

using namespace platform;

namespace {

class CrossProcessMessageTest : public RuntimeFolderFixture {
 protected:
  // Runs the calling thread's loop until pred holds (checked after every
  // message).
  template <typename Pred>
  static void loopUntil(Pred pred) {
    MSG msg;
    while (!pred() && GetMessage(msg)) DispatchMessage(msg);
  }

  std::size_t filesNamed(char first) const {
    std::size_t n = 0;
    for (auto& e : std::filesystem::directory_iterator(runtimeFolder()))
      if (e.path().filename().string()[0] == first) ++n;
    return n;
  }
};

// A child with one window titled "Peer": answers WM_USER with wParam * 3,
// echoes posted WM_USER + 1 back to "Parent" as WM_USER + 2, answers
// WM_COPYDATA with dwData + the byte sum, and quits on WM_CLOSE.
int runPeer(SyncPipe& ready) {
  HWND w = CreateWindow("Peer", [](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
    switch (m) {
      case WM_USER:
        return static_cast<LRESULT>(wp * 3);
      case WM_USER + 1:
        PostMessage(FindWindow("Parent"), WM_USER + 2, wp, lp);
        return 0;
      case WM_COPYDATA: {
        auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lp);
        LRESULT sum = static_cast<LRESULT>(cds->dwData);
        auto* p = static_cast<const unsigned char*>(cds->lpData);
        for (DWORD i = 0; i < cds->cbData; ++i) sum += p[i];
        return sum + static_cast<LRESULT>(wp) * 1000000;
      }
      case WM_CLOSE:
        DestroyWindow(h);
        PostQuitMessage(5);
        return 0;
    }
    return 0;
  });
  if (w == kNoWindow) return 1;
  ready.signal();
  return RunMessageLoop();
}

TEST_F(CrossProcessMessageTest, PostedSentAndCopyDataMessagesCrossProcesses) {
  std::vector<std::pair<WPARAM, LPARAM>> echoes;
  auto parent = window("Parent", [&](HWND, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
    if (m == WM_USER + 2) echoes.emplace_back(wp, lp);
    return 0;
  });
  SyncPipe ready;
  ChildProcess child([&] { return runPeer(ready); });
  ASSERT_EQ(ready.wait(), 1);

  HWND peer = FindWindow("PEER");
  ASSERT_NE(peer, kNoWindow);
  EXPECT_TRUE(IsWindow(peer));
  EXPECT_EQ(GetWindowTitle(peer), "Peer");
  EXPECT_EQ(SendMessageChecked(peer, WM_USER, 14, 0), 42);

  ASSERT_TRUE(PostMessage(peer, WM_USER + 1, 5, -6));
  ASSERT_TRUE(PostMessage(peer, WM_USER + 1, 7, LPARAM{1} << 40));
  // What a Qt program watches: the loop fd turns readable when the echo
  // comes in from the other process.
  pollfd loop{MessageLoopFd(), POLLIN, 0};
  ASSERT_EQ(::poll(&loop, 1, 10000), 1);
  loopUntil([&] { return echoes.size() == 2; });
  EXPECT_EQ(echoes[0], (std::pair<WPARAM, LPARAM>{5, -6}));
  EXPECT_EQ(echoes[1], (std::pair<WPARAM, LPARAM>{7, LPARAM{1} << 40}));

  std::vector<std::byte> bytes(300);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = std::byte(i & 0xFF);
  const LRESULT sum = 300 * 299 / 2 - 256 * 44;  // i & 0xFF for i < 300
  EXPECT_EQ(SendCopyData(peer, 2, 0x07970000, bytes), 2000000 + 0x07970000 + sum);
  EXPECT_EQ(SendCopyData(peer, 0, 9, {}), 9) << "empty data";
  EXPECT_EQ(SendCopyData(peer, 0, 0, std::vector<std::byte>(64 * 1024, std::byte{1})), 65536);
  EXPECT_FALSE(SendCopyData(peer, 0, 0, std::vector<std::byte>(64 * 1024 + 1)).has_value())
      << "larger than a window message carries";
  // A plain SendMessage with a COPYDATASTRUCT carries the bytes too.
  const unsigned char three[] = {1, 2, 3};
  COPYDATASTRUCT cds{10, 3, three};
  EXPECT_EQ(SendMessage(peer, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds)), 16);

  ASSERT_TRUE(PostMessage(peer, WM_CLOSE, 0, 0));
  EXPECT_EQ(child.wait(), 5);
  EXPECT_FALSE(IsWindow(peer));
  EXPECT_EQ(FindWindow("Peer"), kNoWindow);
  EXPECT_FALSE(SendMessageChecked(peer, WM_USER, 1, 0).has_value());
  EXPECT_EQ(filesNamed('w'), 1u) << "only the parent's socket is left";
}

TEST_F(CrossProcessMessageTest, SendToAPeerKilledWhileHandlingFailsAtOnce) {
  SyncPipe ready, handling;
  ChildProcess child([&] {
    CreateWindow("Stuck", [&](HWND, UINT m, WPARAM, LPARAM) -> LRESULT {
      if (m == WM_USER) {
        handling.signal();
        for (;;) ::pause();
      }
      return 0;
    });
    ready.signal();
    return RunMessageLoop();
  });
  ASSERT_EQ(ready.wait(), 1);
  HWND stuck = FindWindow("Stuck");
  ASSERT_NE(stuck, kNoWindow);
  std::chrono::steady_clock::time_point killedAt;
  std::thread killer([&] {
    handling.wait();
    killedAt = std::chrono::steady_clock::now();
    child.kill();
  });
  auto result = SendMessageChecked(stuck, WM_USER, 0, 0);
  auto failedAt = std::chrono::steady_clock::now();
  killer.join();
  EXPECT_FALSE(result.has_value());
  EXPECT_LT(failedAt - killedAt, std::chrono::milliseconds(500));
  child.wait();
  EXPECT_FALSE(SendMessageChecked(stuck, WM_USER, 0, 0).has_value());
  EXPECT_FALSE(PostMessage(stuck, WM_USER, 0, 0));
}

TEST_F(CrossProcessMessageTest, LeftoversOfACrashedProcessAreCleanedUp) {
  SyncPipe ready;
  ChildProcess child([&] {
    CreateWindow("Crasher", [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; });
    ready.signal();
    for (;;) ::pause();
    return 0;
  });
  ASSERT_EQ(ready.wait(), 1);
  HWND crashed = FindWindow("Crasher");
  ASSERT_NE(crashed, kNoWindow);
  child.kill();
  child.wait();
  EXPECT_EQ(filesNamed('w'), 1u);
  EXPECT_EQ(filesNamed('t'), 1u);
  EXPECT_EQ(FindWindow("crasher"), kNoWindow);
  EXPECT_EQ(filesNamed('w'), 0u);
  EXPECT_EQ(filesNamed('t'), 0u);
  EXPECT_FALSE(IsWindow(crashed));
  // The title is free for a new window.
  auto again = window("Crasher", [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; });
  EXPECT_EQ(FindWindow("Crasher"), again);
}

TEST_F(CrossProcessMessageTest, TwoProgramsSendingToEachOtherAtOnceDoNotDeadlock) {
  constexpr int kRounds = 200;
  int parentGot = 0;
  bool childDone = false;
  auto parent = window("Parent", [&](HWND, UINT m, WPARAM wp, LPARAM) -> LRESULT {
    if (m == WM_USER + 1) childDone = true;
    if (m != WM_USER) return 0;
    ++parentGot;
    return static_cast<LRESULT>(wp + 1);
  });
  SyncPipe ready, go;
  ChildProcess child([&] {
    int childGot = 0;
    bool closed = false;
    CreateWindow("Child", [&](HWND, UINT m, WPARAM wp, LPARAM) -> LRESULT {
      if (m == WM_CLOSE) closed = true;
      if (m != WM_USER) return 0;
      ++childGot;
      return static_cast<LRESULT>(wp + 2);
    });
    ready.signal();
    go.wait();
    HWND parentWindow = FindWindow("Parent");
    for (int i = 0; i < kRounds; ++i)
      if (SendMessage(parentWindow, WM_USER, static_cast<WPARAM>(i), 0) != i + 1) return 2;
    PostMessage(parentWindow, WM_USER + 1, 0, 0);
    MSG msg;
    while (!closed && GetMessage(msg)) DispatchMessage(msg);
    return childGot == kRounds ? 0 : 3;
  });
  ASSERT_EQ(ready.wait(), 1);
  HWND peer = FindWindow("Child");
  go.signal();
  int answered = 0;
  for (int i = 0; i < kRounds; ++i)
    if (SendMessage(peer, WM_USER, static_cast<WPARAM>(i), 0) == i + 2) ++answered;
  EXPECT_EQ(answered, kRounds);
  // Sent messages are handled inside GetMessage; the child's post says it
  // has finished.
  loopUntil([&] { return childDone; });
  EXPECT_EQ(parentGot, kRounds);
  PostMessage(peer, WM_CLOSE, 0, 0);
  EXPECT_EQ(child.wait(), 0);
}

TEST_F(CrossProcessMessageTest, NestedSendsBetweenProcessesReenterTheWaitingSender) {
  auto parent = window("Parent", [&](HWND, UINT m, WPARAM wp, LPARAM) -> LRESULT {
    return m == WM_USER + 3 ? static_cast<LRESULT>(wp * 10) : 0;
  });
  SyncPipe ready;
  ChildProcess child([&] {
    CreateWindow("Child", [](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
      // Asks the parent (which waits in its own send) before answering.
      if (m == WM_USER) return SendMessage(static_cast<HWND>(lp), WM_USER + 3, wp, 0) + 1;
      if (m == WM_CLOSE) PostQuitMessage(0);
      return DefWindowProc(h, m, wp, lp);
    });
    ready.signal();
    return RunMessageLoop();
  });
  ASSERT_EQ(ready.wait(), 1);
  HWND peer = FindWindow("Child");
  EXPECT_EQ(SendMessage(peer, WM_USER, 4, static_cast<LPARAM>(static_cast<HWND>(parent))), 41);
  PostMessage(peer, WM_CLOSE, 0, 0);
  EXPECT_EQ(child.wait(), 0);
}

TEST_F(CrossProcessMessageTest, RegisteredMessagesHaveOneNumberInEveryProcess) {
  SyncPipe numbers;
  ChildProcess child([&] {
    numbers.send(RegisterWindowMessage("WM_CHORUS_MSG"));
    numbers.send(RegisterWindowMessage("WM_CHORUS_ACTIVE_STATUS_TO_CHORUS"));
    return 0;
  });
  UINT first = 0, second = 0;
  ASSERT_TRUE(numbers.receive(first));
  ASSERT_TRUE(numbers.receive(second));
  EXPECT_EQ(child.wait(), 0);
  EXPECT_EQ(RegisterWindowMessage("wm_chorus_active_status_to_chorus"), second);
  EXPECT_EQ(RegisterWindowMessage("WM_CHORUS_MSG"), first);
  EXPECT_NE(first, second);
  for (UINT n : {first, second}) {
    EXPECT_GE(n, kFirstRegisteredMessage);
    EXPECT_LE(n, kLastRegisteredMessage);
  }
  const UINT third = RegisterWindowMessage("WM_CHORUS_AMBIENT_EVENT_LIGHT_FROM_CHORUS");
  EXPECT_NE(third, first);
  EXPECT_NE(third, second);
  EXPECT_EQ(RegisterWindowMessage(""), 0u);
  EXPECT_EQ(RegisterWindowMessage("two\nlines"), 0u);
}

TEST_F(CrossProcessMessageTest, BroadcastReachesEveryWindowOfEveryProcess) {
  int mine = 0;
  std::vector<WPARAM> answers;
  auto parent = window("Parent", [&](HWND, UINT m, WPARAM wp, LPARAM) -> LRESULT {
    if (m == WM_USER + 7) ++mine;
    if (m == WM_USER + 8) answers.push_back(wp);
    return 0;
  });
  auto untitled = window("", [&](HWND, UINT m, WPARAM, LPARAM) -> LRESULT {
    if (m == WM_USER + 7) ++mine;
    return 0;
  });
  std::vector<std::unique_ptr<ChildProcess>> children;
  std::vector<std::unique_ptr<SyncPipe>> readies;
  for (WPARAM id : {1, 2}) {
    readies.push_back(std::make_unique<SyncPipe>());
    SyncPipe& ready = *readies.back();
    children.push_back(std::make_unique<ChildProcess>([&ready, id] {
      CreateWindow("", [id](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m == WM_USER + 7) PostMessage(FindWindow("Parent"), WM_USER + 8, id * 10 + wp, 0);
        if (m == WM_USER + 9) return static_cast<LRESULT>(id);
        if (m == WM_CLOSE) PostQuitMessage(0);
        return DefWindowProc(h, m, wp, lp);
      });
      ready.signal();
      return RunMessageLoop();
    }));
  }
  for (auto& r : readies) ASSERT_EQ(r->wait(), 1);
  EXPECT_TRUE(PostMessage(HWND_BROADCAST, WM_USER + 7, 1, 0));
  loopUntil([&] { return answers.size() == 2 && mine == 2; });
  std::sort(answers.begin(), answers.end());
  EXPECT_EQ(answers, (std::vector<WPARAM>{11, 21}));
  EXPECT_EQ(SendMessage(HWND_BROADCAST, WM_USER + 7, 2, 0), 1);
  EXPECT_EQ(mine, 4) << "sent to this process's windows at once";
  loopUntil([&] { return answers.size() == 4; });
  PostMessage(HWND_BROADCAST, WM_CLOSE, 0, 0);
  for (auto& c : children) EXPECT_EQ(c->wait(), 0);
}

TEST_F(CrossProcessMessageTest, ConnectionFromAnotherUserIsRefused) {
  passwd* nobody = ::getpwnam("nobody");
  if (::geteuid() != 0 || !nobody || nobody->pw_uid == 0)
    GTEST_SKIP() << "needs root and a second user to run a peer as";
  int handled = 0;
  auto target = window("Guarded", [&](HWND, UINT m, WPARAM, LPARAM) -> LRESULT {
    if (m == WM_USER) ++handled;
    return 1;
  });
  // Open the way through the file system on purpose: only the peer check is
  // left to refuse the stranger.
  const std::string socketPath = runtimeFolder() + "/w" + [&] {
    char buf[17];
    std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(HWND(target)));
    return std::string(buf);
  }();
  ASSERT_EQ(::chmod(base_.c_str(), 0777), 0);
  ASSERT_EQ(::chmod(runtimeFolder().c_str(), 0777), 0);
  ASSERT_EQ(::chmod(socketPath.c_str(), 0777), 0);
  const uid_t uid = nobody->pw_uid;
  const gid_t gid = nobody->pw_gid;
  ChildProcess stranger([&] {
    if (::setgid(gid) != 0 || ::setuid(uid) != 0) return 10;
    int fd = ::socket(AF_UNIX, SOCK_SEQPACKET, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", socketPath.c_str());
    if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) return 11;
    unsigned char frame[64] = {};
    const std::uint32_t magic = 0x4D4B5356;
    const std::uint16_t version = 1, kind = 2;
    const HWND to = target;
    const std::uint32_t msg = WM_USER;
    std::memcpy(frame, &magic, 4);
    std::memcpy(frame + 4, &version, 2);
    std::memcpy(frame + 6, &kind, 2);
    std::memcpy(frame + 8, &to, 8);
    std::memcpy(frame + 24, &msg, 4);
    if (::send(fd, frame, sizeof frame, MSG_NOSIGNAL) != sizeof frame) return 0;  // refused early
    unsigned char reply[64];
    return ::recv(fd, reply, sizeof reply, 0) <= 0 ? 0 : 12;  // closed without an answer
  });
  std::atomic<int> exitCode{-1};
  const ThreadId me = GetCurrentThreadId();
  std::thread reaper([&] {
    exitCode = stranger.wait();
    PostThreadMessage(me, WM_QUIT, 0, 0);
  });
  RunMessageLoop();
  reaper.join();
  EXPECT_EQ(exitCode, 0);
  EXPECT_EQ(handled, 0);
  // The window still serves its own user.
  EXPECT_EQ(SendMessage(target, WM_USER, 0, 0), 1);
}

}  // namespace
