#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/SoundOutput.h"

namespace platform {

// Remembers what it was asked to play, for tests: the names in order, each
// wave as handed over, and the loudest sample of each.
class FakeSoundOutput : public SoundOutput {
 public:
  void play(std::string_view name, std::span<const std::byte> wave) override {
    played.emplace_back(name);
    waves.emplace_back(wave.begin(), wave.end());
    playing = true;
  }
  void stop() override {
    playing = false;
    ++stops;
  }

  // Loudest absolute sample of each played wave (16-bit PCM after the
  // 44-byte header, as long as its data length says and the bytes allow).
  std::vector<int> peaks() const {
    std::vector<int> result;
    for (const auto& wave : waves) result.push_back(peakOf(wave));
    return result;
  }

  std::vector<std::string> played;
  std::vector<std::vector<std::byte>> waves;
  bool playing = false;
  int stops = 0;

 private:
  static int peakOf(const std::vector<std::byte>& wave) {
    constexpr std::size_t kHeader = 44;
    if (wave.size() < kHeader) return 0;
    std::uint32_t dataLength = 0;
    std::memcpy(&dataLength, wave.data() + 40, 4);
    const std::size_t count = std::min<std::size_t>(dataLength / 2, (wave.size() - kHeader) / 2);
    int loudest = 0;
    for (std::size_t i = 0; i < count; ++i) {
      std::int16_t sample = 0;
      std::memcpy(&sample, wave.data() + kHeader + 2 * i, 2);
      loudest =
          std::max(loudest, sample < 0 ? -static_cast<int>(sample) : static_cast<int>(sample));
    }
    return loudest;
  }
};

}  // namespace platform
