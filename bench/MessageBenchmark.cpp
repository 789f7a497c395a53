// Cross-process message costs against the physical limit: a raw Unix-socket
// ping-pong and a raw one-way stream between the same two processes.
//
//   vesk-bench-messages [ROUND_TRIPS [POSTS]]
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "platform/Window.h"

using namespace platform;
using Clock = std::chrono::steady_clock;

namespace {

constexpr std::size_t kFrameBytes = 64;  // the size of one message frame
constexpr UINT kPing = WM_USER;
constexpr UINT kPosted = WM_USER + 1;
constexpr UINT kAllPostsSeen = WM_USER + 2;

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void readFull(int fd, void* buf, std::size_t n) {
  if (::read(fd, buf, n) != static_cast<ssize_t>(n)) std::exit(3);
}
void writeFull(int fd, const void* buf, std::size_t n) {
  if (::write(fd, buf, n) != static_cast<ssize_t>(n)) std::exit(3);
}

// The child: echoes raw frames, swallows a raw stream, then serves a window.
int runChild(int sock, long roundTrips, long posts) {
  char frame[kFrameBytes];
  for (long i = 0; i < roundTrips + 1000; ++i) {
    readFull(sock, frame, sizeof frame);
    writeFull(sock, frame, sizeof frame);
  }
  for (long i = 0; i < posts; ++i) readFull(sock, frame, sizeof frame);
  writeFull(sock, frame, sizeof frame);

  long seen = 0;
  HWND w = CreateWindow("Vesk Bench Peer", [&](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
    if (m == kPing) return static_cast<LRESULT>(wp + 1);
    if (m == kPosted && ++seen == posts) PostMessage(static_cast<HWND>(lp), kAllPostsSeen, 0, 0);
    if (m == WM_CLOSE) PostQuitMessage(0);
    return DefWindowProc(h, m, wp, lp);
  });
  if (w == kNoWindow) return 2;
  writeFull(sock, frame, 1);
  return RunMessageLoop();
}

}  // namespace

int main(int argc, char** argv) {
  const long roundTrips = argc > 1 ? std::atol(argv[1]) : 20000;
  const long posts = argc > 2 ? std::atol(argv[2]) : 200000;
  char folder[] = "/tmp/vesk-bench-XXXXXX";
  if (!::mkdtemp(folder)) return 1;
  ::setenv("XDG_RUNTIME_DIR", folder, 1);

  int pair[2];
  if (::socketpair(AF_UNIX, SOCK_SEQPACKET, 0, pair) != 0) return 1;
  pid_t child = ::fork();
  if (child == 0) {
    ::close(pair[0]);
    ::_exit(runChild(pair[1], roundTrips, posts));
  }
  ::close(pair[1]);
  const int sock = pair[0];
  char frame[kFrameBytes] = {};

  // Raw ping-pong.
  for (int i = 0; i < 1000; ++i) {
    writeFull(sock, frame, sizeof frame);
    readFull(sock, frame, sizeof frame);
  }
  auto start = Clock::now();
  for (long i = 0; i < roundTrips; ++i) {
    writeFull(sock, frame, sizeof frame);
    readFull(sock, frame, sizeof frame);
  }
  const double rawRoundTripUs = secondsSince(start) * 1e6 / static_cast<double>(roundTrips);

  // Raw one-way stream, acknowledged once at the end.
  start = Clock::now();
  for (long i = 0; i < posts; ++i) writeFull(sock, frame, sizeof frame);
  readFull(sock, frame, sizeof frame);
  const double rawPerSecond = static_cast<double>(posts) / secondsSince(start);

  readFull(sock, frame, 1);  // the child's window exists
  bool allSeen = false;
  HWND self = CreateWindow("Vesk Bench", [&](HWND, UINT m, WPARAM, LPARAM) -> LRESULT {
    if (m == kAllPostsSeen) allSeen = true;
    return 0;
  });
  HWND peer = FindWindow("Vesk Bench Peer");
  if (peer == kNoWindow) return 1;

  // Synchronous round trips.
  for (int i = 0; i < 1000; ++i) SendMessage(peer, kPing, 1, 0);
  start = Clock::now();
  for (long i = 0; i < roundTrips; ++i)
    if (SendMessage(peer, kPing, static_cast<WPARAM>(i), 0) != i + 1) return 1;
  const double sendRoundTripUs = secondsSince(start) * 1e6 / static_cast<double>(roundTrips);

  // Posted messages until the peer has handled them all.
  start = Clock::now();
  for (long i = 0; i < posts; ++i)
    if (!PostMessage(peer, kPosted, static_cast<WPARAM>(i), static_cast<LPARAM>(self))) return 1;
  MSG msg;
  while (!allSeen && GetMessage(msg)) DispatchMessage(msg);
  const double postsPerSecond = static_cast<double>(posts) / secondsSince(start);

  PostMessage(peer, WM_CLOSE, 0, 0);
  int status = 0;
  ::waitpid(child, &status, 0);
  DestroyWindow(self);
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);

  std::printf("cross-process message layer vs raw Unix socket (%zu-byte frames)\n", kFrameBytes);
  std::printf("  synchronous round trip: %8.2f us   raw ping-pong: %8.2f us   ratio %.2f (target <= 2)\n",
              sendRoundTripUs, rawRoundTripUs, sendRoundTripUs / rawRoundTripUs);
  std::printf("  posted messages:        %8.0f /s   raw stream:    %8.0f /s   (target >= 100000 /s)\n",
              postsPerSecond, rawPerSecond);
  const bool ok = sendRoundTripUs <= 2 * rawRoundTripUs && postsPerSecond >= 100000;
  std::printf("  %s\n", ok ? "targets met" : "TARGETS MISSED");
  return ok ? 0 : 4;
}
