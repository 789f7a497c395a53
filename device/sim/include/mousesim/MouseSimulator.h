#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "mousesim/MouseModel.h"

namespace mousesim {

// The simulated mouse as the simulator process runs it: the firmware model,
// the log of every report exchanged, and the control commands of
// `vesk-mouse-sim ctl`.
class MouseSimulator {
 public:
  // The log keeps the newest reports within this many bytes of text.
  static constexpr std::size_t kMaxLogBytes = 4 * 1024 * 1024;

  explicit MouseSimulator(MouseMemory memory);
  MouseModel& model() { return model_; }

  struct Reply {
    int code = 0;  // 0 = done
    std::string text;
  };
  // One control command, e.g. {"press", "3"} or {"unplug", "--after", "5"}.
  Reply control(const std::vector<std::string>& args);

  // "<ms since start> SET|GET <hex bytes>" per report.
  const std::deque<std::string>& log() const { return log_; }
  std::size_t logBytes() const { return logBytes_; }

 private:
  Reply state(bool json) const;

  MouseModel model_;
  std::int64_t startMs_;
  void addToLog(std::string line);

  std::deque<std::string> log_;
  std::size_t logBytes_ = 0;
};

}  // namespace mousesim
