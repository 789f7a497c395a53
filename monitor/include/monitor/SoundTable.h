#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

// The feedback sounds: which file each sound number plays, and how a
// canonical wave is scaled to the profile's feedback volume.
namespace monitor {

namespace sound {
inline constexpr int kGo = 0;
inline constexpr int kTenSeconds = 10;
inline constexpr int kTimerStopped = 18;
inline constexpr int kTimerActivated = 19;
inline constexpr int kSensUp = 30;
inline constexpr int kSensDown = 31;
inline constexpr int kVolumeUp = 32;
inline constexpr int kVolumeDown = 33;
inline constexpr int kFirstProfile = 40;
inline constexpr int kWindowsProfile = 45;
inline constexpr int kTrophy = 50;
inline constexpr int kEveryTrophy = 51;
}  // namespace sound

class SoundTable {
 public:
  // File name under Wave/Volume, or empty when the number has no sound.
  static std::string fileName(int number);
  // Volume factor of a SoundVolume step: 0.3, 0.5, 0.7, 0.9, 1.1; 0.7 otherwise.
  static double volumeFactor(int soundVolume);
  // Scales the samples of a canonical wave in place: data length at byte 40,
  // 16-bit samples from byte 44, as many as the length says and the buffer
  // holds; each is multiplied, truncated toward zero and clamped to
  // -32767..32767. Returns the largest absolute sample afterwards.
  static int scaleWave(std::span<std::byte> wave, double factor);
  // Number of samples scaleWave() touches.
  static std::size_t sampleCount(std::span<const std::byte> wave);
};

}  // namespace monitor
