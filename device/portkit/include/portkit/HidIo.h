#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace portkit {

// The calls the library makes on a hidraw node. The file descriptor is a
// real one (read() and poll() work on it); the feature transfers go through
// here so that tests can stand in for the kernel.
class HidIo {
 public:
  virtual ~HidIo() = default;
  // -1 on failure.
  virtual int open(const std::string& devnode) = 0;
  virtual void close(int fd) = 0;
  virtual bool setFeature(int fd, std::span<const std::uint8_t> report) = 0;
  virtual bool getFeature(int fd, std::span<std::uint8_t> report) = 0;
};

// open(2), HIDIOCSFEATURE and HIDIOCGFEATURE.
std::unique_ptr<HidIo> makeLinuxHidIo();

}  // namespace portkit
