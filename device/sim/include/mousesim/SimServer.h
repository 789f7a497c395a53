#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "mousesim/DeviceLink.h"
#include "mousesim/MouseSimulator.h"
#include "mousesim/SaveSchedule.h"

namespace mousesim {

// Serves one simulated mouse on a Unix socket: feature transfers for the
// simulated device library, events and plug changes for its watchers,
// control commands for `vesk-mouse-sim ctl`. Single-threaded; each request
// is answered at once.
class SimServer {
 public:
  // stateFile may be empty (memory lives only as long as the process).
  SimServer(MouseSimulator& simulator, std::string socketPath, std::string stateFile);
  ~SimServer();

  // Binds the socket; false (and a reason) when it is taken or cannot be made.
  bool listen(std::string* error);
  // Serves the mouse through link as well (the kernel's uhid device): its
  // requests from this loop, the model's events and plug changes to it.
  void attach(DeviceLink* link) { link_ = link; }
  // Runs until stop() (or a signal handler sets the flag) ; saves the state.
  void run(const std::atomic<bool>& stopRequested);

 private:
  struct Client {
    std::vector<std::uint8_t> input;
    bool watcher = false;
  };
  void accept();
  bool serve(int fd, Client& client);
  bool handle(int fd, Client& client, std::uint8_t kind, std::vector<std::uint8_t>& payload);
  void broadcast(std::uint8_t kind, const std::vector<std::uint8_t>& payload);
  // Writes the state file when a save is due, or whatever is left at exit.
  void saveIfChanged(bool atExit);

  MouseSimulator& simulator_;
  std::string socketPath_;
  std::string stateFile_;
  int listenFd_ = -1;
  std::map<int, Client> clients_;
  std::vector<int> dropped_;
  DeviceLink* link_ = nullptr;
  SaveSchedule schedule_{0};
};

}  // namespace mousesim
