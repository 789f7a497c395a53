#pragma once

#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

// Runs a program of the suite as a child process and ends it (SIGTERM, then
// waits) when the object goes. With waitForLine the constructor returns once
// the child printed its first line (the simulator's "listening" line).
class ChildProcess {
 public:
  ChildProcess(const std::vector<std::string>& argv, bool waitForLine) {
    int out[2];
    if (::pipe(out) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::prctl(PR_SET_PDEATHSIG, SIGTERM);  // never outlive a crashed test
      ::dup2(out[1], STDOUT_FILENO);
      ::close(out[0]);
      ::close(out[1]);
      std::vector<char*> args;
      for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
      args.push_back(nullptr);
      ::execv(args[0], args.data());
      std::_Exit(127);
    }
    ::close(out[1]);
    out_ = out[0];
    if (waitForLine) {
      char c = 0;
      while (::read(out_, &c, 1) == 1 && c != '\n') firstLine_ += c;
    }
  }
  ~ChildProcess() {
    if (pid_ > 0 && !exited_) {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
    }
    if (out_ >= 0) ::close(out_);
  }
  // Waits for the child to end; its exit code (-1 when it did not exit).
  int wait() {
    int status = 0;
    if (pid_ <= 0 || ::waitpid(pid_, &status, 0) != pid_) return -1;
    exited_ = true;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  // Everything the child printed after the first line (after it ended).
  std::string output() {
    std::string text;
    char buf[4096];
    ssize_t n;
    while ((n = ::read(out_, buf, sizeof buf)) > 0) text.append(buf, static_cast<std::size_t>(n));
    return text;
  }
  const std::string& firstLine() const { return firstLine_; }
  bool started() const { return pid_ > 0; }

 private:
  pid_t pid_ = -1;
  int out_ = -1;
  bool exited_ = false;
  std::string firstLine_;
};
