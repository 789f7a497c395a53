#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "monitor/DeviceEvent.h"
#include "monitor/LockedBuffer.h"
#include "monitor/SoundTable.h"

namespace monitor {
namespace {

EventAction actionOf(unsigned type, unsigned value) {
  return DeviceEvent{(type << 16) | value}.action();
}

TEST(DeviceEventTest, PlugMessagesBecomeArrivalRemovalOrNothing) {
  EXPECT_EQ(DeviceEvent::fromPlug(1).action(), EventAction::MouseArrived);
  EXPECT_EQ(DeviceEvent::fromPlug(0).action(), EventAction::MouseRemoved);
  EXPECT_EQ(DeviceEvent::fromPlug(7).raw, 0x7F000000u);
  EXPECT_EQ(DeviceEvent::fromPlug(7).action(), EventAction::None);
}

TEST(DeviceEventTest, EventMessageKeepsOnlyTheLow16BitsOfTheValue) {
  const DeviceEvent e = DeviceEvent::fromMessage(0x2000, 0x7FFF0003);
  EXPECT_EQ(e.type(), 0x2000u);
  EXPECT_EQ(e.value(), 3u);
  EXPECT_EQ(e.action(), EventAction::ProfileChanged);
}

TEST(DeviceEventTest, ValuesOutsideEachRangeAreIgnored) {
  EXPECT_EQ(actionOf(0x2000, 0), EventAction::None);
  EXPECT_EQ(actionOf(0x2000, 5), EventAction::ProfileChanged);
  EXPECT_EQ(actionOf(0x2000, 6), EventAction::None);
  EXPECT_EQ(actionOf(0xB000, 5), EventAction::DpiChanged);
  EXPECT_EQ(actionOf(0xB000, 6), EventAction::None);
  EXPECT_EQ(actionOf(0xD000, 4), EventAction::PollingRateChanged);
  EXPECT_EQ(actionOf(0xD000, 5), EventAction::None);
  EXPECT_EQ(actionOf(0x1B00, 0x00FF), EventAction::VolumeFeedback);
  EXPECT_EQ(actionOf(0x1B00, 0x0101), EventAction::None);  // h must be 0
  EXPECT_EQ(actionOf(0x1000, 255), EventAction::HorizontalScroll);
  EXPECT_EQ(actionOf(0x1000, 2), EventAction::None);
  EXPECT_EQ(actionOf(0x6000, 24), EventAction::StartProgram);
  EXPECT_EQ(actionOf(0x6000, 25), EventAction::None);
  EXPECT_EQ(actionOf(0x6000, 0x0101), EventAction::None);
  EXPECT_EQ(actionOf(0xA000, 2), EventAction::None);
  EXPECT_EQ(actionOf(0xFE00, 110), EventAction::ResendMacro);
  EXPECT_EQ(actionOf(0xFE00, 111), EventAction::None);
  EXPECT_EQ(actionOf(0xFD00, 1), EventAction::UploadColorDatabase);
  EXPECT_EQ(actionOf(0xF000, 31), EventAction::None);
  EXPECT_EQ(actionOf(0xF000, 0x0127), EventAction::Media);
  EXPECT_EQ(actionOf(0x4000, 1), EventAction::None);
}

TEST(DeviceEventTest, CountdownButtonIgnoresTheReleaseFlag) {
  EXPECT_EQ(actionOf(0x8000, 0x0003), EventAction::Countdown);
  EXPECT_EQ(actionOf(0x9000, 0x0203), EventAction::Countdown);
  EXPECT_EQ(actionOf(0x8000, 0x0103), EventAction::None);
}

TEST(DeviceEventTest, EveryTypeOfTheStatisticsRangeIsStatistics) {
  EXPECT_EQ(actionOf(0xE100, 7), EventAction::Statistics);
  EXPECT_EQ(actionOf(0xE800, 7), EventAction::Statistics);
  EXPECT_EQ(actionOf(0xEF00, 0), EventAction::Statistics);
  EXPECT_EQ(actionOf(0xF100, 0), EventAction::None);
}

TEST(SoundTableTest, NumbersNameTheirFiles) {
  EXPECT_EQ(SoundTable::fileName(0), "go.wav");
  EXPECT_EQ(SoundTable::fileName(1), "1_second.wav");
  EXPECT_EQ(SoundTable::fileName(5), "5_seconds.wav");
  EXPECT_EQ(SoundTable::fileName(10), "10_seconds.wav");
  EXPECT_EQ(SoundTable::fileName(19), "timer_activated.wav");
  EXPECT_EQ(SoundTable::fileName(44), "profile_five.wav");
  EXPECT_EQ(SoundTable::fileName(45), "windows_profile.wav");
  EXPECT_EQ(SoundTable::fileName(51), "Every_Trophy.wav");
  EXPECT_EQ(SoundTable::fileName(100), "100.wav");
  EXPECT_EQ(SoundTable::fileName(6400), "6400.wav");
  for (int none : {6, 9, 11, 46, 99, 150, 6500, 0x7FFFFFFF, -100})
    EXPECT_EQ(SoundTable::fileName(none), "");
}

TEST(SoundTableTest, VolumeStepsHaveTheirFactorsAndOthersTheMiddleOne) {
  EXPECT_DOUBLE_EQ(SoundTable::volumeFactor(0), 0.3);
  EXPECT_DOUBLE_EQ(SoundTable::volumeFactor(4), 1.1);
  EXPECT_DOUBLE_EQ(SoundTable::volumeFactor(-1), 0.7);
  EXPECT_DOUBLE_EQ(SoundTable::volumeFactor(5), 0.7);
}

std::vector<std::byte> wave(std::vector<std::int16_t> samples, std::uint32_t declaredBytes) {
  std::vector<std::byte> bytes(44 + samples.size() * 2);
  std::memcpy(bytes.data() + 40, &declaredBytes, 4);
  std::memcpy(bytes.data() + 44, samples.data(), samples.size() * 2);
  return bytes;
}

std::int16_t sampleAt(const std::vector<std::byte>& w, std::size_t i) {
  std::int16_t s = 0;
  std::memcpy(&s, w.data() + 44 + 2 * i, 2);
  return s;
}

TEST(SoundTableTest, ScalingTruncatesTowardZeroAndClamps) {
  auto w = wave({32767, -32768, 1001, -1001}, 8);
  EXPECT_EQ(SoundTable::scaleWave(w, 1.1), 32767);
  EXPECT_EQ(sampleAt(w, 0), 32767);
  EXPECT_EQ(sampleAt(w, 1), -32767);
  EXPECT_EQ(sampleAt(w, 2), 1101);
  EXPECT_EQ(sampleAt(w, 3), -1101);

  auto quiet = wave({1001, -1001}, 4);
  SoundTable::scaleWave(quiet, 0.3);
  EXPECT_EQ(sampleAt(quiet, 0), 300);
  EXPECT_EQ(sampleAt(quiet, 1), -300);
}

TEST(SoundTableTest, ScalingStopsAtTheEndOfTheFileAndOfTheDeclaredData) {
  auto longer = wave({1000, 1000}, 1000000);  // header claims more than the file holds
  EXPECT_EQ(SoundTable::sampleCount(longer), 2u);
  SoundTable::scaleWave(longer, 0.5);
  EXPECT_EQ(sampleAt(longer, 1), 500);

  auto shorter = wave({1000, 1000}, 2);  // only the first sample is data
  SoundTable::scaleWave(shorter, 0.5);
  EXPECT_EQ(sampleAt(shorter, 0), 500);
  EXPECT_EQ(sampleAt(shorter, 1), 1000);

  std::vector<std::byte> truncated(20);
  EXPECT_EQ(SoundTable::scaleWave(truncated, 1.1), 0);
}

TEST(LockedBufferTest, GrowsToWholePagesAndKeepsALargerBuffer) {
  LockedBuffer buffer;
  ASSERT_TRUE(buffer.reserve(5000));
  EXPECT_TRUE(buffer.pageAligned());
  EXPECT_GE(buffer.capacity(), 5000u);
  EXPECT_EQ(buffer.capacity() % 4096, 0u);
  const std::size_t grown = buffer.capacity();
  ASSERT_TRUE(buffer.reserve(10));
  EXPECT_EQ(buffer.capacity(), grown);
  ASSERT_TRUE(buffer.reserve(grown + 1));
  EXPECT_GT(buffer.capacity(), grown);
  buffer.release();
  EXPECT_EQ(buffer.capacity(), 0u);
}

}  // namespace
}  // namespace monitor
