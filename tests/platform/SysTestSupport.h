#pragma once

#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

// Private folders and helper processes for the platform tests.
namespace vesk_test_support {

// A temporary folder removed with everything in it at scope end.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "vesk-sys-test-XXXXXX").string();
    path_ = mkdtemp(pattern.data()) ? pattern : std::string();
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Points an environment variable at a value for the scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old, hadOld_ = true;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (hadOld_) {
      setenv(name_, old_.c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  std::string old_;
  bool hadOld_ = false;
};

// A name no other test process uses at the same time.
inline std::string uniqueName(const std::string& base) {
  return base + "_" + std::to_string(getpid());
}

// Runs body in a child process and returns its exit status (-1 when it did
// not exit normally).
template <typename Body>
int runInChild(Body body) {
  const pid_t parent = getpid();
  const pid_t pid = fork();
  if (pid == 0) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);  // never outlive a crashed test
    if (getppid() != parent) _exit(127);
    _exit(body());
  }
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A child that runs setup, reports on a pipe, then waits until told to end
// (or until the test process closes the pipe).
class HeldChild {
 public:
  template <typename Setup>
  explicit HeldChild(Setup setup) {
    int up[2], down[2];
    if (pipe(up) != 0 || pipe(down) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      close(up[0]);
      close(down[1]);
      const char ok = setup() ? 'y' : 'n';
      if (write(up[1], &ok, 1) != 1) _exit(3);
      char c;
      const bool told = read(down[0], &c, 1) == 1;
      _exit(told ? 0 : 4);
    }
    close(up[1]);
    close(down[0]);
    toChild_ = down[1];
    char ok = 'n';
    setupOk_ = read(up[0], &ok, 1) == 1 && ok == 'y';
    close(up[0]);
  }
  ~HeldChild() { kill(); }
  HeldChild(const HeldChild&) = delete;
  HeldChild& operator=(const HeldChild&) = delete;
  bool setupOk() const { return setupOk_; }
  // Ends the child at once (as a crash would) and reaps it.
  void kill() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
    if (toChild_ >= 0) close(toChild_);
    toChild_ = -1;
  }

 private:
  pid_t pid_ = -1;
  int toChild_ = -1;
  bool setupOk_ = false;
};

}  // namespace vesk_test_support
