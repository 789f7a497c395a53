#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "monitor/MonitorNames.h"
#include "platform/Types.h"

namespace monitor {

// Where the window thread posts worker commands (message 1649).
class WorkerQueue {
 public:
  virtual ~WorkerQueue() = default;
  virtual void post(WorkerCommand command, platform::LPARAM lParam) = 0;
  // Ends the worker after its current command, dropping what is queued,
  // waiting at most timeoutMs. False when it is still running.
  virtual bool stop(std::int64_t timeoutMs) = 0;
};

// The Monitor's one worker thread: runs long device sequences, one command
// at a time, in the order they were posted.
class WorkerThread : public WorkerQueue {
 public:
  using Job = std::function<void(WorkerCommand, platform::LPARAM)>;
  explicit WorkerThread(Job job);
  ~WorkerThread() override;

  void post(WorkerCommand command, platform::LPARAM lParam) override;
  // Asks the thread to quit after its current command, drops the queued
  // ones and waits up to timeoutMs. False when it did not end in time; the
  // destructor then waits for it, so it never runs on freed state.
  bool stop(std::int64_t timeoutMs) override;

 private:
  void run();
  Job job_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable finished_;
  std::deque<std::pair<WorkerCommand, platform::LPARAM>> queue_;
  bool quit_ = false;
  bool done_ = false;
  std::thread thread_;
};

}  // namespace monitor
