#include "monitor/SoundTable.h"

#include <algorithm>
#include <cstring>

namespace monitor {

std::string SoundTable::fileName(int n) {
  static constexpr const char* kProfiles[] = {"profile_one.wav", "profile_two.wav",
                                              "profile_three.wav", "profile_four.wav",
                                              "profile_five.wav"};
  switch (n) {
    case 0:
      return "go.wav";
    case 1:
      return "1_second.wav";
    case 2:
    case 3:
    case 4:
    case 5:
      return std::to_string(n) + "_seconds.wav";
    case 10:
      return "10_seconds.wav";
    case 18:
      return "timer_stopped.wav";
    case 19:
      return "timer_activated.wav";
    case 30:
      return "sens_up.wav";
    case 31:
      return "sens_down.wav";
    case 32:
      return "volume_up.wav";
    case 33:
      return "volume_down.wav";
    case 45:
      return "windows_profile.wav";
    case 50:
      return "Trophy.wav";
    case 51:
      return "Every_Trophy.wav";
    default:
      break;
  }
  if (n >= sound::kFirstProfile && n < sound::kFirstProfile + 5) return kProfiles[n - 40];
  if (n >= 100 && n <= 6400 && n % 100 == 0) return std::to_string(n) + ".wav";
  return {};
}

double SoundTable::volumeFactor(int soundVolume) {
  static constexpr double kFactors[] = {0.3, 0.5, 0.7, 0.9, 1.1};
  return soundVolume >= 0 && soundVolume <= 4 ? kFactors[soundVolume] : 0.7;
}

std::size_t SoundTable::sampleCount(std::span<const std::byte> wave) {
  if (wave.size() < 44) return 0;
  std::uint32_t dataLength = 0;
  std::memcpy(&dataLength, wave.data() + 40, 4);
  return std::min<std::size_t>(dataLength / 2, (wave.size() - 44) / 2);
}

int SoundTable::scaleWave(std::span<std::byte> wave, double factor) {
  const std::size_t count = sampleCount(wave);
  int loudest = 0;
  for (std::size_t i = 0; i < count; ++i) {
    std::byte* at = wave.data() + 44 + 2 * i;
    std::int16_t sample = 0;
    std::memcpy(&sample, at, 2);
    // The cast truncates toward zero, as the original scaling did.
    const auto scaled = static_cast<int>(sample * factor);
    const auto clamped = static_cast<std::int16_t>(std::clamp(scaled, -32767, 32767));
    std::memcpy(at, &clamped, 2);
    loudest = std::max(loudest, clamped < 0 ? -clamped : static_cast<int>(clamped));
  }
  return loudest;
}

}  // namespace monitor
