#include "monitor/WorkerThread.h"

#include <chrono>

namespace monitor {

WorkerThread::WorkerThread(Job job) : job_(std::move(job)), thread_([this] { run(); }) {}

WorkerThread::~WorkerThread() {
  // Never leaves a thread running on state that is about to go.
  if (!stop(1000)) thread_.join();
}

void WorkerThread::post(WorkerCommand command, platform::LPARAM lParam) {
  {
    std::lock_guard lock(mutex_);
    if (quit_) return;
    queue_.emplace_back(command, lParam);
  }
  wake_.notify_one();
}

void WorkerThread::run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return quit_ || !queue_.empty(); });
    if (quit_) break;
    auto [command, lParam] = queue_.front();
    queue_.pop_front();
    lock.unlock();
    job_(command, lParam);
    lock.lock();
  }
  done_ = true;
  finished_.notify_all();
}

bool WorkerThread::stop(std::int64_t timeoutMs) {
  if (!thread_.joinable()) return true;
  std::unique_lock lock(mutex_);
  quit_ = true;
  // What is still queued is dropped, not run.
  queue_.clear();
  wake_.notify_one();
  const bool ended =
      finished_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return done_; });
  lock.unlock();
  if (ended) thread_.join();
  return ended;
}

}  // namespace monitor
