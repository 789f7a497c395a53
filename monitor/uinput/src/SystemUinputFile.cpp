#include "uinput/SystemUinputFile.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>

namespace uinput {

int SystemUinputFile::open(const char* path) {
  return ::open(path, O_WRONLY | O_NONBLOCK | O_CLOEXEC);
}

int SystemUinputFile::control(int fd, unsigned long request, int value) {
  return ::ioctl(fd, request, value);
}

int SystemUinputFile::setup(int fd, const uinput_setup& setup) {
  return ::ioctl(fd, UI_DEV_SETUP, &setup);
}

ssize_t SystemUinputFile::write(int fd, const void* data, std::size_t size) {
  ssize_t written;
  do written = ::write(fd, data, size);
  while (written < 0 && errno == EINTR);
  return written;
}

void SystemUinputFile::close(int fd) { ::close(fd); }

}  // namespace uinput
