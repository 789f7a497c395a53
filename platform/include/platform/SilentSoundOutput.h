#pragma once

#include "platform/SoundOutput.h"

namespace platform {

// Plays nothing: for sessions that asked for silence.
class SilentSoundOutput : public SoundOutput {
 public:
  void play(std::string_view, std::span<const std::byte>) override {}
  void stop() override {}
};

}  // namespace platform
