#include "ThreadQueue.h"

#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/syscall.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "WindowTable.h"
#include "platform/Clock.h"
#include "platform/VirtualClock.h"

namespace platform::detail {
namespace {

// Windows never fires a timer faster than this; neither do we, so a zero
// period cannot spin a loop.
constexpr std::int64_t kMinTimerPeriodMs = 10;

VirtualClock* virtualClock() { return dynamic_cast<VirtualClock*>(&clock()); }

void addToEpoll(int epollFd, int fd, std::uint64_t key) {
  epoll_event ev{};
  ev.events = EPOLLIN;
  ev.data.u64 = key;
  ::epoll_ctl(epollFd, EPOLL_CTL_ADD, fd, &ev);
}

}  // namespace

ThreadQueue::ThreadQueue() : id_(static_cast<ThreadId>(::syscall(SYS_gettid))), pid_(::getpid()) {
  epollFd_ = ::epoll_create1(EPOLL_CLOEXEC);
  wakeFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  timerFd_ = ::timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC | TFD_NONBLOCK);
  if (valid()) {
    addToEpoll(epollFd_, wakeFd_, kWakeKey);
    addToEpoll(epollFd_, timerFd_, kTimerKey);
  }
}

ThreadQueue::~ThreadQueue() {
  for (auto& [key, ep] : endpoints_) ::close(ep.fd);
  for (int fd : {epollFd_, wakeFd_, timerFd_})
    if (fd >= 0) ::close(fd);
}

void ThreadQueue::abandonAfterFork() {
  for (auto& [key, ep] : endpoints_) ::close(ep.fd);
  endpoints_.clear();
  outgoing_.clear();
  for (int* fd : {&epollFd_, &wakeFd_, &timerFd_}) {
    if (*fd >= 0) ::close(*fd);
    *fd = -1;
  }
  closed_ = true;
}

void ThreadQueue::wake() {
  {
    std::lock_guard lock(mutex_);
    if (wakePending_) return;
    wakePending_ = true;
  }
  std::uint64_t one = 1;
  if (wakeFd_ >= 0) [[maybe_unused]]
    auto n = ::write(wakeFd_, &one, sizeof one);
}

bool ThreadQueue::post(const MSG& msg, bool wakeOwner) {
  {
    std::lock_guard lock(mutex_);
    if (closed_ || posted_.size() >= kMaxPostedMessages) return false;
    posted_.push_back(msg);
  }
  if (wakeOwner) wake();
  return true;
}

void ThreadQueue::postQuit(int exitCode) {
  {
    std::lock_guard lock(mutex_);
    quitPending_ = true;
    quitCode_ = exitCode;
  }
  wake();
}

bool ThreadQueue::enqueueSend(const std::shared_ptr<PendingSend>& send) {
  {
    std::lock_guard lock(mutex_);
    if (closed_) return false;
    sends_.push_back(send);
  }
  wake();
  return true;
}

void ThreadQueue::close() {
  std::deque<std::shared_ptr<PendingSend>> failed;
  {
    std::lock_guard lock(mutex_);
    closed_ = true;
    failed.swap(sends_);
    posted_.clear();
    timers_.clear();
  }
  for (auto& s : failed) {
    s->state = PendingSend::kFailed;
    if (s->sender) s->sender->wake();
  }
}

void ThreadQueue::setTimer(HWND hwnd, std::uintptr_t id, std::int64_t periodMs) {
  periodMs = std::max(periodMs, kMinTimerPeriodMs);
  const std::int64_t due = clock().now() + periodMs;
  {
    std::lock_guard lock(mutex_);
    auto it = std::find_if(timers_.begin(), timers_.end(),
                           [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
    if (it != timers_.end()) {
      it->period = periodMs;
      it->due = due;
      it->order = timerOrder_++;
    } else {
      timers_.push_back(Timer{hwnd, id, periodMs, due, timerOrder_++});
    }
    armTimerFdLocked();
  }
  wake();
}

bool ThreadQueue::killTimer(HWND hwnd, std::uintptr_t id) {
  std::lock_guard lock(mutex_);
  auto it = std::find_if(timers_.begin(), timers_.end(),
                         [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
  if (it == timers_.end()) return false;
  timers_.erase(it);
  armTimerFdLocked();
  return true;
}

void ThreadQueue::killTimersOf(HWND hwnd) {
  std::lock_guard lock(mutex_);
  std::erase_if(timers_, [&](const Timer& t) { return t.hwnd == hwnd; });
  armTimerFdLocked();
}

std::optional<std::int64_t> ThreadQueue::nextDeadline() {
  std::lock_guard lock(mutex_);
  std::optional<std::int64_t> next;
  for (auto& t : timers_)
    if (!next || t.due < *next) next = t.due;
  return next;
}

// The timerfd makes the loop fd readable when a real deadline passes, for
// loops that wait in Qt rather than in GetMessage. Under a virtual clock the
// clock's advance wakes the loop instead.
void ThreadQueue::armTimerFdLocked() {
  if (timerFd_ < 0) return;
  itimerspec spec{};
  if (!virtualClock() && !timers_.empty()) {
    std::int64_t next = timers_.front().due;
    for (auto& t : timers_) next = std::min(next, t.due);
    std::int64_t in = std::max<std::int64_t>(next - clock().now(), 0) + 1;
    spec.it_value.tv_sec = in / 1000;
    spec.it_value.tv_nsec = (in % 1000) * 1000000;
  }
  ::timerfd_settime(timerFd_, 0, &spec, nullptr);
}

bool ThreadQueue::takeDueTimer(MSG& out) {
  std::lock_guard lock(mutex_);
  const std::int64_t now = clock().now();
  Timer* best = nullptr;
  for (auto& t : timers_) {
    if (t.due > now) continue;
    if (!best || t.due < best->due || (t.due == best->due && t.order < best->order)) best = &t;
  }
  if (!best) return false;
  out = MSG{best->hwnd, WM_TIMER, best->id, 0};
  best->due += best->period;
  // Real time: a late loop gets one WM_TIMER, not a burst. Virtual time: one
  // per period passed, so a test's advance() counts ticks exactly.
  if (best->due <= now && !virtualClock()) best->due = now + best->period;
  armTimerFdLocked();
  return true;
}

void ThreadQueue::dispatchPendingSends() {
  for (;;) {
    std::shared_ptr<PendingSend> send;
    {
      std::lock_guard lock(mutex_);
      if (sends_.empty()) return;
      send = std::move(sends_.front());
      sends_.pop_front();
    }
    auto result = callHandler(send->hwnd, send->msg, send->wParam, send->lParam);
    send->result = result.value_or(0);
    send->state = result ? PendingSend::kDone : PendingSend::kFailed;
    if (send->sender) send->sender->wake();
  }
}

void ThreadQueue::rearmIfPending() {
  bool pending;
  {
    std::lock_guard lock(mutex_);
    pending = !posted_.empty() || !sends_.empty() || quitPending_;
  }
  if (pending) wake();
}

void ThreadQueue::serviceSources(int timeoutMs) {
  if (epollFd_ < 0) return;
  epoll_event events[32];
  int n = ::epoll_wait(epollFd_, events, 32, timeoutMs);
  for (int i = 0; i < n; ++i) {
    const std::uint64_t key = events[i].data.u64;
    if (key == kWakeKey) {
      // Drain first, then allow the next wake: a wake that comes in between
      // is skipped, but the caller looks at the queue after this anyway.
      std::uint64_t v;
      [[maybe_unused]] auto r = ::read(wakeFd_, &v, sizeof v);
      std::lock_guard lock(mutex_);
      wakePending_ = false;
    } else if (key == kTimerKey) {
      std::uint64_t v;
      [[maybe_unused]] auto r = ::read(timerFd_, &v, sizeof v);
      // Armed again for whatever is due next, in case this expiry came a
      // hair before the clock's millisecond turned.
      std::lock_guard lock(mutex_);
      armTimerFdLocked();
    } else {
      // A handler run for an earlier event may have closed this endpoint.
      auto it = endpoints_.find(key);
      if (it == endpoints_.end() || it->second.closing) continue;
      if (it->second.kind == Endpoint::Kind::Listener) {
        acceptAll(key);
      } else {
        readIncoming(key);
      }
    }
  }
}

bool ThreadQueue::fetch(MSG& out, bool wait) {
  bool polled = false;
  for (;;) {
    // With posted messages already queued, the sockets are looked at only
    // every few messages: a backlog then costs no system call per message,
    // and a synchronous message still gets in promptly.
    bool backlog;
    {
      std::lock_guard lock(mutex_);
      backlog = !posted_.empty() && ++unpolledFetches_ < kFetchesPerPoll;
    }
    if (!polled && !backlog) {
      unpolledFetches_ = 0;
      serviceSources(0);
    }
    polled = false;
    dispatchPendingSends();
    {
      std::lock_guard lock(mutex_);
      if (!posted_.empty()) {
        out = posted_.front();
        posted_.pop_front();
        return true;
      }
      if (quitPending_) {
        quitPending_ = false;
        out = MSG{kNoWindow, WM_QUIT, static_cast<WPARAM>(quitCode_), 0};
        return true;
      }
    }
    if (takeDueTimer(out)) return true;
    if (!wait) return false;

    int timeoutMs = -1;
    if (auto next = nextDeadline()) {
      if (VirtualClock* vc = virtualClock()) {
        if (vc->autoAdvance()) {
          vc->advanceTo(*next);
          continue;
        }
      } else {
        std::int64_t in = *next - clock().now();
        timeoutMs = static_cast<int>(std::clamp<std::int64_t>(in, 0, 1 << 30));
      }
    }
    serviceSources(timeoutMs);
    polled = true;
  }
}

std::uint64_t ThreadQueue::addListener(int fd, HWND window) {
  const std::uint64_t key = nextKey_++;
  endpoints_[key] = Endpoint{Endpoint::Kind::Listener, fd, window, 0, false, {}};
  addToEpoll(epollFd_, fd, key);
  return key;
}

void ThreadQueue::removeEndpoint(std::uint64_t key) {
  auto it = endpoints_.find(key);
  if (it == endpoints_.end() || it->second.closing) return;
  ::epoll_ctl(epollFd_, EPOLL_CTL_DEL, it->second.fd, nullptr);
  if (it->second.busy > 0) {
    it->second.closing = true;
    return;
  }
  ::close(it->second.fd);
  endpoints_.erase(it);
}

void ThreadQueue::removeEndpointsOf(HWND window) {
  std::vector<std::uint64_t> keys;
  for (auto& [key, ep] : endpoints_)
    if (ep.window == window) keys.push_back(key);
  for (auto key : keys) removeEndpoint(key);
}

ThreadQueue::Link::~Link() {
  if (fd >= 0) ::close(fd);
}

std::shared_ptr<ThreadQueue::Link> ThreadQueue::outgoing(HWND target) const {
  auto it = outgoing_.find(target);
  return it == outgoing_.end() ? nullptr : it->second;
}

void ThreadQueue::setOutgoing(HWND target, std::shared_ptr<Link> link) {
  outgoing_[target] = std::move(link);
}

void ThreadQueue::dropOutgoing(HWND target) { outgoing_.erase(target); }

}  // namespace platform::detail
