#include "monitor/LogSoundOutput.h"

#include <cstdint>
#include <cstring>
#include <fstream>

#include "monitor/SoundTable.h"

namespace monitor {

void LogSoundOutput::play(std::string_view name, std::span<const std::byte> wave) {
  const std::size_t count = SoundTable::sampleCount(wave);
  int loudest = 0;
  for (std::size_t i = 0; i < count; ++i) {
    std::int16_t sample = 0;
    std::memcpy(&sample, wave.data() + 44 + 2 * i, 2);
    const int magnitude = sample < 0 ? -sample : sample;
    if (magnitude > loudest) loudest = magnitude;
  }
  std::ofstream(path_, std::ios::app) << name << ' ' << count << ' ' << loudest << '\n';
}

}  // namespace monitor
