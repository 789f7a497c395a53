#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <vector>

#include "SysTestSupport.h"
#include "platform/FakeSoundOutput.h"
#include "platform/LogSoundOutput.h"
#include "platform/PulseSoundOutput.h"
#include "platform/SilentSoundOutput.h"
#include "platform/SoundOutput.h"

using namespace vesk_test_support;

namespace {

std::vector<std::byte> monoWave(const std::vector<std::int16_t>& samples) {
  std::vector<std::byte> b;
  auto put = [&b](std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i) b.push_back(std::byte((v >> (8 * i)) & 0xFF));
  };
  auto tag = [&b](const char* t) {
    for (int i = 0; i < 4; ++i) b.push_back(std::byte(t[i]));
  };
  tag("RIFF");
  put(36 + 2 * static_cast<std::uint32_t>(samples.size()), 4);
  tag("WAVE");
  tag("fmt ");
  put(16, 4);
  put(1, 2);
  put(1, 2);
  put(22050, 4);
  put(44100, 4);
  put(2, 2);
  put(16, 2);
  tag("data");
  put(2 * static_cast<std::uint32_t>(samples.size()), 4);
  for (auto s : samples) put(static_cast<std::uint16_t>(s), 2);
  return b;
}

std::string readAll(const std::string& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(SoundOutput, LogBackendWritesOneLinePerSound) {
  TempFolder folder;
  const std::string log = folder.path() + "/sounds.log";
  ScopedEnv env("VESK_SOUND", "log:" + log);
  auto output = platform::makeSoundOutput();
  ASSERT_TRUE(dynamic_cast<platform::LogSoundOutput*>(output.get()));
  const auto loud = monoWave({0, 12000, -20000, 300});
  output->play("ProfileOne.wav", loud);
  output->play("Broken\nName.wav", std::vector<std::byte>(10));
  output->stop();
  auto second = platform::makeSoundOutput();  // another writer appends to the same file
  second->play("Dpi1600.wav", monoWave({-32768}));
  EXPECT_EQ(readAll(log), "ProfileOne.wav 4 20000\nBroken Name.wav 0 0\nDpi1600.wav 1 32768\n");
}

TEST(SoundOutput, EnvironmentChoosesTheBackend) {
  {
    ScopedEnv env("VESK_SOUND", "none");
    EXPECT_TRUE(dynamic_cast<platform::SilentSoundOutput*>(platform::makeSoundOutput().get()));
  }
  ScopedEnv env("VESK_SOUND", "pulse");
  EXPECT_TRUE(dynamic_cast<platform::PulseSoundOutput*>(platform::makeSoundOutput().get()));
}

// With no sound server anywhere, playing is silent and nothing waits for a
// server: play() returns at once, and the output shuts down cleanly even
// with sounds pending.
TEST(SoundOutput, PulseWithoutServerIsSilentAndNeverBlocks) {
  TempFolder runtime;
  ScopedEnv noServer("PULSE_SERVER", "");
  ScopedEnv privateRuntime("XDG_RUNTIME_DIR", runtime.path());
  if (platform::PulseSoundOutput::serverLikelyPresent()) {
    GTEST_SKIP() << "this machine runs a system-wide sound server";
  }
  const auto wave = monoWave(std::vector<std::int16_t>(22050, 1000));
  {
    platform::PulseSoundOutput output;
    for (int i = 0; i < 50; ++i) output.play("x.wav", wave);
    output.stop();
    output.play("y.wav", std::vector<std::byte>(3));  // malformed: nothing to play
    ASSERT_TRUE(output.waitUntilIdle(std::chrono::seconds(10)));
    EXPECT_EQ(output.connectionAttempts(), 0);  // nothing to connect to: not even tried
    output.play("z.wav", wave);                 // pending at shutdown
  }
  platform::PulseSoundOutput idle;  // never played: no thread to end
  idle.stop();
  EXPECT_TRUE(idle.waitUntilIdle(std::chrono::milliseconds(0)));
  EXPECT_EQ(idle.connectionAttempts(), 0);
}

// A server address that leads nowhere: the connection fails at once and the
// output stays silent.
TEST(SoundOutput, PulseWithUnreachableServerGivesUpQuietly) {
  TempFolder runtime;
  ScopedEnv deadServer("PULSE_SERVER", "unix:" + runtime.path() + "/no-such-socket");
  if (!platform::PulseSoundOutput::clientLibraryPresent()) {
    GTEST_SKIP() << "the sound client library is not installed";
  }
  const auto wave = monoWave(std::vector<std::int16_t>(2205, -700));
  platform::PulseSoundOutput output;
  output.play("a.wav", wave);
  ASSERT_TRUE(output.waitUntilIdle(std::chrono::seconds(10)));
  EXPECT_EQ(output.connectionAttempts(), 1);
  // The failed connection is not tried again for the next sound.
  output.play("b.wav", wave);
  ASSERT_TRUE(output.waitUntilIdle(std::chrono::seconds(10)));
  EXPECT_EQ(output.connectionAttempts(), 1);
}

TEST(SoundOutput, FakeRemembersWhatWasPlayed) {
  platform::FakeSoundOutput fake;
  platform::SoundOutput& output = fake;
  output.play("a.wav", monoWave({1}));
  output.stop();
  ASSERT_EQ(fake.played.size(), 1u);
  EXPECT_EQ(fake.played[0], "a.wav");
  ASSERT_EQ(fake.waves.size(), 1u);
  EXPECT_EQ(fake.waves[0].size(), 46u);
  EXPECT_FALSE(fake.playing);
  EXPECT_EQ(fake.stops, 1);

  // Peaks: the loudest sample either way, the most negative one included;
  // a wave too short for its header has none.
  output.play("b.wav", monoWave({0, 12000, -20000, 300}));
  output.play("c.wav", monoWave({-32768}));
  output.play("d.wav", std::vector<std::byte>(10));
  EXPECT_EQ(fake.peaks(), (std::vector<int>{1, 20000, 32768, 0}));
}

}  // namespace
