#include "WindowTable.h"

#include <pthread.h>
#include <sys/random.h>
#include <unistd.h>

#include "MessageLoopWake.h"

namespace platform::detail {
namespace {

struct ThreadQueueHolder {
  std::shared_ptr<ThreadQueue> queue;
  ~ThreadQueueHolder() {
    if (queue && queue->pid() == WindowTable::instance().processId())
      WindowTable::instance().endThread(queue);
  }
};

thread_local ThreadQueueHolder currentThreadQueue;

std::uint32_t randomSerialStart() {
  std::uint32_t v = 0;
  if (::getrandom(&v, sizeof v, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof v)) {
    v = static_cast<std::uint32_t>(::getpid()) * 2654435761u;
  }
  return v;
}

// Handles are positive 32-bit values above the reserved ones (0, the
// broadcast handle), so a program that keeps one in a signed 32-bit field
// gets it back unchanged.
constexpr std::uint32_t kFirstHandle = 0x10000;
constexpr std::uint32_t kHandleCount = 0x80000000u - kFirstHandle;

}  // namespace

WindowTable& WindowTable::instance() {
  // Never destroyed: threads ending during exit still find it.
  static WindowTable* table = [] {
    auto* t = new WindowTable;
    ::pthread_atfork([] { instance().mutex_.lock(); }, [] { instance().mutex_.unlock(); },
                     [] {
                       instance().mutex_.unlock();
                       instance().resetAfterFork();
                     });
    return t;
  }();
  return *table;
}

WindowTable::WindowTable() : nextSerial_(randomSerialStart()), pid_(::getpid()) {}

std::shared_ptr<ThreadQueue> WindowTable::currentQueue() {
  auto& held = currentThreadQueue.queue;
  if (held && held->pid() == pid_) return held;
  if (held) held->abandonAfterFork();
  held = std::make_shared<ThreadQueue>();
  std::lock_guard lock(mutex_);
  queues_[held->id()] = held;
  return held;
}

std::shared_ptr<ThreadQueue> WindowTable::queueOf(ThreadId thread) {
  std::lock_guard lock(mutex_);
  auto it = queues_.find(thread);
  return it == queues_.end() ? nullptr : it->second.lock();
}

HWND WindowTable::newHandle() {
  std::lock_guard lock(mutex_);
  // A pseudo-random walk over the handle range from a random start: handles
  // of different processes rarely meet, and the runtime folder settles the
  // rest (see listenForWindow).
  for (;;) {
    nextSerial_ = nextSerial_ * 1664525u + 1013904223u;
    const HWND candidate = kFirstHandle + (nextSerial_ >> 1) % kHandleCount;
    if (windows_.find(candidate) == windows_.end()) return candidate;
  }
}

void WindowTable::add(const std::shared_ptr<WindowRecord>& window) {
  std::lock_guard lock(mutex_);
  windows_[window->hwnd] = window;
}

std::shared_ptr<WindowRecord> WindowTable::find(HWND hwnd) {
  std::lock_guard lock(mutex_);
  auto it = windows_.find(hwnd);
  return it == windows_.end() ? nullptr : it->second;
}

void WindowTable::remove(HWND hwnd) {
  std::shared_ptr<WindowRecord> gone;  // released outside the lock
  std::lock_guard lock(mutex_);
  auto it = windows_.find(hwnd);
  if (it == windows_.end()) return;
  gone = std::move(it->second);
  windows_.erase(it);
}

std::vector<std::shared_ptr<WindowRecord>> WindowTable::windows() {
  std::lock_guard lock(mutex_);
  std::vector<std::shared_ptr<WindowRecord>> all;
  all.reserve(windows_.size());
  for (auto& [h, w] : windows_) all.push_back(w);
  return all;
}

std::vector<std::shared_ptr<WindowRecord>> WindowTable::windowsOf(ThreadId thread) {
  std::lock_guard lock(mutex_);
  std::vector<std::shared_ptr<WindowRecord>> mine;
  for (auto& [h, w] : windows_)
    if (w->ownerThread == thread) mine.push_back(w);
  return mine;
}

void WindowTable::forEachQueue(const std::function<void(ThreadQueue&)>& fn) {
  std::vector<std::shared_ptr<ThreadQueue>> live;
  {
    std::lock_guard lock(mutex_);
    for (auto& [id, q] : queues_)
      if (auto s = q.lock()) live.push_back(std::move(s));
  }
  for (auto& q : live) fn(*q);
}

void WindowTable::endThread(const std::shared_ptr<ThreadQueue>& queue) {
  for (auto& w : windowsOf(queue->id())) releaseWindow(w, *queue);
  queue->close();
  std::lock_guard lock(mutex_);
  queues_.erase(queue->id());
}

void WindowTable::resetAfterFork() {
  // Only the forking thread lives on. Every inherited socket must be closed,
  // or the parent's windows would seem alive to their peers after it died.
  for (auto& [id, q] : queues_)
    if (auto s = q.lock()) s->abandonAfterFork();
  queues_.clear();
  // The parent's windows are forgotten but not destroyed: their handlers
  // may hold objects whose destructors must not run twice (once here).
  static std::vector<std::shared_ptr<WindowRecord>>* inheritedWindows = nullptr;
  if (!inheritedWindows) inheritedWindows = new std::vector<std::shared_ptr<WindowRecord>>;
  for (auto& [h, w] : windows_) {
    w->alive = false;
    inheritedWindows->push_back(std::move(w));
  }
  windows_.clear();
  nextSerial_ = randomSerialStart();
  pid_ = ::getpid();
}

void wakeAllMessageLoops() {
  WindowTable::instance().forEachQueue([](ThreadQueue& q) { q.wake(); });
}

}  // namespace platform::detail
