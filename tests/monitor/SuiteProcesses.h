#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "TestFolder.h"

// The suite as separate processes for end-to-end tests: a private copy of
// the program folder, a private runtime and config folder, the simulated
// mouse and the Monitor. Everything started is stopped and removed again.
namespace monitor::testing {

class SuiteProcesses {
 public:
  SuiteProcesses() {
    namespace fs = std::filesystem;
    const fs::path suite = VESK_SUITE_DIR;
    folder_ = root_.path() / "suite";
    fs::create_directories(folder_ / "Wave");
    fs::create_directories(root_.path() / "run");
    fs::permissions(root_.path() / "run", fs::perms::owner_all);
    for (const char* file : {"VeskORBOpticalMonitor", "portkit.so", "LightEffectColorDatabase.bin"})
      fs::copy_file(suite / file, folder_ / file);
    fs::copy(suite / "FWUpdate", folder_ / "FWUpdate", fs::copy_options::recursive);
    fs::copy_file(suite / "Wave" / "sensorImage.bmp", folder_ / "Wave" / "sensorImage.bmp");
    fs::create_directory_symlink(suite / "Wave" / "Volume", folder_ / "Wave" / "Volume");
    enter();
  }
  // Makes this suite's session the one that programs started from now on
  // (and veskctl) run in. Two suites in one test are two desktop sessions.
  void enter() {
    setenv("XDG_RUNTIME_DIR", (root_.path() / "run").c_str(), 1);
    setenv("XDG_CONFIG_HOME", root_.path().c_str(), 1);
    setenv("VESK_MOUSE_SIM", (root_.path() / "run" / "sim.sock").c_str(), 1);
    setenv("VESK_SOUND", ("log:" + soundLog()).c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
  ~SuiteProcesses() {
    while (!children_.empty()) stop(children_.back());
  }

  const std::filesystem::path& folder() const { return folder_; }
  std::string soundLog() const { return (root_.path() / "sound.log").string(); }
  std::string tool(const char* name) const { return std::string(VESK_SUITE_DIR) + "/" + name; }

  pid_t start(const std::string& program, std::vector<std::string> args = {}) {
    std::vector<char*> argv;
    std::string p = program;
    argv.push_back(p.data());
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    const pid_t parent = getpid();
    pid_t pid = fork();
    if (pid == 0) {
      // Never outlive the test, even when it crashes.
      prctl(PR_SET_PDEATHSIG, SIGKILL);
      if (getppid() != parent) _exit(127);
      const int null = ::open("/dev/null", O_WRONLY);
      if (null >= 0) dup2(null, 1);
      execv(program.c_str(), argv.data());
      _exit(127);
    }
    if (pid > 0) children_.push_back(pid);
    return pid;
  }
  pid_t startSimulator() {
    const pid_t pid = start(tool("vesk-mouse-sim"), {"run"});
    waitFor([&] { return std::filesystem::exists(root_.path() / "run" / "sim.sock"); });
    return pid;
  }
  pid_t startMonitor(std::vector<std::string> args = {}) {
    return start((folder_ / "VeskORBOpticalMonitor").string(), std::move(args));
  }

  // Ends a child with SIGTERM (SIGKILL after 5 s) and returns its exit status.
  int stop(pid_t pid) {
    if (pid <= 0 || !forget(pid)) return -1;
    kill(pid, SIGTERM);
    int status = 0;
    for (int i = 0; i < 500; ++i) {
      const pid_t r = waitpid(pid, &status, WNOHANG);
      if (r == pid) return status;
      if (r < 0) return -1;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return status;
  }
  // True when the child is still running.
  bool alive(pid_t pid) {
    int status = 0;
    return waitpid(pid, &status, WNOHANG) == 0;
  }
  // Waits for the child to end by itself; its exit code, or -1.
  int waitExit(pid_t pid, int timeoutMs = 5000) {
    int status = 0;
    for (int waited = 0; waited < timeoutMs; waited += 10) {
      if (waitpid(pid, &status, WNOHANG) == pid) {
        forget(pid);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return -1;
  }

  struct Result {
    int exitCode;
    std::string output;
  };
  // Runs a command line to its end and captures standard output.
  Result run(const std::string& command) {
    Result result{-1, {}};
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return result;
    char buffer[4096];
    std::size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, n);
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
  }
  Result veskctl(const std::string& args) {
    return run("'" + tool("veskctl") + "' " + args + " --folder '" + folder_.string() + "'");
  }
  Result sim(const std::string& args) {
    return run("'" + tool("vesk-mouse-sim") + "' ctl " + args);
  }
  // The simulator's report log without the time column.
  std::vector<std::string> reportLog() {
    std::vector<std::string> lines;
    std::string all = sim("log").output, line;
    for (char c : all) {
      if (c != '\n') {
        line += c;
        continue;
      }
      const auto space = line.find(' ');
      lines.push_back(space == std::string::npos ? line : line.substr(space + 1));
      line.clear();
    }
    return lines;
  }
  std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  // Polls until the condition holds; false after timeoutMs.
  static bool waitFor(const std::function<bool()>& condition, int timeoutMs = 15000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < end) {
      if (condition()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return condition();
  }

 private:
  bool forget(pid_t pid) {
    const auto it = std::find(children_.begin(), children_.end(), pid);
    if (it == children_.end()) return false;
    children_.erase(it);
    return true;
  }
  TestFolder root_;
  std::filesystem::path folder_;
  std::vector<pid_t> children_;
};

}  // namespace monitor::testing
