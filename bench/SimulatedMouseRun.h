// What the benchmarks against the simulated mouse share: a vesk-mouse-sim
// process on a private socket for the life of the object, and the report
// line that divides the real time by the time the protocol prescribes.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

class SimulatedMouseRun {
 public:
  // Starts the simulator from the program folder SUITE and returns once it
  // listens; the suite's portkit.so finds it through VESK_MOUSE_SIM.
  SimulatedMouseRun(const std::string& suite, const std::string& name)
      : dir_(std::filesystem::temp_directory_path() /
             ("vesk-" + name + "-" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(dir_);
    const std::string socket = (dir_ / "sim.sock").string();
    ::setenv("VESK_MOUSE_SIM", socket.c_str(), 1);
    int out[2];
    if (::pipe(out) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(out[1], STDOUT_FILENO);
      const std::string program = suite + "/vesk-mouse-sim";
      ::execl(program.c_str(), program.c_str(), "run", "--socket", socket.c_str(),
              static_cast<char*>(nullptr));
      std::_Exit(127);
    }
    ::close(out[1]);
    // The simulator prints one line when it listens.
    char c = 0;
    while (::read(out[0], &c, 1) == 1 && c != '\n') {
    }
    ::close(out[0]);
  }
  ~SimulatedMouseRun() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
    }
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
  SimulatedMouseRun(const SimulatedMouseRun&) = delete;
  SimulatedMouseRun& operator=(const SimulatedMouseRun&) = delete;

 private:
  std::filesystem::path dir_;
  pid_t pid_ = -1;
};

// Times RUN in real time and prints it against PRESCRIBED_MS, the pauses and
// waits the protocol prescribes for the same traffic. Returns RUN's result.
inline bool reportAgainstPrescribed(const char* what, std::int64_t prescribedMs, double target,
                                    const char* failure, const std::function<bool()>& run) {
  const auto start = std::chrono::steady_clock::now();
  const bool ok = run();
  const double realMs =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  const double ratio = realMs / static_cast<double>(prescribedMs);
  std::printf(
      "%s:\n"
      "  real %.1f ms / prescribed pauses and waits %lld ms = %.4f (target <= %.2f) %s\n",
      what, realMs, static_cast<long long>(prescribedMs), ratio, target,
      ok && prescribedMs > 0 ? (ratio <= target ? "OK" : "ABOVE TARGET") : failure);
  return ok;
}
