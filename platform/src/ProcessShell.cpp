#include "platform/ProcessShell.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <thread>

#include "platform/Paths.h"

extern char** environ;

namespace platform {
namespace {

// Starts argv[0] (searched on PATH when it has no '/'); the pid, or -1 when
// it could not be started (the C library reports a failed exec too).
pid_t spawn(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);

  posix_spawnattr_t attr;
  if (posix_spawnattr_init(&attr) != 0) return -1;
  sigset_t none, all;
  sigemptyset(&none);
  sigfillset(&all);
  posix_spawnattr_setsigmask(&attr, &none);
  posix_spawnattr_setsigdefault(&attr, &all);
  // A session of its own: a program the user started outlives the Monitor
  // and does not get the terminal's Ctrl+C.
  posix_spawnattr_setflags(&attr,
                           POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSID);
  pid_t pid = -1;
  const int rc = posix_spawnp(&pid, args[0], nullptr, &attr, args.data(), environ);
  posix_spawnattr_destroy(&attr);
  return rc == 0 ? pid : -1;
}

void reapInBackground(pid_t pid) {
  std::thread([pid] {
    while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
  }).detach();
}

// The child's exit status if it ends within waitMs; nullopt when it still
// runs (it is then reaped in the background).
std::optional<int> exitStatusWithin(pid_t pid, std::int64_t waitMs) {
  const int pidfd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
  if (pidfd >= 0) {
    pollfd p{pidfd, POLLIN, 0};
    int rc;
    do {
      rc = poll(&p, 1, static_cast<int>(waitMs));
    } while (rc < 0 && errno == EINTR);
    close(pidfd);
  }
  int status = 0;
  const pid_t done = waitpid(pid, &status, WNOHANG);
  if (done == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
  if (done < 0) return 0;  // someone else reaped it (SIGCHLD ignored): no verdict to have
  reapInBackground(pid);
  return std::nullopt;
}

bool isRunnableProgram(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

}  // namespace

bool ProcessShell::isUrl(std::string_view target) {
  const auto colon = target.find(':');
  if (colon == std::string_view::npos || colon < 2) return false;  // "C:" is a drive, not a scheme
  for (std::size_t i = 0; i < colon; ++i) {
    const char c = target[i];
    const bool schemeChar = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                            (i > 0 && ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'));
    if (!schemeChar) return false;
  }
  return target.substr(colon).starts_with("://") || target.substr(0, colon) == "mailto";
}

bool ProcessShell::open(std::string_view target, std::string_view parameters) {
  if (target.empty()) return false;
  std::string what(target);
  if (!isUrl(target)) {
    what = ResolvePath(target);
    if (!FileExists(what)) return false;
    if (isRunnableProgram(what)) {
      std::vector<std::string> arguments;
      if (!parameters.empty()) arguments.emplace_back(parameters);
      return start(what, arguments);
    }
  }
  const pid_t pid = spawn({opener_, what});
  if (pid < 0) return false;
  const auto status = exitStatusWithin(pid, openerWaitMs_);
  return !status || *status == 0;
}

bool ProcessShell::start(std::string_view program, const std::vector<std::string>& arguments) {
  if (program.empty()) return false;
  std::vector<std::string> argv;
  const bool hasFolder =
      program.find('/') != std::string_view::npos || program.find('\\') != std::string_view::npos;
  argv.push_back(hasFolder ? ResolvePath(program) : std::string(program));
  if (hasFolder && !isRunnableProgram(argv[0])) return false;
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  const pid_t pid = spawn(argv);
  if (pid < 0) return false;
  reapInBackground(pid);
  return true;
}

}  // namespace platform
