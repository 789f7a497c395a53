#include "device/DeviceLayer.h"

#include <gtest/gtest.h>

#include <memory>

#include "ScriptedTransport.h"

using namespace device;

namespace {

struct DeviceLayerTest : ::testing::Test {
  platform::VirtualClock clock{0};
  ScriptedTransport mouse{clock};
  DeviceLayer layer{mouse, clock};
  std::unique_ptr<settings::SettingsImage> image = std::make_unique<settings::SettingsImage>();
};

}  // namespace

TEST_F(DeviceLayerTest, AbortablePauseSleepsWholeSteps) {
  layer.abortablePause(350);
  EXPECT_EQ(clock.now(), 300);
  layer.abortablePause(99);
  EXPECT_EQ(clock.now(), 300);
  mouse.onReport = nullptr;
  layer.requestAbort();
  layer.abortablePause(5000);
  layer.shortPause(50);
  EXPECT_EQ(clock.now(), 300);
}

TEST_F(DeviceLayerTest, BusyOnEveryPollGivesUpAfterTenPolls) {
  mouse.statusDefault = kStatusBusy;
  EXPECT_FALSE(layer.statusWait(100));
  EXPECT_EQ(mouse.pollTimes(), (std::vector<std::int64_t>{100, 1100, 2600, 4600, 6600, 8600, 10600,
                                                          12600, 14600, 16600}));
  EXPECT_EQ(clock.now(), 100 + 1000 + 1500 + 7 * 2000);
}

TEST_F(DeviceLayerTest, StatusWaitEndsOnFirstDefiniteAnswer) {
  mouse.statuses = {3, 3, 1};
  EXPECT_TRUE(layer.statusWait(500));
  EXPECT_EQ(mouse.pollTimes(), (std::vector<std::int64_t>{500, 1500, 3000}));

  mouse.log.clear();
  mouse.statuses = {3, 2};
  EXPECT_FALSE(layer.statusWait(0)) << "any status but 1 and 3 is a failure";
  EXPECT_EQ(mouse.log.size(), 2u);
}

TEST_F(DeviceLayerTest, FailedPollAfterBusyAsksAgainButFirstFailedPollEnds) {
  mouse.statuses = {3, -1, 1};
  EXPECT_TRUE(layer.statusWait(100));
  EXPECT_EQ(mouse.pollTimes().size(), 3u);

  mouse.log.clear();
  mouse.statuses = {-1, 1};
  EXPECT_FALSE(layer.statusWait(100));
  EXPECT_EQ(mouse.pollTimes().size(), 1u);
}

TEST_F(DeviceLayerTest, AbortEndsStatusWaitAtOnce) {
  mouse.statusDefault = kStatusBusy;
  int polls = 0;
  mouse.onReport = [&] {
    if (++polls == 2) layer.requestAbort();
  };
  EXPECT_FALSE(layer.statusWait(100));
  EXPECT_EQ(polls, 2);
  EXPECT_EQ(clock.now(), 1100);
}

TEST_F(DeviceLayerTest, WritesWaitWithTheirInitialDelayOnlyWhenSent) {
  EXPECT_TRUE(layer.writeButtons(*image, 0));
  EXPECT_EQ(mouse.pollTimes(), std::vector<std::int64_t>{500});
  mouse.log.clear();
  clock.advanceTo(10000);
  EXPECT_TRUE(layer.writeProfileSettings(*image, 1));
  EXPECT_EQ(mouse.pollTimes(), std::vector<std::int64_t>{10100});

  mouse.log.clear();
  mouse.setSucceeds = false;
  EXPECT_FALSE(layer.writeMacro(*image, 0, 0));
  EXPECT_FALSE(layer.sendReset());
  EXPECT_FALSE(layer.sendHostActive(true));
  EXPECT_TRUE(mouse.pollTimes().empty()) << "no status wait after a failed send";
  EXPECT_FALSE(layer.writeButtons(*image, 5)) << "profile out of range";
}

TEST_F(DeviceLayerTest, MacroWriteResultIsTheWaitsResult) {
  mouse.statuses = {2};
  EXPECT_FALSE(layer.writeMacro(*image, 0, 3));
  mouse.statuses = {1};
  EXPECT_TRUE(layer.writeMacro(*image, 0, 3));
}

TEST_F(DeviceLayerTest, ReadsSelectWaitThenRead) {
  mouse.answer = [](std::span<std::uint8_t> r) {
    if (r[0] != kProfileSettingsReport) return false;
    r[3] = 0;
    r[5] = 8;
    return true;
  };
  ASSERT_TRUE(layer.readProfileSettings(*image, 3));
  ASSERT_EQ(mouse.log.size(), 3u);
  EXPECT_EQ(mouse.log[0].bytes, (std::vector<std::uint8_t>{4, 3, 0x80}));
  EXPECT_EQ(mouse.log[1].at, 100);
  EXPECT_EQ(mouse.log[2].bytes[0], kProfileSettingsReport);
  EXPECT_EQ(mouse.log[2].bytes.size(), 46u);
  EXPECT_EQ(image->Profiles[3].Sensitivity, 8);

  mouse.log.clear();
  mouse.statuses = {2};
  EXPECT_FALSE(layer.readButtons(*image, 0));
  EXPECT_EQ(mouse.log.size(), 2u) << "no read after a failed select";
}

TEST_F(DeviceLayerTest, SensorCaptureTimingAndMean) {
  mouse.answer = [](std::span<std::uint8_t> r) {
    if (r[0] != kSensorImageReport || r.size() != kSensorImageLength) return false;
    for (std::size_t i = 0; i < 900; ++i) r[3 + i] = i < 450 ? 100 : 201;
    return true;
  };
  codec::SensorImage image;
  ASSERT_TRUE(layer.captureSensorImage(image));
  ASSERT_EQ(mouse.log.size(), 3u);
  EXPECT_EQ(mouse.log[0].bytes, (std::vector<std::uint8_t>{12, 3, 1, 0}));
  EXPECT_EQ(mouse.log[1].at, 2000) << "status wait without initial delay after 2000 ms";
  EXPECT_EQ(mouse.log[2].at, 2500);
  EXPECT_EQ(image.mean, 150);
  EXPECT_EQ(layer.calibration().value, 150);
}

TEST_F(DeviceLayerTest, CalibrationStateThenTrackingControl) {
  image->LiftOnFlag = 1;
  image->TrackControlFlag = 1;
  layer.calibration() = {90, 2};
  ASSERT_TRUE(layer.setCalibrationState(*image, 3));
  EXPECT_EQ(mouse.log[0].bytes, (std::vector<std::uint8_t>{15, 6, 1, 1, 0, 0}));
  ASSERT_TRUE(layer.sendTrackingControl(*image, 255));
  EXPECT_EQ(mouse.log[2].bytes, (std::vector<std::uint8_t>{15, 6, 1, 255, 255, 255}));
}

TEST_F(DeviceLayerTest, ColourDatabaseStopsAtFirstFailedBlock) {
  std::vector<std::uint8_t> file(2049, 1);
  ASSERT_TRUE(layer.uploadColourDatabase(file));
  EXPECT_EQ(mouse.pollTimes(), (std::vector<std::int64_t>{300, 600, 900}));

  mouse.log.clear();
  mouse.statuses = {1, 2, 1};
  EXPECT_FALSE(layer.uploadColourDatabase(file));
  EXPECT_EQ(mouse.log.size(), 4u) << "block 2 is not sent after block 1 failed";

  mouse.log.clear();
  EXPECT_TRUE(layer.uploadColourDatabase({}));
  EXPECT_TRUE(mouse.log.empty());
}
