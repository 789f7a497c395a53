#include "platform/PulseSoundOutput.h"

#include <dlfcn.h>
#include <pulse/simple.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>

#include "platform/WaveFile.h"

namespace platform {
namespace {

// The simple API, resolved from the client library at run time so that the
// programs run (silently) where it is not installed.
struct PulseSimpleApi {
  decltype(&pa_simple_new) newStream = nullptr;
  decltype(&pa_simple_write) write = nullptr;
  decltype(&pa_simple_flush) flush = nullptr;
  decltype(&pa_simple_free) free = nullptr;
  bool loaded() const { return newStream && write && flush && free; }
};

const PulseSimpleApi& pulseSimple() {
  static const PulseSimpleApi api = [] {
    PulseSimpleApi a;
    void* lib = dlopen("libpulse-simple.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!lib) return a;
    a.newStream = reinterpret_cast<decltype(a.newStream)>(dlsym(lib, "pa_simple_new"));
    a.write = reinterpret_cast<decltype(a.write)>(dlsym(lib, "pa_simple_write"));
    a.flush = reinterpret_cast<decltype(a.flush)>(dlsym(lib, "pa_simple_flush"));
    a.free = reinterpret_cast<decltype(a.free)>(dlsym(lib, "pa_simple_free"));
    return a;
  }();
  return api;
}

bool isSocket(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
}

constexpr auto kRetryAfter = std::chrono::seconds(10);
constexpr std::size_t kChunkMs = 50;  // between checks for a newer request

}  // namespace

PulseSoundOutput::PulseSoundOutput() = default;

PulseSoundOutput::~PulseSoundOutput() {
  {
    std::lock_guard lock(mutex_);
    quit_ = true;
    ++generation_;
  }
  wake_.notify_all();
  if (worker_.joinable()) worker_.join();
}

bool PulseSoundOutput::serverLikelyPresent() {
  // Without any of these the client library would try to start a server of
  // its own, which can take long; the programs only use a running one.
  if (const char* server = std::getenv("PULSE_SERVER"); server && *server) return true;
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) {
    if (isSocket(std::string(runtime) + "/pulse/native")) return true;
  }
  return isSocket("/run/user/" + std::to_string(geteuid()) + "/pulse/native") ||
         isSocket("/var/run/pulse/native");
}

bool PulseSoundOutput::clientLibraryPresent() { return pulseSimple().loaded(); }

int PulseSoundOutput::connectionAttempts() {
  std::lock_guard lock(mutex_);
  return connectionAttempts_;
}

bool PulseSoundOutput::waitUntilIdle(std::chrono::milliseconds limit) {
  std::unique_lock lock(mutex_);
  return idle_.wait_for(lock, limit, [this] { return !hasPending_ && !busy_; });
}

void PulseSoundOutput::play(std::string_view, std::span<const std::byte> wave) {
  const auto parsed = WaveFile::parse(wave);
  std::lock_guard lock(mutex_);
  pending_ = Request{};
  pending_.generation = ++generation_;
  if (parsed && parsed->frames() > 0) {
    pending_.channels = parsed->channels();
    pending_.rate = parsed->sampleRate();
    pending_.samples.assign(parsed->data().begin(), parsed->data().end());
  }
  hasPending_ = true;
  if (!worker_.joinable()) worker_ = std::thread([this] { run(); });
  wake_.notify_all();
}

void PulseSoundOutput::stop() {
  std::lock_guard lock(mutex_);
  if (!worker_.joinable()) return;
  pending_ = Request{};
  pending_.generation = ++generation_;
  hasPending_ = true;
  wake_.notify_all();
}

bool PulseSoundOutput::superseded(std::uint64_t generation) {
  std::lock_guard lock(mutex_);
  return quit_ || generation_ != generation;
}

void PulseSoundOutput::run() {
  const PulseSimpleApi& api = pulseSimple();
  pa_simple* stream = nullptr;
  pa_sample_spec streamSpec{};
  auto nextAttempt = std::chrono::steady_clock::time_point{};

  for (;;) {
    Request request;
    {
      std::unique_lock lock(mutex_);
      busy_ = false;  // the previous request, if any, is dealt with
      idle_.notify_all();
      wake_.wait(lock, [this] { return quit_ || hasPending_; });
      if (quit_) break;
      request = std::move(pending_);
      hasPending_ = false;
      busy_ = true;
    }
    if (stream) api.flush(stream, nullptr);  // the previous sound stops here
    if (request.samples.empty() || !api.loaded()) continue;

    const pa_sample_spec spec{PA_SAMPLE_S16LE, request.rate,
                              static_cast<std::uint8_t>(request.channels)};
    if (stream && (spec.rate != streamSpec.rate || spec.channels != streamSpec.channels)) {
      api.free(stream);
      stream = nullptr;
    }
    if (!stream) {
      const auto now = std::chrono::steady_clock::now();
      if (now < nextAttempt || !serverLikelyPresent()) continue;
      {
        std::lock_guard lock(mutex_);
        ++connectionAttempts_;
      }
      int error = 0;
      stream = api.newStream(nullptr, "Vesk", PA_STREAM_PLAYBACK, nullptr, "feedback", &spec,
                             nullptr, nullptr, &error);
      if (!stream) {
        nextAttempt = now + kRetryAfter;
        continue;
      }
      streamSpec = spec;
    }

    // Whole frames only: the server refuses a write that splits one.
    const std::size_t frameBytes = 2u * static_cast<unsigned>(request.channels);
    const std::size_t chunk = frameBytes * std::max<std::size_t>(request.rate * kChunkMs / 1000, 1);
    for (std::size_t at = 0; at < request.samples.size(); at += chunk) {
      if (superseded(request.generation)) break;
      const std::size_t n = std::min(chunk, request.samples.size() - at);
      int error = 0;
      if (api.write(stream, request.samples.data() + at, n, &error) < 0) {
        api.free(stream);  // the server went away; reconnect on a later sound
        stream = nullptr;
        break;
      }
    }
  }
  if (stream) api.free(stream);
}

}  // namespace platform
