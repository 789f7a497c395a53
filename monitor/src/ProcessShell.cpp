#include "monitor/ProcessShell.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/Paths.h"

namespace monitor {

bool ProcessShell::open(std::string_view path, std::string_view parameters) {
  const std::string local = platform::ResolvePath(path);
  const bool executable = access(local.c_str(), X_OK) == 0;
  std::vector<std::string> args;
  if (executable) {
    args.push_back(local);
    if (!parameters.empty()) args.emplace_back(parameters);
  } else {
    if (!platform::FileExists(local) && local.find("://") == std::string::npos) return false;
    args = {"xdg-open", local};
  }
  int ready[2];
  if (pipe2(ready, O_CLOEXEC) != 0) return false;
  const pid_t child = fork();
  if (child < 0) {
    ::close(ready[0]);
    ::close(ready[1]);
    return false;
  }
  if (child == 0) {
    // Double fork: the grandchild belongs to init, the child ends at once.
    if (fork() != 0) _exit(0);
    setsid();
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    const char failed = 1;
    [[maybe_unused]] auto n = write(ready[1], &failed, 1);
    _exit(127);
  }
  ::close(ready[1]);
  int status = 0;
  waitpid(child, &status, 0);
  // The pipe closes on a successful exec; a byte means the exec failed.
  char failed = 0;
  const bool execFailed = read(ready[0], &failed, 1) == 1;
  ::close(ready[0]);
  return !execFailed;
}

}  // namespace monitor
