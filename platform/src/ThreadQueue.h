#pragma once

#include <sys/types.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <unordered_map>
#include <vector>

#include "PendingSend.h"
#include "WireFrame.h"
#include "platform/Window.h"

namespace platform::detail {

// The message queue of one thread: posted messages, thread messages, WM_QUIT,
// timers, synchronous messages from other threads, and the sockets of the
// thread's windows. Everything is watched by one epoll fd (the thread's
// MessageLoopFd): a wake eventfd for the other threads, a timerfd for real
// timer deadlines and the sockets.
//
// Methods marked "any thread" lock; the rest belong to the owning thread.
class ThreadQueue : public std::enable_shared_from_this<ThreadQueue> {
 public:
  ThreadQueue();
  ~ThreadQueue();
  ThreadQueue(const ThreadQueue&) = delete;
  ThreadQueue& operator=(const ThreadQueue&) = delete;

  ThreadId id() const { return id_; }
  pid_t pid() const { return pid_; }
  int loopFd() const { return epollFd_; }
  bool valid() const { return epollFd_ >= 0 && wakeFd_ >= 0 && timerFd_ >= 0; }

  // A thread's queue holds at most this many posted messages; a post beyond
  // fails, while sent messages are still served.
  static constexpr std::size_t kMaxPostedMessages = 10000;

  // --- any thread ---
  // wakeOwner false: the caller is the owner and looks at the queue next.
  bool post(const MSG& msg, bool wakeOwner = true);
  void postQuit(int exitCode);
  bool enqueueSend(const std::shared_ptr<PendingSend>& send);
  void wake();
  void setTimer(HWND hwnd, std::uintptr_t id, std::int64_t periodMs);
  bool killTimer(HWND hwnd, std::uintptr_t id);
  void killTimersOf(HWND hwnd);
  // Refuses further messages and fails the sends still waiting (thread end).
  void close();

  // --- owning thread ---
  // Next message for GetMessage/PeekMessage (WM_QUIT included). Handles
  // synchronous messages on the way. With wait it blocks until there is one.
  bool fetch(MSG& out, bool wait);
  // Handles incoming sends and socket traffic until done() holds; used while
  // this thread waits for another thread of the process to answer.
  template <typename Done>
  void waitUntil(Done done) {
    while (!done()) {
      dispatchPendingSends();
      if (done()) break;
      serviceSources(-1);
    }
    rearmIfPending();
  }
  // Handles sockets that are ready; waits up to timeoutMs (-1: no limit).
  void serviceSources(int timeoutMs);
  void dispatchPendingSends();
  // Keeps the loop fd readable while messages are queued.
  void rearmIfPending();
  // Earliest timer deadline, if any.
  std::optional<std::int64_t> nextDeadline();

  // Sockets of the thread's windows (owning thread).
  std::uint64_t addListener(int fd, HWND window);
  void removeEndpointsOf(HWND window);
  // Cached connections to windows of other processes. A link stays open
  // while someone holds it, even after it was dropped from the cache.
  struct Link {
    explicit Link(int f) : fd(f) {}
    ~Link();
    Link(const Link&) = delete;
    Link& operator=(const Link&) = delete;
    int fd;
  };
  std::shared_ptr<Link> outgoing(HWND target) const;
  void setOutgoing(HWND target, std::shared_ptr<Link> link);
  void dropOutgoing(HWND target);
  std::uint64_t nextSequence() { return ++sequence_; }

  // In a child after fork: closes every fd without touching files or peers.
  void abandonAfterFork();

 private:
  struct Timer {
    HWND hwnd;
    std::uintptr_t id;
    std::int64_t period;
    std::int64_t due;
    std::uint64_t order;
  };
  struct Endpoint {
    enum class Kind { Listener, Incoming } kind;
    int fd;
    HWND window;
    // A send from this connection is being handled; closing waits for its
    // reply to be written.
    int busy = 0;
    bool closing = false;
    std::deque<std::vector<std::byte>> stash;
  };
  static constexpr std::uint64_t kWakeKey = 1;
  static constexpr std::uint64_t kTimerKey = 2;

  bool takeDueTimer(MSG& out);
  void armTimerFdLocked();
  void acceptAll(std::uint64_t listenerKey);
  void readIncoming(std::uint64_t key);
  bool handleFrame(std::uint64_t key, std::span<const std::byte> bytes);
  void removeEndpoint(std::uint64_t key);
  void replyAndRelease(std::uint64_t key, const WireFrame& reply);

  const ThreadId id_;
  const pid_t pid_;
  int epollFd_ = -1;
  int wakeFd_ = -1;
  int timerFd_ = -1;

  std::mutex mutex_;
  std::deque<MSG> posted_;
  std::deque<std::shared_ptr<PendingSend>> sends_;
  std::vector<Timer> timers_;
  std::uint64_t timerOrder_ = 0;
  bool quitPending_ = false;
  int quitCode_ = 0;
  bool closed_ = false;
  bool wakePending_ = false;

  std::unordered_map<std::uint64_t, Endpoint> endpoints_;
  std::uint64_t nextKey_ = 16;
  std::unordered_map<HWND, std::shared_ptr<Link>> outgoing_;
  std::uint64_t sequence_ = 0;
  static constexpr int kFetchesPerPoll = 32;
  int unpolledFetches_ = 0;
  static constexpr std::size_t kReceiveBatch = 32;
  std::unique_ptr<std::byte[]> receiveSlots_;
};

}  // namespace platform::detail
