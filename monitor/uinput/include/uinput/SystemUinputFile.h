#pragma once

#include "uinput/UinputFile.h"

namespace uinput {

// The real /dev/uinput.
class SystemUinputFile : public UinputFile {
 public:
  int open(const char* path) override;
  int control(int fd, unsigned long request, int value) override;
  int setup(int fd, const uinput_setup& setup) override;
  ssize_t write(int fd, const void* data, std::size_t size) override;
  void close(int fd) override;
};

}  // namespace uinput
