#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "device/Transport.h"
#include "platform/VirtualClock.h"

// A mouse described by data: answers status polls from a script and records
// every report with the virtual time it was exchanged at.
struct ScriptedTransport : device::Transport {
  struct Exchange {
    std::int64_t at;
    bool set;
    std::vector<std::uint8_t> bytes;
  };

  explicit ScriptedTransport(platform::VirtualClock& clock) : clock(clock) {}

  bool setFeature(std::span<const std::uint8_t> report) override {
    log.push_back({clock.now(), true, {report.begin(), report.end()}});
    if (onReport) onReport();
    return setSucceeds;
  }
  bool getFeature(std::span<std::uint8_t> report) override {
    log.push_back({clock.now(), false, {report.begin(), report.end()}});
    if (onReport) onReport();
    if (report[0] == 4) {
      int status = statusDefault;
      if (!statuses.empty()) {
        status = statuses.front();
        statuses.pop_front();
      }
      if (status < 0) return false;  // a failed read
      report[1] = static_cast<std::uint8_t>(status);
      return true;
    }
    if (answer) return answer(report);
    return false;
  }
  std::vector<std::int64_t> pollTimes() const {
    std::vector<std::int64_t> t;
    for (const auto& e : log) {
      if (!e.set && e.bytes[0] == 4) t.push_back(e.at);
    }
    return t;
  }

  platform::VirtualClock& clock;
  std::vector<Exchange> log;
  std::deque<int> statuses;  // -1 = the read fails
  int statusDefault = 1;
  bool setSucceeds = true;
  std::function<bool(std::span<std::uint8_t>)> answer;
  std::function<void()> onReport;
};
