#pragma once

#include <string>

#include "monitor/SoundOutput.h"

namespace monitor {

// Writes one line per sound played instead of playing it:
// "<file name> <sample count> <largest absolute sample>".
class LogSoundOutput : public SoundOutput {
 public:
  explicit LogSoundOutput(std::string logPath) : path_(std::move(logPath)) {}
  void play(std::string_view name, std::span<const std::byte> wave) override;
  void stop() override {}

 private:
  std::string path_;
};

}  // namespace monitor
