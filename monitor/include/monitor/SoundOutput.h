#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace monitor {

// Plays a 16-bit PCM wave held in memory, asynchronously; the caller keeps
// the bytes alive until the next play() or stop().
class SoundOutput {
 public:
  virtual ~SoundOutput() = default;
  virtual void play(std::string_view name, std::span<const std::byte> wave) = 0;
  virtual void stop() = 0;
};

}  // namespace monitor
