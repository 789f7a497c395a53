#pragma once

#include <string>
#include <vector>

#include "platform/SoundOutput.h"

namespace platform {

// Remembers what it was asked to play, for tests.
class FakeSoundOutput : public SoundOutput {
 public:
  struct Played {
    std::string name;
    std::vector<std::byte> wave;
  };
  void play(std::string_view name, std::span<const std::byte> wave) override {
    played.push_back({std::string(name), {wave.begin(), wave.end()}});
    playing = true;
  }
  void stop() override {
    playing = false;
    ++stops;
  }

  std::vector<Played> played;
  bool playing = false;
  int stops = 0;
};

}  // namespace platform
