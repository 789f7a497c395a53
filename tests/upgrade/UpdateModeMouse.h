#pragma once

#include <deque>
#include <functional>
#include <mutex>
#include <vector>

#include "device/Transport.h"
#include "device/UpdateMode.h"
#include "platform/VirtualClock.h"

// A mouse in update mode described by data: status answers come from a
// script (default: done), and every report is recorded with the virtual time
// it was exchanged at.
struct UpdateModeMouse : device::Transport {
  static constexpr int kFailedRead = -1;
  struct Exchange {
    std::int64_t at;
    bool set;
    std::vector<std::uint8_t> bytes;
  };

  explicit UpdateModeMouse(platform::VirtualClock& clock) : clock(clock) {}

  bool setFeature(std::span<const std::uint8_t> report) override {
    std::lock_guard lock(mutex);
    log.push_back({clock.now(), true, {report.begin(), report.end()}});
    if (onReport) onReport();
    return setCount++ != failSetAt;
  }
  bool getFeature(std::span<std::uint8_t> report) override {
    std::lock_guard lock(mutex);
    log.push_back({clock.now(), false, {report.begin(), report.end()}});
    if (onReport) onReport();
    if (report[0] == 9 && report.size() == 6) {
      report[2] = report[3] = version;
      return answersVersion;
    }
    if (report[0] != device::update::kStatusReport) return false;
    int status = statusDefault;
    if (!statuses.empty()) {
      status = statuses.front();
      statuses.pop_front();
    }
    if (status == kFailedRead) return false;
    report[1] = static_cast<std::uint8_t>(status);
    return true;
  }

  // The commands sent (report 27 byte 1), in order.
  std::vector<int> commands() const {
    std::vector<int> c;
    for (const auto& e : log)
      if (e.set && e.bytes[0] == device::update::kCommandReport) c.push_back(e.bytes[1]);
    return c;
  }
  std::vector<std::int64_t> pollTimes() const {
    std::vector<std::int64_t> t;
    for (const auto& e : log)
      if (!e.set && e.bytes[0] == device::update::kStatusReport) t.push_back(e.at);
    return t;
  }
  std::vector<const Exchange*> sent(int command) const {
    std::vector<const Exchange*> out;
    for (const auto& e : log)
      if (e.set && e.bytes[1] == command) out.push_back(&e);
    return out;
  }

  platform::VirtualClock& clock;
  std::mutex mutex;
  std::vector<Exchange> log;
  std::deque<int> statuses;
  int statusDefault = device::update::kStatusDone;
  int failSetAt = -1;  // index of the SetFeature that fails
  int setCount = 0;
  std::uint8_t version = 105;
  bool answersVersion = true;
  std::function<void()> onReport;
};
