#include "upgrade/UpgradeRun.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "UpdateModeMouse.h"

using namespace upgrade;
namespace upd = device::update;

namespace {

constexpr int kBusy = upd::kStatusBusy;
constexpr int kRepeat = upd::kStatusRepeat;
constexpr int kFailed = upd::kStatusFailed;
constexpr int kNoAnswer = UpdateModeMouse::kFailedRead;

struct UpgradeRunTest : ::testing::Test {
  platform::VirtualClock clock{0};
  UpdateModeMouse mouse{clock};
  std::atomic<bool> stop{false};
  UpgradeRun run{mouse, clock, stop};
  FirmwareImage image;
  std::vector<std::size_t> written;

  bool runImage(std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
    EXPECT_EQ(image.assign(bytes), FirmwareImage::Load::Ok);
    return run.run(image, [&](std::size_t block) { written.push_back(block); });
  }
};

std::uint16_t u16(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

}  // namespace

TEST_F(UpgradeRunTest, ImageOfTwoBlocksAndOneByteGoesOutAsThreeBlocks) {
  std::vector<std::uint8_t> bytes(2049, 0x11);
  bytes[2048] = 0xC7;
  ASSERT_EQ(image.assign(bytes), FirmwareImage::Load::Ok);
  EXPECT_EQ(image.blockCount(), 3u);
  EXPECT_EQ(image.checksum(0), static_cast<std::uint16_t>(1024 * 0x11));
  EXPECT_EQ(image.checksum(2), 0xC7) << "the last block is one byte and 1023 zeros";

  ASSERT_TRUE(run.run(image, [&](std::size_t block) { written.push_back(block); }));
  EXPECT_EQ(mouse.commands(), (std::vector<int>{0, 1, 2, 3, 4, 3, 4, 3, 4, 15}));
  EXPECT_EQ(written, (std::vector<std::size_t>{0, 1, 2}));

  const auto announce = mouse.sent(upd::kAnnounceImage);
  ASSERT_EQ(announce.size(), 1u);
  EXPECT_EQ(announce[0]->bytes[4] | (announce[0]->bytes[5] << 8), 2049);
  const auto blocks = mouse.sent(upd::kAnnounceBlock);
  const auto data = mouse.sent(upd::kBlockData);
  ASSERT_EQ(blocks.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(u16(blocks[i]->bytes, 4), i);
    EXPECT_EQ(u16(blocks[i]->bytes, 6), image.checksum(i));
    EXPECT_EQ(blocks[i]->bytes.size(), upd::kCommandLength);
  }
  const auto& last = data[2]->bytes;
  EXPECT_EQ(last[2], 0xC7);
  EXPECT_TRUE(std::all_of(last.begin() + 3, last.end(), [](std::uint8_t b) { return b == 0; }));
}

TEST_F(UpgradeRunTest, ImageOfExactlyOneBlockIsOneBlock) {
  ASSERT_TRUE(runImage(1024));
  EXPECT_EQ(mouse.commands(), (std::vector<int>{0, 1, 2, 3, 4, 15}));
  EXPECT_EQ(written, std::vector<std::size_t>{0});
}

TEST_F(UpgradeRunTest, ImagesThatCannotBeSentAreRefusedWhole) {
  EXPECT_EQ(image.assign(std::vector<std::uint8_t>(upd::kMaxImageSize + 1, 1)),
            FirmwareImage::Load::TooLarge);
  EXPECT_TRUE(image.empty());
  EXPECT_EQ(image.assign({}), FirmwareImage::Load::Empty);
  EXPECT_EQ(image.load("/nonexistent/firmware.bin"), FirmwareImage::Load::Unreadable);
  EXPECT_EQ(image.load(""), FirmwareImage::Load::Unreadable);
  EXPECT_FALSE(run.run(image, nullptr));
  EXPECT_TRUE(mouse.log.empty()) << "an empty image sends nothing";

  EXPECT_EQ(image.assign(std::vector<std::uint8_t>(upd::kMaxImageSize, 1)),
            FirmwareImage::Load::Ok);
  EXPECT_EQ(image.blockCount(), upd::kMaxBlocks);
}

TEST_F(UpgradeRunTest, FileIsReadWithItsTrailingPartialBlock) {
  const auto path = std::filesystem::temp_directory_path() /
                    ("vesk-upgrade-image-" + std::to_string(::getpid()) + ".bin");
  std::vector<char> bytes(3000);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i % 251);
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<long>(bytes.size()));
  ASSERT_EQ(image.load(path.string()), FirmwareImage::Load::Ok);
  std::filesystem::remove(path);
  EXPECT_EQ(image.size(), 3000u);
  EXPECT_EQ(image.blockCount(), 3u);
  std::uint16_t sum = 0;
  for (std::size_t i = 2048; i < 3000; ++i) sum = static_cast<std::uint16_t>(sum + i % 251);
  EXPECT_EQ(image.checksum(2), sum);

  // A second load replaces the first entirely.
  std::ofstream(path, std::ios::binary).write(bytes.data(), 5);
  ASSERT_EQ(image.load(path.string()), FirmwareImage::Load::Ok);
  std::filesystem::remove(path);
  EXPECT_EQ(image.blockCount(), 1u);
  EXPECT_EQ(image.checksum(0), 0 + 1 + 2 + 3 + 4);
}

TEST_F(UpgradeRunTest, StatusWaitPausesGrowThenStayAtOneAndAHalfSeconds) {
  mouse.statuses = {kBusy, kBusy, kBusy, kBusy, kBusy, kBusy, kBusy, kBusy, 1};
  EXPECT_TRUE(run.waitStatus().done);
  EXPECT_EQ(mouse.pollTimes(),
            (std::vector<std::int64_t>{100, 200, 400, 800, 1400, 2900, 3400, 4900, 6400}));
}

TEST_F(UpgradeRunTest, NineteenBusyAnswersThenDoneCompletesTwentyFail) {
  mouse.statuses.assign(19, kBusy);
  mouse.statuses.push_back(1);
  EXPECT_TRUE(run.waitStatus().done);
  EXPECT_EQ(mouse.pollTimes().size(), 20u);

  mouse.log.clear();
  mouse.statuses.assign(20, kBusy);
  mouse.statuses.push_back(1);
  const auto status = run.waitStatus();
  EXPECT_FALSE(status.done);
  EXPECT_EQ(status.last, kBusy);
  EXPECT_EQ(mouse.pollTimes().size(), 20u);
}

TEST_F(UpgradeRunTest, FailedReadEndsTheWaitUnlessTheMouseWasBusy) {
  mouse.statuses = {kNoAnswer, 1};
  EXPECT_FALSE(run.waitStatus().done);
  EXPECT_EQ(mouse.pollTimes().size(), 1u);

  mouse.log.clear();
  mouse.statuses = {kBusy, kNoAnswer, kNoAnswer, 1};
  EXPECT_TRUE(run.waitStatus().done);
  EXPECT_EQ(mouse.pollTimes().size(), 4u);

  mouse.log.clear();
  mouse.statuses = {kFailed, 1};
  EXPECT_FALSE(run.waitStatus().done);
  EXPECT_EQ(mouse.pollTimes().size(), 1u);
}

TEST_F(UpgradeRunTest, RepeatAnswersSendTheSameCommandAgainButNotForever) {
  mouse.statuses = {kRepeat, kRepeat, 1};
  EXPECT_TRUE(run.sendCommand(upd::prepare()).done);
  ASSERT_EQ(mouse.sent(upd::kPrepare).size(), 3u);
  EXPECT_EQ(mouse.sent(upd::kPrepare)[2]->bytes, mouse.sent(upd::kPrepare)[0]->bytes);

  mouse.log.clear();
  mouse.statuses.assign(19, kRepeat);
  EXPECT_TRUE(run.sendCommand(upd::prepare()).done) << "nineteen repeats, then done";
  EXPECT_EQ(mouse.sent(upd::kPrepare).size(), 20u);

  mouse.log.clear();
  mouse.statusDefault = kRepeat;
  const auto status = run.sendCommand(upd::prepare());
  EXPECT_FALSE(status.done);
  EXPECT_EQ(mouse.sent(upd::kPrepare).size(), static_cast<std::size_t>(UpgradeRun::kMaxSends));
}

TEST_F(UpgradeRunTest, ModeChangesWaitHalfASecondBeforeTheirFirstPoll) {
  ASSERT_TRUE(runImage(100));
  // Enter: 500 + 100; pause 500; announce 100; pause 500; prepare 100;
  // pause 500; block announce 100; data 100; finish 500 + 100.
  EXPECT_EQ(mouse.pollTimes(), (std::vector<std::int64_t>{600, 1200, 1800, 2400, 2500, 3100}));
  std::vector<std::int64_t> sends;
  for (const auto& e : mouse.log)
    if (e.set) sends.push_back(e.at);
  EXPECT_EQ(sends, (std::vector<std::int64_t>{0, 1100, 1700, 2300, 2400, 2500}));
  EXPECT_EQ(clock.now(), 3100);
}

TEST_F(UpgradeRunTest, FailedCommandStopsTheRunAtOnce) {
  // 0, 1, 2, then block 0 (two sets); the announcement of block 1 fails.
  mouse.failSetAt = 5;
  EXPECT_FALSE(runImage(3000));
  EXPECT_EQ(mouse.commands(), (std::vector<int>{0, 1, 2, 3, 4, 3}));
  EXPECT_EQ(written, std::vector<std::size_t>{0});
  EXPECT_EQ(mouse.log.back().set, true) << "no status poll after a failed send";

  mouse.log.clear();
  written.clear();
  mouse.failSetAt = -1;
  // Block 0's data is refused after a busy spell.
  mouse.statuses = {1, 1, 1, 1, kBusy, kFailed};
  EXPECT_FALSE(runImage(3000));
  EXPECT_EQ(mouse.commands(), (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_TRUE(written.empty());
}

TEST_F(UpgradeRunTest, FinishCountsUnlessRefusedOrNeverSent) {
  // The mouse restarts into its new firmware without answering.
  mouse.statuses = {1, 1, 1, 1, 1, kNoAnswer};
  EXPECT_TRUE(runImage(10));

  mouse.log.clear();
  mouse.statuses = {1, 1, 1, 1, 1, kFailed};
  EXPECT_FALSE(runImage(10)) << "a refused finish installed nothing";

  mouse.log.clear();
  mouse.setCount = 0;
  mouse.failSetAt = 5;
  EXPECT_FALSE(runImage(10)) << "the finish never reached the mouse";
}

TEST_F(UpgradeRunTest, StopFlagEndsTheRunBetweenCommands) {
  int reports = 0;
  mouse.onReport = [&] {
    if (++reports == 12) stop = true;  // during block 1
  };
  EXPECT_FALSE(runImage(5000));
  const std::size_t exchanged = mouse.log.size();
  EXPECT_LE(exchanged, 13u);
  EXPECT_LT(written.size(), 5u);
  EXPECT_FALSE(mouse.commands().back() == upd::kFinish);
}
