#include "mousesim/UhidIo.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace mousesim {
namespace {

class DevUhid : public UhidIo {
 public:
  explicit DevUhid(int fd) : fd_(fd) {}
  ~DevUhid() override { ::close(fd_); }
  int fd() const override { return fd_; }

  bool write(const uhid_event& event) override {
    ssize_t n;
    do {
      n = ::write(fd_, &event, sizeof event);
    } while (n < 0 && errno == EINTR);
    return n == static_cast<ssize_t>(sizeof event);
  }

  bool read(uhid_event& event) override {
    ssize_t n;
    do {
      n = ::read(fd_, &event, sizeof event);
    } while (n < 0 && errno == EINTR);
    // The kernel hands out one event per read, possibly shorter than the
    // whole union: what it leaves out reads as zeros.
    if (n < static_cast<ssize_t>(sizeof event.type)) return false;
    if (static_cast<std::size_t>(n) < sizeof event) {
      std::memset(reinterpret_cast<char*>(&event) + n, 0,
                  sizeof event - static_cast<std::size_t>(n));
    }
    return true;
  }

 private:
  int fd_;
};

}  // namespace

std::unique_ptr<UhidIo> openUhid(const std::string& path, std::string* error) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    if (error) *error = "cannot open " + path + ": " + std::strerror(errno);
    return nullptr;
  }
  return std::make_unique<DevUhid>(fd);
}

}  // namespace mousesim
