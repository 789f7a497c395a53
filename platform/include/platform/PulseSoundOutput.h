#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/SoundOutput.h"

namespace platform {

// Plays through the desktop's sound server (PulseAudio, or PipeWire's Pulse
// server) with the simple API, loaded at run time. A thread of its own
// connects and writes, so play() never waits for the server; with no server
// (or no client library) sounds are silently dropped, and the connection is
// tried again only after a pause so a missing server costs nothing.
class PulseSoundOutput : public SoundOutput {
 public:
  PulseSoundOutput();
  ~PulseSoundOutput() override;
  PulseSoundOutput(const PulseSoundOutput&) = delete;
  PulseSoundOutput& operator=(const PulseSoundOutput&) = delete;

  void play(std::string_view name, std::span<const std::byte> wave) override;
  void stop() override;

  // True when a sound server socket can be seen (without connecting).
  static bool serverLikelyPresent();
  // True when the client library could be loaded.
  static bool clientLibraryPresent();

  // How often a connection to the server was tried, and a wait until every
  // sound handed over has been dealt with: what a missing server costs.
  int connectionAttempts();
  bool waitUntilIdle(std::chrono::milliseconds limit);

 private:
  struct Request {
    std::uint64_t generation = 0;
    int channels = 0;
    std::uint32_t rate = 0;
    std::vector<std::byte> samples;  // empty: stop
  };
  void run();
  bool superseded(std::uint64_t generation);

  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable idle_;
  bool busy_ = false;
  int connectionAttempts_ = 0;
  Request pending_;
  bool hasPending_ = false;
  bool quit_ = false;
  std::uint64_t generation_ = 0;
  std::thread worker_;
};

}  // namespace platform
