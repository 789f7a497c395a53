#include "monitor/SoundPlayer.h"

#include <fstream>

#include "monitor/MonitorNames.h"
#include "monitor/SoundTable.h"
#include "platform/Paths.h"

namespace monitor {

bool SoundPlayer::play(int number, int soundVolume) {
  output_.stop();
  const std::string name = SoundTable::fileName(number);
  if (name.empty()) return false;
  const std::string path = platform::ResolveIn(programFolder_, std::string(kSoundFolder) + name);
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  if (!file) return false;
  const std::streamoff size = file.tellg();
  if (size <= 0 || !buffer_.reserve(static_cast<std::size_t>(size))) return false;
  file.seekg(0);
  auto wave = buffer_.bytes().first(static_cast<std::size_t>(size));
  if (!file.read(reinterpret_cast<char*>(wave.data()), size)) return false;
  SoundTable::scaleWave(wave, SoundTable::volumeFactor(soundVolume));
  output_.play(name, wave);
  return true;
}

void SoundPlayer::release() {
  output_.stop();
  buffer_.release();
}

}  // namespace monitor
