#include "platform/X11ForegroundProgram.h"

#include <unistd.h>

#include <cstdlib>

#include "XcbConnection.h"

namespace platform {
namespace {

constexpr std::uint32_t kAtomWindow = 33;   // XA_WINDOW
constexpr std::uint32_t kAtomCardinal = 6;  // XA_CARDINAL

std::string displayFromEnvironment() {
  const char* display = std::getenv("DISPLAY");
  return display ? display : "";
}

}  // namespace

X11ForegroundProgram::X11ForegroundProgram() : X11ForegroundProgram(displayFromEnvironment()) {}
X11ForegroundProgram::X11ForegroundProgram(std::string display)
    : displayName_(std::move(display)) {}
X11ForegroundProgram::~X11ForegroundProgram() = default;

detail::XcbConnection* X11ForegroundProgram::display() {
  if (connection_ && connection_->broken()) connection_.reset();
  if (!connection_) {
    connection_ = detail::XcbConnection::open(displayName_);
    if (!connection_) return nullptr;
    activeWindowAtom_ = connection_->atom("_NET_ACTIVE_WINDOW");
    pidAtom_ = connection_->atom("_NET_WM_PID");
  }
  return connection_.get();
}

std::optional<std::string> X11ForegroundProgram::executablePath() {
  detail::XcbConnection* x = display();
  if (!x) return std::nullopt;
  const auto window = x->property32(x->root(), activeWindowAtom_, kAtomWindow);
  if (!window || *window == 0) return std::nullopt;
  const auto pid = x->property32(*window, pidAtom_, kAtomCardinal);
  if (!pid || *pid == 0) return std::nullopt;
  std::string buffer(4096, '\0');
  const std::string link = "/proc/" + std::to_string(*pid) + "/exe";
  const ssize_t n = readlink(link.c_str(), buffer.data(), buffer.size());
  if (n <= 0 || static_cast<std::size_t>(n) >= buffer.size()) return std::nullopt;
  buffer.resize(static_cast<std::size_t>(n));
  return buffer;
}

}  // namespace platform
