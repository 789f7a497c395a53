#pragma once

#include <string>

#include "platform/SoundOutput.h"

namespace platform {

// Instead of playing, appends one line per sound to a file:
//   "<file name> <sample count> <largest absolute sample>"
// (a wave that cannot be parsed logs "0 0"). Each line is one append, so
// several processes may share the file.
class LogSoundOutput : public SoundOutput {
 public:
  explicit LogSoundOutput(std::string logPath) : path_(std::move(logPath)) {}
  void play(std::string_view name, std::span<const std::byte> wave) override;
  void stop() override {}

 private:
  std::string path_;
};

}  // namespace platform
