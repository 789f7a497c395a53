// Cross-process message costs against the physical limit: a raw Unix-socket
// ping-pong and a raw one-way stream between the same two processes. The
// measurements alternate in rounds and the best round of each counts, so a
// busy machine disturbs both sides alike.
//
//   vesk-bench-messages [ROUNDS [ROUND_TRIPS [POSTS]]]
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "platform/Window.h"

using namespace platform;
using Clock = std::chrono::steady_clock;

namespace {

constexpr std::size_t kFrameBytes = 64;  // the size of one message frame
constexpr UINT kPing = WM_USER;
constexpr UINT kPosted = WM_USER + 1;
constexpr UINT kAllPostsSeen = WM_USER + 2;
constexpr UINT kRawPhase = WM_USER + 3;
// First byte of a raw frame.
constexpr char kRawPing = 'P', kRawData = 'D', kRawAck = 'A';

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void readFull(int fd, void* buf, std::size_t n) {
  if (::read(fd, buf, n) != static_cast<ssize_t>(n)) std::exit(3);
}
void writeFull(int fd, const void* buf, std::size_t n) {
  if (::write(fd, buf, n) != static_cast<ssize_t>(n)) std::exit(3);
}

// The raw side of the child, run by the same thread that serves the window
// so that both sides of the comparison are scheduled alike: echoes pings,
// swallows data and acknowledges it.
void rawPhase(int sock, long pings) {
  char frame[kFrameBytes];
  for (long i = 0; i < pings; ++i) {
    readFull(sock, frame, sizeof frame);
    writeFull(sock, frame, sizeof frame);
  }
  do readFull(sock, frame, sizeof frame);
  while (frame[0] != kRawAck);
  writeFull(sock, frame, sizeof frame);
}

// The child: one window served by its message loop.
int runChild(int sock, long posts) {
  HWND w = CreateWindow("Vesk Bench Peer", [&](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
    if (m == kPing) return static_cast<LRESULT>(wp + 1);
    if (m == kPosted && static_cast<long>(wp) == posts - 1)
      PostMessage(static_cast<HWND>(lp), kAllPostsSeen, 0, 0);
    if (m == kRawPhase) rawPhase(sock, static_cast<long>(wp));
    if (m == WM_CLOSE) PostQuitMessage(0);
    return DefWindowProc(h, m, wp, lp);
  });
  if (w == kNoWindow) return 2;
  char ready = 1;
  writeFull(sock, &ready, 1);
  return RunMessageLoop();
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 15;
  const long roundTrips = argc > 2 ? std::atol(argv[2]) : 3000;
  const long posts = argc > 3 ? std::atol(argv[3]) : 30000;
  if (rounds < 1 || roundTrips < 1 || posts < 1) {
    std::fprintf(stderr, "usage: vesk-bench-messages [ROUNDS [ROUND_TRIPS [POSTS]]]\n");
    return 2;
  }
  char folder[] = "/tmp/vesk-bench-XXXXXX";
  if (!::mkdtemp(folder)) return 1;
  ::setenv("XDG_RUNTIME_DIR", folder, 1);

  int pair[2];
  if (::socketpair(AF_UNIX, SOCK_SEQPACKET, 0, pair) != 0) return 1;
  pid_t child = ::fork();
  if (child == 0) {
    ::close(pair[0]);
    ::_exit(runChild(pair[1], posts));
  }
  ::close(pair[1]);
  const int sock = pair[0];
  char frame[kFrameBytes] = {};
  readFull(sock, frame, 1);  // the child's window exists

  bool allSeen = false;
  HWND self = CreateWindow("Vesk Bench", [&](HWND, UINT m, WPARAM, LPARAM) -> LRESULT {
    if (m == kAllPostsSeen) allSeen = true;
    return 0;
  });
  HWND peer = FindWindow("Vesk Bench Peer");
  if (peer == kNoWindow) return 1;

  double rawRoundTrip = 1e9, sendRoundTrip = 1e9;  // seconds per round trip
  double rawRate = 0, postRate = 0;                // messages per second
  for (int round = 0; round < rounds; ++round) {
    PostMessage(peer, kRawPhase, static_cast<WPARAM>(roundTrips), 0);
    frame[0] = kRawPing;
    auto start = Clock::now();
    for (long i = 0; i < roundTrips; ++i) {
      writeFull(sock, frame, sizeof frame);
      readFull(sock, frame, sizeof frame);
    }
    rawRoundTrip = std::min(rawRoundTrip, secondsSince(start) / static_cast<double>(roundTrips));

    start = Clock::now();
    frame[0] = kRawData;
    for (long i = 0; i < posts; ++i) writeFull(sock, frame, sizeof frame);
    frame[0] = kRawAck;
    writeFull(sock, frame, sizeof frame);
    readFull(sock, frame, sizeof frame);
    rawRate = std::max(rawRate, static_cast<double>(posts) / secondsSince(start));

    start = Clock::now();
    for (long i = 0; i < roundTrips; ++i)
      if (SendMessage(peer, kPing, static_cast<WPARAM>(i), 0) != i + 1) return 1;
    sendRoundTrip = std::min(sendRoundTrip, secondsSince(start) / static_cast<double>(roundTrips));

    start = Clock::now();
    allSeen = false;
    for (long i = 0; i < posts; ++i)
      if (!PostMessage(peer, kPosted, static_cast<WPARAM>(i), static_cast<LPARAM>(self))) return 1;
    MSG msg;
    while (!allSeen && GetMessage(msg)) DispatchMessage(msg);
    postRate = std::max(postRate, static_cast<double>(posts) / secondsSince(start));
  }

  PostMessage(peer, WM_CLOSE, 0, 0);
  int status = 0;
  ::waitpid(child, &status, 0);
  DestroyWindow(self);
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);

  std::printf("message layer vs raw Unix socket, %zu-byte frames, best of %d rounds\n", kFrameBytes,
              rounds);
  std::printf(
      "  synchronous round trip: %8.2f us   raw ping-pong: %8.2f us   ratio %.2f (target <= 2)\n",
      sendRoundTrip * 1e6, rawRoundTrip * 1e6, sendRoundTrip / rawRoundTrip);
  std::printf(
      "  posted messages:        %8.0f /s   raw stream:    %8.0f /s   (target >= 100000 /s)\n",
      postRate, rawRate);
  const bool ok = sendRoundTrip <= 2 * rawRoundTrip && postRate >= 100000;
  std::printf("  %s\n", ok ? "targets met" : "TARGETS MISSED");
  return ok ? 0 : 4;
}
