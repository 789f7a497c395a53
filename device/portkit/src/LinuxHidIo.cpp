#include <fcntl.h>
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "portkit/HidIo.h"

namespace portkit {
namespace {

class LinuxHidIo : public HidIo {
 public:
  int open(const std::string& devnode) override {
    return ::open(devnode.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
  }
  void close(int fd) override { ::close(fd); }

  bool setFeature(int fd, std::span<const std::uint8_t> report) override {
    // The kernel takes a mutable buffer; byte 0 is the report id.
    std::vector<std::uint8_t> buffer(report.begin(), report.end());
    int n;
    do {
      n = ::ioctl(fd, HIDIOCSFEATURE(buffer.size()), buffer.data());
    } while (n < 0 && errno == EINTR);
    return n == static_cast<int>(buffer.size());
  }

  bool getFeature(int fd, std::span<std::uint8_t> report) override {
    int n;
    do {
      n = ::ioctl(fd, HIDIOCGFEATURE(report.size()), report.data());
    } while (n < 0 && errno == EINTR);
    // Devices may answer shorter than asked; the rest reads as zeros.
    if (n <= 0) return false;
    for (std::size_t i = static_cast<std::size_t>(n); i < report.size(); ++i) report[i] = 0;
    return true;
  }
};

}  // namespace

std::unique_ptr<HidIo> makeLinuxHidIo() { return std::make_unique<LinuxHidIo>(); }

}  // namespace portkit
