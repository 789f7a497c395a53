#include "platform/LogSoundOutput.h"

#include <fcntl.h>
#include <unistd.h>

#include "platform/WaveFile.h"

namespace platform {

void LogSoundOutput::play(std::string_view name, std::span<const std::byte> wave) {
  const auto parsed = WaveFile::parse(wave);
  std::string line(name);
  for (char& c : line) {
    if (c == '\n' || c == '\r') c = ' ';  // one sound, one line
  }
  line += ' ' + std::to_string(parsed ? parsed->sampleCount() : 0) + ' ' +
          std::to_string(parsed ? parsed->peak() : 0) + '\n';
  const int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
  if (fd < 0) return;
  [[maybe_unused]] const ssize_t written = write(fd, line.data(), line.size());
  close(fd);
}

}  // namespace platform
