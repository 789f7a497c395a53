#include "upgrade/UpgradeWorker.h"

namespace upgrade {

UpgradeWorker::UpgradeWorker(Job job) : job_(std::move(job)), thread_([this] { loop(); }) {}

UpgradeWorker::~UpgradeWorker() { stop(); }

void UpgradeWorker::signal() {
  {
    std::lock_guard lock(mutex_);
    event_ = true;
  }
  wake_.notify_one();
}

void UpgradeWorker::requestStop() {
  quit_.store(true);
  signal();
}

void UpgradeWorker::stop() {
  requestStop();
  if (thread_.joinable()) thread_.join();
}

void UpgradeWorker::loop() {
  for (;;) {
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return event_; });
      event_ = false;  // auto-reset: one signal, one run
    }
    if (quit_.load()) return;
    busy_.store(true);
    job_(quit_);
    busy_.store(false);
  }
}

}  // namespace upgrade
