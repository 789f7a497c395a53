#pragma once

#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <functional>

// A forked child that runs a function and _exits with its result, so that it
// never runs the parent's test teardown. The destructor kills and reaps a
// child still running.
class ChildProcess {
 public:
  explicit ChildProcess(const std::function<int()>& body) {
    const pid_t parent = ::getpid();
    pid_ = ::fork();
    if (pid_ == 0) {
      ::prctl(PR_SET_PDEATHSIG, SIGKILL);  // never outlive a crashed test
      if (::getppid() != parent) ::_exit(127);
      ::_exit(body());
    }
  }
  ~ChildProcess() {
    if (pid_ > 0 && !reaped_) {
      ::kill(pid_, SIGKILL);
      wait();
    }
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t pid() const { return pid_; }
  void kill() { ::kill(pid_, SIGKILL); }
  // Exit code, or 128 + signal.
  int wait() {
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    reaped_ = true;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }

 private:
  pid_t pid_ = -1;
  bool reaped_ = false;
};

// One-way signal between processes: a byte through a pipe.
class SyncPipe {
 public:
  SyncPipe() {
    if (::pipe(fds_) != 0) fds_[0] = fds_[1] = -1;
  }
  ~SyncPipe() {
    for (int fd : fds_)
      if (fd >= 0) ::close(fd);
  }
  SyncPipe(const SyncPipe&) = delete;
  SyncPipe& operator=(const SyncPipe&) = delete;

  void signal(unsigned char value = 1) { [[maybe_unused]] auto n = ::write(fds_[1], &value, 1); }
  // The value written, or -1 when every writer closed the pipe.
  int wait() {
    unsigned char value;
    ssize_t n;
    while ((n = ::read(fds_[0], &value, 1)) < 0 && errno == EINTR) {
    }
    return n == 1 ? value : -1;
  }
  template <typename T>
  void send(const T& v) {
    [[maybe_unused]] auto n = ::write(fds_[1], &v, sizeof v);
  }
  template <typename T>
  bool receive(T& v) {
    return ::read(fds_[0], &v, sizeof v) == static_cast<ssize_t>(sizeof v);
  }

 private:
  int fds_[2];
};
