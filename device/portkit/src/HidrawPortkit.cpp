#include "portkit/HidrawPortkit.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "portkit/EventReport.h"

namespace portkit {
namespace {

constexpr int kRetryOpenMs = 2000;
constexpr std::size_t kMaxInputReport = 64;

bool isMouse(const HidrawNode& node, DeviceIds ids) {
  return node.vendor == ids.vendor && node.product == ids.product;
}

}  // namespace

HidrawPortkit::HidrawPortkit(DeviceIds ids, std::unique_ptr<HidrawEnumerator> enumerator,
                             std::unique_ptr<HidIo> io, HotplugFactory hotplug, Poster poster)
    : ids_(ids),
      enumerator_(std::move(enumerator)),
      io_(std::move(io)),
      hotplugFactory_(std::move(hotplug)),
      poster_(std::move(poster)) {}

HidrawPortkit::~HidrawPortkit() {
  closeDevMonitor();
  closeFeatureDevice();
}

void HidrawPortkit::setPoster(Poster poster) {
  std::lock_guard lock(posterMutex_);
  poster_ = std::move(poster);
}

void HidrawPortkit::post(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
  std::lock_guard lock(posterMutex_);
  if (poster_) poster_(window_, message, wParam, lParam);
}

bool HidrawPortkit::openFeatureDevice() {
  std::lock_guard lock(featureMutex_);
  if (featureFd_ >= 0) io_->close(featureFd_);
  featureFd_ = -1;
  if (const auto node = chooseMouse(enumerator_->list(), ids_))
    featureFd_ = io_->open(node->devnode);
  return featureFd_ >= 0;
}

void HidrawPortkit::closeFeatureDevice() {
  std::lock_guard lock(featureMutex_);
  if (featureFd_ >= 0) io_->close(featureFd_);
  featureFd_ = -1;
}

bool HidrawPortkit::setFeature(std::span<const std::uint8_t> report) {
  std::lock_guard lock(featureMutex_);
  return featureFd_ >= 0 && !report.empty() && io_->setFeature(featureFd_, report);
}

bool HidrawPortkit::getFeature(std::span<std::uint8_t> report) {
  std::lock_guard lock(featureMutex_);
  return featureFd_ >= 0 && !report.empty() && io_->getFeature(featureFd_, report);
}

int HidrawPortkit::productId() {
  std::lock_guard lock(featureMutex_);
  return featureFd_ >= 0 ? ids_.product : 0;
}

void HidrawPortkit::openDevMonitor(std::uint64_t window, unsigned eventMessage,
                                   unsigned plugMessage) {
  std::lock_guard lock(monitorMutex_);
  if (watcher_.running()) return;
  {
    std::lock_guard posterLock(posterMutex_);
    window_ = window;
    eventMessage_ = eventMessage;
    plugMessage_ = plugMessage;
  }
  watcher_.start([this] { watch(); });
}

void HidrawPortkit::closeDevMonitor() {
  std::lock_guard lock(monitorMutex_);
  watcher_.stop();
}

void HidrawPortkit::watch() {
  std::unique_ptr<HotplugMonitor> monitor = hotplugFactory_ ? hotplugFactory_() : nullptr;
  PlugTracker tracker;
  for (const HidrawNode& node : enumerator_->list()) {
    if (isMouse(node, ids_)) tracker.nodeAdded(node.devnode);
  }
  openEventNode();
  for (;;) {
    pollfd fds[3] = {{watcher_.stopFd(), POLLIN, 0}, {-1, POLLIN, 0}, {-1, POLLIN, 0}};
    if (monitor) fds[1].fd = monitor->fd();
    fds[2].fd = eventFd_;
    const int ready = ::poll(fds, 3, eventFd_ < 0 && tracker.present() ? kRetryOpenMs : -1);
    if (ready < 0 && errno != EINTR) break;
    if (fds[0].revents) break;
    if (ready == 0) openEventNode();
    if (monitor && (fds[1].revents & POLLIN)) {
      if (auto event = monitor->receive()) {
        if (event->added && isMouse(event->node, ids_)) {
          if (tracker.nodeAdded(event->node.devnode)) post(plugMessage_, 1, 0);
          if (eventFd_ < 0) openEventNode();
        } else if (!event->added) {
          if (event->node.devnode == eventNode_) closeEventNode();
          if (tracker.nodeRemoved(event->node.devnode)) post(plugMessage_, 0, 0);
        }
      }
    }
    if (eventFd_ >= 0 && fds[2].fd == eventFd_ && fds[2].revents) readEvents();
  }
  closeEventNode();
}

void HidrawPortkit::openEventNode() {
  closeEventNode();
  const auto node = chooseMouse(enumerator_->list(), ids_);
  if (!node) return;
  eventFd_ = io_->open(node->devnode);
  if (eventFd_ >= 0) eventNode_ = node->devnode;
}

void HidrawPortkit::closeEventNode() {
  if (eventFd_ >= 0) io_->close(eventFd_);
  eventFd_ = -1;
  eventNode_.clear();
}

void HidrawPortkit::readEvents() {
  std::uint8_t report[kMaxInputReport];
  for (;;) {
    const ssize_t n = ::read(eventFd_, report, sizeof report);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
    if (n <= 0) {  // the node went away
      closeEventNode();
      return;
    }
    if (const auto event = parseEventReport({report, static_cast<std::size_t>(n)})) {
      post(eventMessage_, event->type, event->value);
    }
  }
}

}  // namespace portkit
