#pragma once

#include <linux/uinput.h>
#include <sys/types.h>

#include <cstddef>

namespace uinput {

// The file operations the virtual pointer makes on /dev/uinput, behind one
// seam so they can be checked without the kernel.
class UinputFile {
 public:
  virtual ~UinputFile() = default;
  // A descriptor, or -1.
  virtual int open(const char* path) = 0;
  // ioctl with an int argument (UI_SET_*BIT) or none (UI_DEV_CREATE, UI_DEV_DESTROY).
  virtual int control(int fd, unsigned long request, int value) = 0;
  virtual int setup(int fd, const uinput_setup& setup) = 0;
  virtual ssize_t write(int fd, const void* data, std::size_t size) = 0;
  virtual void close(int fd) = 0;
};

}  // namespace uinput
