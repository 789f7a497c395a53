#pragma once

#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>

#include "platform/NamedMutex.h"
#include "platform/SharedMemory.h"
#include "settings/SharedImage.h"

namespace monitor::testing {

// A writer that dies half-way through copying into the shared image: a
// child process takes the image mutex, overwrites the first half of the
// record with `fill` bytes and ends without letting go. True when the child
// got that far.
inline bool tearSharedImage(unsigned char fill) {
  const pid_t parent = getpid();
  const pid_t pid = fork();
  if (pid == 0) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(127);
    auto mutex = platform::NamedMutex::open(settings::kImageMutexName);
    auto memory = platform::SharedMemory::open(settings::kSharedImageName, settings::kImageSize);
    if (!mutex || !memory || mutex->lock() != platform::NamedMutex::Wait::Acquired) _exit(1);
    std::memset(memory->data(), fill, settings::kImageSize / 2);
    _exit(0);
  }
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace monitor::testing
