#include "RemoteMessages.h"

#include <poll.h>
#include <sys/epoll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <span>
#include <vector>

#include "WindowSocket.h"
#include "WindowTable.h"

namespace platform::detail {
namespace {

constexpr UINT kNcCreate = 0x0081;
constexpr UINT kNcDestroy = 0x0082;

// Messages that make, end or quit a window's life: only the window's own
// process may deliver them. From another process they would run start-up or
// tear-down code against the live window.
bool isLifeCycleMessage(UINT msg) {
  return msg == WM_CREATE || msg == WM_DESTROY || msg == WM_QUIT || msg == kNcCreate ||
         msg == kNcDestroy;
}

WireFrame makeFrame(FrameKind kind, HWND target, UINT msg, WPARAM wParam, LPARAM lParam) {
  WireFrame f{};
  f.magic = kFrameMagic;
  f.version = kFrameVersion;
  f.kind = static_cast<std::uint16_t>(kind);
  f.target = target;
  f.message = msg;
  f.wParam = wParam;
  f.lParam = lParam;
  return f;
}

std::shared_ptr<ThreadQueue::Link> linkTo(ThreadQueue& self, HWND target) {
  if (auto link = self.outgoing(target)) return link;
  int fd = connectToWindow(target);
  if (fd < 0) return nullptr;
  auto link = std::make_shared<ThreadQueue::Link>(fd);
  self.setOutgoing(target, link);
  return link;
}

// Waits until fd is ready for events while answering the synchronous
// messages sent to this thread, so that two programs sending to each other
// never deadlock. False when the connection broke.
bool waitOnLink(ThreadQueue& self, int fd, short events) {
  pollfd fds[2] = {{fd, events, 0}, {self.loopFd(), POLLIN, 0}};
  for (;;) {
    self.dispatchPendingSends();
    int n = ::poll(fds, 2, -1);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (fds[1].revents & POLLIN) self.serviceSources(0);
    if (fds[0].revents & (events | POLLHUP | POLLERR)) return true;
  }
}

bool writeWithBackpressure(ThreadQueue& self, int fd, const WireFrame& frame,
                           std::span<const std::byte> data) {
  for (;;) {
    if (writeFrame(fd, frame, data)) return true;
    if (errno == EINTR) continue;
    if (errno != EAGAIN) return false;
    if (!waitOnLink(self, fd, POLLOUT)) return false;
  }
}

// The reply to sequence; nullopt when the peer went away or did not know
// the window.
std::optional<LRESULT> awaitReply(ThreadQueue& self, HWND target,
                                  const std::shared_ptr<ThreadQueue::Link>& link,
                                  std::uint64_t sequence) {
  // The answer cannot be there yet: wait before the first read.
  bool ready = waitOnLink(self, link->fd, POLLIN);
  while (ready) {
    WireFrame reply;
    ssize_t n = ::recv(link->fd, &reply, sizeof reply, MSG_DONTWAIT);
    if (n == static_cast<ssize_t>(sizeof reply) && reply.magic == kFrameMagic &&
        reply.kind == static_cast<std::uint16_t>(FrameKind::Reply)) {
      if (reply.sequence != sequence) continue;  // answer to a send given up on
      self.rearmIfPending();
      if (!(reply.flags & kFrameHandled)) return std::nullopt;
      return static_cast<LRESULT>(reply.lParam);
    }
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
      ready = waitOnLink(self, link->fd, POLLIN);
      continue;
    }
    break;
  }
  // Closed, broken or talking nonsense: the peer is gone for us.
  if (self.outgoing(target) == link) self.dropOutgoing(target);
  self.rearmIfPending();
  return std::nullopt;
}

}  // namespace

bool postRemote(ThreadQueue& self, HWND target, UINT msg, WPARAM wParam, LPARAM lParam) {
  const WireFrame frame = makeFrame(FrameKind::Post, target, msg, wParam, lParam);
  // A cached link may have died with an earlier incarnation of the peer's
  // connection; one fresh connection tells whether the window is gone.
  for (int attempt = 0; attempt < 2; ++attempt) {
    auto link = linkTo(self, target);
    if (!link) return false;
    if (writeWithBackpressure(self, link->fd, frame, {})) {
      self.rearmIfPending();
      return true;
    }
    if (self.outgoing(target) == link) self.dropOutgoing(target);
  }
  return false;
}

std::optional<LRESULT> sendRemote(ThreadQueue& self, HWND target, UINT msg, WPARAM wParam,
                                  LPARAM lParam) {
  WireFrame frame = makeFrame(FrameKind::Send, target, msg, wParam, lParam);
  std::span<const std::byte> data;
  if (msg == WM_COPYDATA && lParam != 0) {
    const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (cds->cbData > kMaxCopyDataBytes || (cds->cbData > 0 && !cds->lpData)) return std::nullopt;
    data = {static_cast<const std::byte*>(cds->lpData), cds->cbData};
    frame.flags = kFrameCopyData;
    frame.dwData = cds->dwData;
    frame.dataSize = cds->cbData;
    frame.lParam = 0;
  }
  for (int attempt = 0; attempt < 2; ++attempt) {
    auto link = linkTo(self, target);
    if (!link) return std::nullopt;
    frame.sequence = self.nextSequence();
    if (!writeWithBackpressure(self, link->fd, frame, data)) {
      if (self.outgoing(target) == link) self.dropOutgoing(target);
      continue;
    }
    return awaitReply(self, target, link, frame.sequence);
  }
  return std::nullopt;
}

bool remoteWindowReachable(ThreadQueue& self, HWND target) {
  if (auto link = self.outgoing(target)) {
    pollfd p{link->fd, 0, 0};
    if (::poll(&p, 1, 0) == 0 || !(p.revents & (POLLHUP | POLLERR))) return true;
    self.dropOutgoing(target);
  }
  return linkTo(self, target) != nullptr;
}

// --- the receiving side, run by the thread that owns the window sockets ---

void ThreadQueue::acceptAll(std::uint64_t listenerKey) {
  for (;;) {
    // A handler run for the previous connection may have closed the window.
    auto listener = endpoints_.find(listenerKey);
    if (listener == endpoints_.end() || listener->second.closing) return;
    const HWND window = listener->second.window;
    int fd = ::accept4(listener->second.fd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (!peerIsThisUser(fd)) {
      ::close(fd);
      continue;
    }
    const std::uint64_t key = nextKey_++;
    endpoints_[key] = Endpoint{Endpoint::Kind::Incoming, fd, window, 0, false, {}};
    epoll_event ev{};
    ev.events = EPOLLIN;
    ev.data.u64 = key;
    ::epoll_ctl(epollFd_, EPOLL_CTL_ADD, fd, &ev);
    // A peer usually writes right after connecting: take it in this round.
    readIncoming(key);
  }
}

void ThreadQueue::replyAndRelease(std::uint64_t key, const WireFrame& reply) {
  auto it = endpoints_.find(key);
  if (it == endpoints_.end()) return;
  Endpoint& ep = it->second;
  --ep.busy;
  // A sender waits for each answer before it sends again, so answers never
  // pile up in its connection unless it stopped reading them. Such a client
  // loses its connection rather than holding this thread up.
  if (!writeFrame(ep.fd, reply, {}) && errno == EAGAIN) removeEndpoint(key);
  it = endpoints_.find(key);
  if (it == endpoints_.end()) return;
  if (it->second.busy == 0 && it->second.closing) {
    ::close(it->second.fd);
    endpoints_.erase(it);
  }
}

// Handles one received frame; false when reading from this connection
// should stop for now (after a send, or when the connection was dropped).
bool ThreadQueue::handleFrame(std::uint64_t key, std::span<const std::byte> bytes) {
  WireFrame f;
  if (bytes.size() < sizeof f) {
    removeEndpoint(key);  // closed, broken or malformed
    return false;
  }
  std::memcpy(&f, bytes.data(), sizeof f);
  if (f.magic != kFrameMagic || f.version != kFrameVersion || f.dataSize > kMaxCopyDataBytes ||
      bytes.size() != sizeof f + f.dataSize) {
    removeEndpoint(key);
    return false;
  }
  if (f.kind == static_cast<std::uint16_t>(FrameKind::Post)) {
    if (f.message == WM_COPYDATA || f.target == HWND_BROADCAST) return true;
    if (isLifeCycleMessage(f.message)) return true;
    auto window = WindowTable::instance().find(f.target);
    if (!window || !window->alive) return true;
    MSG m{f.target, f.message, static_cast<WPARAM>(f.wParam), static_cast<LPARAM>(f.lParam)};
    if (window->ownerThread == id_) {
      post(m, false);
    } else if (auto owner = window->owner.lock()) {
      owner->post(m);
    }
    return true;
  }
  if (f.kind != static_cast<std::uint16_t>(FrameKind::Send)) {
    removeEndpoint(key);
    return false;
  }
  auto it = endpoints_.find(key);
  if (it == endpoints_.end()) return false;
  // The handler may read more frames (nested sends) into the shared buffers.
  std::vector<std::byte> data(bytes.begin() + sizeof f, bytes.end());
  COPYDATASTRUCT cds{static_cast<std::uintptr_t>(f.dwData), f.dataSize, data.data()};
  LPARAM lParam =
      (f.flags & kFrameCopyData) ? reinterpret_cast<LPARAM>(&cds) : static_cast<LPARAM>(f.lParam);
  if (f.message == WM_COPYDATA && !(f.flags & kFrameCopyData)) lParam = 0;
  ++it->second.busy;
  std::optional<LRESULT> result;
  if (f.target != HWND_BROADCAST && !isLifeCycleMessage(f.message))
    result = sendToLocalWindow(f.target, f.message, static_cast<WPARAM>(f.wParam), lParam);
  WireFrame reply = makeFrame(FrameKind::Reply, f.target, f.message, 0, result.value_or(0));
  reply.sequence = f.sequence;
  reply.flags = result ? kFrameHandled : 0;
  replyAndRelease(key, reply);
  // The sender waited for this answer; the loop comes back for anything
  // after it.
  return false;
}

void ThreadQueue::readIncoming(std::uint64_t key) {
  constexpr std::size_t kSlotBytes = sizeof(WireFrame) + kMaxCopyDataBytes;
  // Large but untouched: only the bytes received land in memory.
  if (!receiveSlots_) receiveSlots_.reset(new std::byte[kReceiveBatch * kSlotBytes]);
  for (int batches = 0; batches < 32; ++batches) {
    auto it = endpoints_.find(key);
    if (it == endpoints_.end() || it->second.closing) return;
    // Frames read earlier but left for after a send come first, in order.
    if (!it->second.stash.empty()) {
      std::vector<std::byte> frame = std::move(it->second.stash.front());
      it->second.stash.pop_front();
      if (!handleFrame(key, frame)) return;
      continue;
    }
    iovec iov[kReceiveBatch];
    mmsghdr headers[kReceiveBatch];
    for (std::size_t i = 0; i < kReceiveBatch; ++i) {
      iov[i] = {receiveSlots_.get() + i * kSlotBytes, kSlotBytes};
      headers[i] = {};
      headers[i].msg_hdr.msg_iov = &iov[i];
      headers[i].msg_hdr.msg_iovlen = 1;
    }
    int n = ::recvmmsg(it->second.fd, headers, kReceiveBatch, MSG_DONTWAIT, nullptr);
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) return;
    if (n <= 0) {
      removeEndpoint(key);
      return;
    }
    for (int i = 0; i < n; ++i) {
      std::span<const std::byte> frame(
          receiveSlots_.get() + static_cast<std::size_t>(i) * kSlotBytes, headers[i].msg_len);
      if (handleFrame(key, frame)) continue;
      // Stopped after a send: keep the rest of the batch, in order, for the
      // next read of this connection (possibly a nested one).
      auto again = endpoints_.find(key);
      if (again == endpoints_.end()) return;
      std::deque<std::vector<std::byte>> rest;
      for (int j = i + 1; j < n; ++j) {
        const std::byte* start = receiveSlots_.get() + static_cast<std::size_t>(j) * kSlotBytes;
        rest.emplace_back(start, start + headers[j].msg_len);
      }
      for (auto& old : again->second.stash) rest.push_back(std::move(old));
      again->second.stash = std::move(rest);
      return;
    }
    if (static_cast<std::size_t>(n) < kReceiveBatch) return;
  }
}

}  // namespace platform::detail
