#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace upgrade {

// The updater's worker thread: it sleeps on an auto-reset event and runs its
// job once per signal. Stopping sets the quit flag, which the job watches
// between its steps, wakes the thread and waits until it has ended, so that
// nothing the job uses (the device library above all) goes away under it.
class UpgradeWorker {
 public:
  using Job = std::function<void(const std::atomic<bool>& quit)>;

  explicit UpgradeWorker(Job job);
  ~UpgradeWorker();
  UpgradeWorker(const UpgradeWorker&) = delete;
  UpgradeWorker& operator=(const UpgradeWorker&) = delete;

  // Sets the event: the worker runs the job once (or leaves, when quitting).
  void signal();
  // Sets the quit flag and wakes the worker; a running job ends at its next
  // step.
  void requestStop();
  // requestStop(), then waits until the thread has ended. Safe to call twice.
  void stop();
  bool busy() const { return busy_.load(); }

 private:
  void loop();

  Job job_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool event_ = false;
  std::atomic<bool> quit_{false};
  std::atomic<bool> busy_{false};
  std::thread thread_;
};

}  // namespace upgrade
