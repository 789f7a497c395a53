#include "SpeechSynth.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "ToneSynth.h"

namespace wavegen {
namespace {

std::uint32_t read32(const std::vector<char>& b, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<std::uint8_t>(b[at + i]);
  return v;
}
std::uint16_t read16(const std::vector<char>& b, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<std::uint8_t>(b[at]) |
                                    (static_cast<std::uint8_t>(b[at + 1]) << 8));
}

bool run(const std::string& program, const std::vector<std::string>& args) {
  const pid_t pid = fork();
  if (pid < 0) return false;
  if (pid == 0) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execvp(program.c_str(), argv.data());
    _exit(127);
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

std::optional<std::vector<std::int16_t>> SpeechSynth::speak(const std::string& words,
                                                            const std::string& scratchFile) const {
  const std::vector<std::string> args = {"-s", "165", "-a", "180", "-w", scratchFile, words};
  if (!run(program_, args)) return std::nullopt;
  std::ifstream in(scratchFile, std::ios::binary);
  std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
  std::remove(scratchFile.c_str());
  if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0) return std::nullopt;
  std::optional<std::vector<std::int16_t>> samples;
  bool formatOk = false;
  // Walk the chunks rather than trusting a fixed header layout.
  for (std::size_t at = 12; at + 8 <= bytes.size();) {
    const std::uint32_t size = read32(bytes, at + 4);
    const std::size_t body = at + 8;
    const std::size_t end = std::min<std::size_t>(bytes.size(), body + size);
    if (std::memcmp(&bytes[at], "fmt ", 4) == 0 && size >= 16) {
      formatOk = read16(bytes, body) == 1 && read16(bytes, body + 2) == 1 &&
                 read32(bytes, body + 4) == ToneSynth::kSampleRate &&
                 read16(bytes, body + 14) == 16;
    } else if (std::memcmp(&bytes[at], "data", 4) == 0 && formatOk) {
      std::vector<std::int16_t> out;
      for (std::size_t i = body; i + 1 < end; i += 2)
        out.push_back(static_cast<std::int16_t>(read16(bytes, i)));
      samples = std::move(out);
    }
    at = body + size + (size & 1);
  }
  return samples;
}

}  // namespace wavegen
