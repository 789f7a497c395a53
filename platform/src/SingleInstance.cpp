#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "SharedObject.h"
#include "platform/NamedMutex.h"
#include "platform/Paths.h"

namespace platform {

std::unique_ptr<SingleInstance> SingleInstance::acquire(std::string_view name) {
  if (name.empty()) return nullptr;
  std::string path = RuntimeFolder();
  if (path.empty()) return nullptr;
  if (path.back() != '/') path += '/';
  path += "instance-" + detail::encodeNameComponent(name) + ".lock";

  // Close-on-exec, so programs we start never inherit the guard.
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return nullptr;
  int rc;
  do {
    rc = flock(fd, LOCK_EX | LOCK_NB);
  } while (rc != 0 && errno == EINTR);
  if (rc != 0) {
    close(fd);
    return nullptr;
  }
  std::unique_ptr<SingleInstance> instance(new SingleInstance);
  instance->fd_ = fd;
  return instance;
}

// The lock file stays: removing it could let a third process lock a new file
// while a second one still holds the old.
SingleInstance::~SingleInstance() {
  if (fd_ >= 0) close(fd_);
}

}  // namespace platform
