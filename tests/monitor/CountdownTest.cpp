#include <gtest/gtest.h>

#include "MonitorFakes.h"
#include "TestFolder.h"
#include "monitor/Countdown.h"
#include "monitor/MonitorNames.h"

namespace monitor {
namespace {

using testing::FakeSound;
using testing::FakeWindowPort;

class CountdownTest : public ::testing::Test {
 protected:
  CountdownTest()
      : player(sound, folder.folder()), sounds(window, player), countdown(window, sounds) {
    testing::writeSoundFiles(folder.path());
  }
  void press(int code, int length = 0) {
    settings::ButtonSlot slot{};
    slot.FunctionCode = static_cast<std::uint8_t>(code);
    slot.TimerLength = length;
    countdown.onButton(slot, 2);
  }
  void advance(std::int64_t ms) {
    window.advance(ms, [this](std::uintptr_t id) {
      if (id == timer::kCountdown) countdown.tick(2);
    });
  }

  testing::TestFolder folder;
  FakeWindowPort window;
  FakeSound sound;
  SoundPlayer player;
  FeedbackSounds sounds;
  Countdown countdown;
};

TEST_F(CountdownTest, TenSecondsAnnouncesTenAtOnceThenTheLastFive) {
  press(Countdown::kStartCode, 10);
  EXPECT_EQ(sound.played, (std::vector<std::string>{"timer_activated.wav", "10_seconds.wav"}));
  advance(4000);
  EXPECT_EQ(sound.played.size(), 2u);
  EXPECT_FALSE(sounds.finalSecondsLock());
  advance(1000);  // 10 -> 5
  EXPECT_EQ(sound.played.back(), "5_seconds.wav");
  EXPECT_TRUE(sounds.finalSecondsLock());
  advance(4000);
  EXPECT_EQ(sound.played, (std::vector<std::string>{
                              "timer_activated.wav", "10_seconds.wav", "5_seconds.wav",
                              "4_seconds.wav", "3_seconds.wav", "2_seconds.wav", "1_second.wav"}));
  advance(1000);
  EXPECT_EQ(sound.played.back(), "go.wav");
  EXPECT_FALSE(countdown.running());
  EXPECT_FALSE(sounds.finalSecondsLock());
  EXPECT_FALSE(window.timerRunning(timer::kCountdown));
  advance(5000);
  EXPECT_EQ(sound.played.size(), 8u);
}

TEST_F(CountdownTest, ElevenSecondsAnnouncesTenOnTheFirstTick) {
  press(Countdown::kStartCode, 11);
  EXPECT_EQ(sound.played, std::vector<std::string>{"timer_activated.wav"});
  advance(1000);
  EXPECT_EQ(sound.played.back(), "10_seconds.wav");
}

TEST_F(CountdownTest, ThreeSecondsLocksFromTheFirstTick) {
  press(Countdown::kStartCode, 3);
  advance(1000);
  EXPECT_TRUE(sounds.finalSecondsLock());
  EXPECT_EQ(sound.played.back(), "2_seconds.wav");
  advance(2000);
  EXPECT_EQ(sound.played, (std::vector<std::string>{"timer_activated.wav", "2_seconds.wav",
                                                    "1_second.wav", "go.wav"}));
  EXPECT_FALSE(sounds.finalSecondsLock());
}

TEST_F(CountdownTest, StopButtonEndsARunningCountdownOnly) {
  press(Countdown::kStopCode);
  EXPECT_TRUE(sound.played.empty());
  press(Countdown::kStartCode, 4);
  advance(1000);
  EXPECT_TRUE(sounds.finalSecondsLock());
  press(Countdown::kStopCode);
  EXPECT_EQ(sound.played.back(), "timer_stopped.wav");
  EXPECT_FALSE(countdown.running());
  EXPECT_FALSE(sounds.finalSecondsLock());
  EXPECT_FALSE(window.timerRunning(timer::kCountdown));
}

TEST_F(CountdownTest, StartingAgainRestartsFromTheFullLength) {
  press(Countdown::kStartCode, 30);
  advance(7000);
  press(Countdown::kStartCode, 30);
  EXPECT_EQ(countdown.remaining(), 30);
  advance(500);
  EXPECT_EQ(countdown.remaining(), 30);  // the period started again
  advance(500);
  EXPECT_EQ(countdown.remaining(), 29);
}

TEST_F(CountdownTest, RestartingInTheFinalSecondsReleasesTheirLock) {
  press(Countdown::kStartCode, 8);
  advance(4000);
  ASSERT_TRUE(sounds.finalSecondsLock());
  press(Countdown::kStartCode, 120);
  EXPECT_FALSE(sounds.finalSecondsLock());
  advance(60000);
  EXPECT_FALSE(sounds.finalSecondsLock());  // other feedback is heard again
  advance(56000);
  EXPECT_TRUE(sounds.finalSecondsLock());  // until this countdown's own last seconds
}

TEST_F(CountdownTest, OtherCodesDoNothing) {
  press(48, 10);
  EXPECT_FALSE(countdown.running());
  EXPECT_TRUE(sound.played.empty());
}

TEST_F(CountdownTest, FeedbackSoundsPlayAfterTheirDelayAndTheLastRequestWins) {
  sounds.setPendingDpi(16);
  sounds.schedule(timer::kSoundDpi);
  window.advance(300, [](std::uintptr_t) {});
  sounds.schedule(timer::kSoundSensUp);
  window.advance(499, [&](std::uintptr_t id) { sounds.onTimer(id, 0, 2); });
  EXPECT_TRUE(sound.played.empty());
  window.advance(1, [&](std::uintptr_t id) { sounds.onTimer(id, 0, 2); });
  EXPECT_EQ(sound.played, std::vector<std::string>{"sens_up.wav"});
  EXPECT_FALSE(window.timerRunning(timer::kSoundSensUp));
}

TEST_F(CountdownTest, SoundsAreScaledToTheProfileVolume) {
  sounds.play(sound::kGo, 4);  // 20000 x 1.1
  sounds.play(sound::kGo, 0);  // 20000 x 0.3
  EXPECT_EQ(sound.peaks(), (std::vector<int>{22000, 6000}));
  sounds.play(12, 2);  // no file for 12
  EXPECT_EQ(sound.played.size(), 2u);
}

}  // namespace
}  // namespace monitor
