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
  for (;;) {
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
      if (waitOnLink(self, link->fd, POLLIN)) continue;
    }
    // Closed, broken or talking nonsense: the peer is gone for us.
    if (self.outgoing(target) == link) self.dropOutgoing(target);
    self.rearmIfPending();
    return std::nullopt;
  }
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

void ThreadQueue::acceptAll(const Endpoint& listener) {
  for (;;) {
    int fd = ::accept4(listener.fd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (!peerIsThisUser(fd)) {
      ::close(fd);
      continue;
    }
    const std::uint64_t key = nextKey_++;
    endpoints_[key] = Endpoint{Endpoint::Kind::Incoming, fd, listener.window};
    epoll_event ev{};
    ev.events = EPOLLIN;
    ev.data.u64 = key;
    ::epoll_ctl(epollFd_, EPOLL_CTL_ADD, fd, &ev);
  }
}

void ThreadQueue::replyAndRelease(std::uint64_t key, const WireFrame& reply) {
  auto it = endpoints_.find(key);
  if (it == endpoints_.end()) return;
  Endpoint& ep = it->second;
  if (!writeFrame(ep.fd, reply, {}) && errno == EAGAIN) {
    // The sender is waiting for exactly this; its buffer drains promptly.
    pollfd p{ep.fd, POLLOUT, 0};
    if (::poll(&p, 1, 1000) > 0) writeFrame(ep.fd, reply, {});
  }
  if (--ep.busy == 0 && ep.closing) {
    ::close(ep.fd);
    endpoints_.erase(it);
  }
}

void ThreadQueue::readIncoming(std::uint64_t key) {
  for (int frames = 0; frames < 1024; ++frames) {
    auto it = endpoints_.find(key);
    if (it == endpoints_.end() || it->second.closing) return;
    const int fd = it->second.fd;
    frameBuffer_.resize(sizeof(WireFrame) + kMaxCopyDataBytes);
    ssize_t n = ::recv(fd, frameBuffer_.data(), frameBuffer_.size(), MSG_DONTWAIT);
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) return;
    WireFrame f;
    if (n < static_cast<ssize_t>(sizeof f)) {
      removeEndpoint(key);  // closed, broken or malformed
      return;
    }
    std::memcpy(&f, frameBuffer_.data(), sizeof f);
    if (f.magic != kFrameMagic || f.version != kFrameVersion || f.dataSize > kMaxCopyDataBytes ||
        static_cast<std::size_t>(n) != sizeof f + f.dataSize) {
      removeEndpoint(key);
      return;
    }
    if (f.kind == static_cast<std::uint16_t>(FrameKind::Post)) {
      if (f.message == WM_COPYDATA || f.target == HWND_BROADCAST) continue;
      auto window = WindowTable::instance().find(f.target);
      if (!window || !window->alive) continue;
      MSG m{f.target, f.message, static_cast<WPARAM>(f.wParam), static_cast<LPARAM>(f.lParam)};
      if (window->ownerThread == id_) {
        post(m, false);
      } else if (auto owner = window->owner.lock()) {
        owner->post(m);
      }
    } else if (f.kind == static_cast<std::uint16_t>(FrameKind::Send)) {
      // The handler may read more frames (nested sends) and reuse the buffer.
      std::vector<std::byte> data(frameBuffer_.begin() + sizeof f,
                                  frameBuffer_.begin() + static_cast<std::ptrdiff_t>(n));
      COPYDATASTRUCT cds{static_cast<std::uintptr_t>(f.dwData), f.dataSize, data.data()};
      LPARAM lParam = (f.flags & kFrameCopyData) ? reinterpret_cast<LPARAM>(&cds)
                                                 : static_cast<LPARAM>(f.lParam);
      if (f.message == WM_COPYDATA && !(f.flags & kFrameCopyData)) lParam = 0;
      ++it->second.busy;
      std::optional<LRESULT> result;
      if (f.target != HWND_BROADCAST)
        result = sendToLocalWindow(f.target, f.message, static_cast<WPARAM>(f.wParam), lParam);
      WireFrame reply = makeFrame(FrameKind::Reply, f.target, f.message, 0, result.value_or(0));
      reply.sequence = f.sequence;
      reply.flags = result ? kFrameHandled : 0;
      replyAndRelease(key, reply);
    } else {
      removeEndpoint(key);
      return;
    }
  }
}

}  // namespace platform::detail
