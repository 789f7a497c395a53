#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "TestFolder.h"
#include "monitor/FirmwareCheck.h"
#include "monitor/MonitorNames.h"
#include "monitor/ProfileSwitchRules.h"
#include "monitor/SensorImageStore.h"
#include "monitor/TrophyBook.h"

namespace monitor {
namespace {

TEST(TrophyBookTest, CrossingTwoThresholdsEarnsOnlyTheLowerTrophy) {
  settings::UsageInfo info{};
  auto outcome = TrophyBook::countEvent(info, 0xEE00, 10000);
  EXPECT_TRUE(outcome.counted);
  EXPECT_EQ(outcome.awarded, 1);
  EXPECT_EQ(info.TrophyFlags[0], 1);
  EXPECT_EQ(info.TrophyFlags[1], 0);
  outcome = TrophyBook::countEvent(info, 0xE800, 5);  // counts nothing, still checks
  EXPECT_FALSE(outcome.counted);
  EXPECT_EQ(outcome.awarded, 2);
  EXPECT_EQ(info.LatestTrophy, 2);
  EXPECT_EQ(TrophyBook::countEvent(info, 0xE800, 5).awarded, 0);
}

TEST(TrophyBookTest, EventsFeedTheirCountersAndGroups) {
  settings::UsageInfo info{};
  TrophyBook::countEvent(info, 0xED00, 600);  // counter 11
  EXPECT_EQ(info.Counters[11], 600);
  EXPECT_EQ(TrophyBook::countEvent(info, 0xEE00, 400).awarded, 1);    // A = 10 + 11
  EXPECT_EQ(TrophyBook::countEvent(info, 0xEA00, 19999).awarded, 0);  // C = 9 / 2
  EXPECT_EQ(TrophyBook::countEvent(info, 0xEA00, 1).awarded, 7);
  EXPECT_EQ(TrophyBook::countEvent(info, 0xE700, 30000).awarded, 10);  // D = 5 + 6
  for (unsigned type : {0xE800u, 0xE900u, 0xEB00u, 0xEC00u})
    EXPECT_EQ(TrophyBook::counterOf(type), -1);
  EXPECT_EQ(info.Counters[7], 0);
  EXPECT_EQ(info.Counters[8], 0);
}

TEST(TrophyBookTest, GroupsAwardOneEachInTheSameEvent) {
  settings::UsageInfo info{};
  info.Counters[10] = 1000;
  info.Counters[0] = 50000;
  const auto outcome = TrophyBook::countEvent(info, 0xEC00, 0);
  EXPECT_EQ(info.TrophyFlags[0], 1);
  EXPECT_EQ(info.TrophyFlags[3], 1);
  EXPECT_EQ(outcome.awarded, 4);
  EXPECT_EQ(info.LatestTrophy, 4);
}

TEST(TrophyBookTest, TheThirteenthComesOnlyWithAnotherAward) {
  settings::UsageInfo info{};
  for (int t = 0; t < 12; ++t) info.TrophyFlags[t] = 1;
  EXPECT_EQ(TrophyBook::countEvent(info, 0xE100, 1).awarded, 0);
  EXPECT_EQ(info.TrophyFlags[12], 0);

  info.TrophyFlags[11] = 0;
  info.Counters[5] = 500000;
  const auto outcome = TrophyBook::countEvent(info, 0xE600, 1);
  EXPECT_EQ(outcome.awarded, 13);
  EXPECT_TRUE(outcome.everyTrophy);
  EXPECT_EQ(info.TrophyFlags[12], 1);
  EXPECT_EQ(info.LatestTrophy, 13);
}

TEST(TrophyBookTest, CountersPastTwoBillionKeepCountingWithoutGoingNegative) {
  settings::UsageInfo info{};
  info.Counters[0] = 0x7FFFFFF0;
  TrophyBook::countEvent(info, 0xE100, 0x100);
  EXPECT_EQ(static_cast<std::uint32_t>(info.Counters[0]), 0x800000F0u);
  EXPECT_EQ(info.TrophyFlags[3], 1);  // group B is far past 50000, not negative
}

class ProfileSwitchRulesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    image = std::make_unique<settings::SettingsImage>();
    image->CurrentProfile = 0;
    image->WindowsProfile = -1;
  }
  std::unique_ptr<settings::SettingsImage> image;
};

TEST_F(ProfileSwitchRulesTest, TheLowestProfileLinkingTheProgramWins) {
  settings::setFieldText(image->Profiles[3].GameFile2, "  C:\\Games\\Shooter.EXE ");
  settings::setFieldText(image->Profiles[1].GameFile1, "/opt/games/shooter.exe");
  const auto target = ProfileSwitchRules::choose(*image, "/home/u/bin/SHOOTER.exe", false);
  ASSERT_TRUE(target);
  EXPECT_EQ(target->profile, 1);
  EXPECT_EQ(target->soundTimer, timer::kSoundProfile);
}

TEST_F(ProfileSwitchRulesTest, WithoutAMatchTheWindowsProfileIsTakenUnlessTheEditorIsOpen) {
  settings::setFieldText(image->Profiles[2].GameFile0, "game.exe");
  EXPECT_FALSE(ProfileSwitchRules::choose(*image, "/usr/bin/editor", false));
  image->WindowsProfile = 4;
  auto target = ProfileSwitchRules::choose(*image, "/usr/bin/editor", false);
  ASSERT_TRUE(target);
  EXPECT_EQ(target->profile, 4);
  EXPECT_EQ(target->soundTimer, timer::kSoundWindowsProfile);
  EXPECT_FALSE(ProfileSwitchRules::choose(*image, "/usr/bin/editor", true));
  EXPECT_TRUE(ProfileSwitchRules::choose(*image, "", false));
  image->WindowsProfile = 7;  // corrupt: no such profile
  EXPECT_FALSE(ProfileSwitchRules::choose(*image, "/usr/bin/editor", false));
}

TEST_F(ProfileSwitchRulesTest, NoSwitchToTheActiveProfile) {
  settings::setFieldText(image->Profiles[0].GameFile0, "game.exe");
  EXPECT_FALSE(ProfileSwitchRules::choose(*image, "/x/game.exe", false));
  settings::setFieldText(image->Profiles[0].GameFile0, "   ");
  image->WindowsProfile = 0;
  EXPECT_FALSE(ProfileSwitchRules::choose(*image, "/x/game.exe", false));
}

TEST(FirmwareCheckTest, ComparesWithThePackagedVersion) {
  using V = FirmwareCheck::Verdict;
  EXPECT_EQ(FirmwareCheck::compare(106, 106), V::Pass);
  EXPECT_EQ(FirmwareCheck::compare(0, 200), V::Pass);
  EXPECT_EQ(FirmwareCheck::compare(std::nullopt, 200), V::Pass);
  EXPECT_EQ(FirmwareCheck::compare(105, 106), V::Upgrade);
  EXPECT_EQ(FirmwareCheck::compare(107, 106), V::Downgrade);
  EXPECT_EQ(FirmwareCheck::compare(255, 0xFFFFFFFFu), V::Upgrade);  // no packaged version
  EXPECT_EQ(FirmwareCheck::updaterParameter(V::Upgrade), "1");
  EXPECT_EQ(FirmwareCheck::updaterParameter(V::Downgrade), "0");
}

TEST(SensorImageStoreTest, TransposesReversesPadsAndRotates) {
  SensorImageStore::Pixels image{};
  image[0 * 30 + 1] = 0x41;  // row 0, column 1
  image[2 * 30 + 0] = 0xC0;  // row 2, column 0
  const auto rows = SensorImageStore::layout(image);
  // Column 1 becomes bitmap row 1; row 0 lands at the reversed position 29.
  EXPECT_EQ(rows[1 * 32 + 29], 0x05);  // 0x41 rotated left by 2
  EXPECT_EQ(rows[0 * 32 + 27], 0x03);  // 0xC0 rotated left by 2
  for (std::size_t r = 0; r < 30; ++r) {
    EXPECT_EQ(rows[r * 32 + 30], 0);
    EXPECT_EQ(rows[r * 32 + 31], 0);
  }
}

TEST(SensorImageStoreTest, WritesOnlyThePixelDataOfAnExistingBitmap) {
  testing::TestFolder folder;
  const auto path = (folder.path() / "sensorImage.bmp").string();
  EXPECT_FALSE(SensorImageStore::store(path, {}));
  std::vector<char> bitmap(2038, 'h');
  std::ofstream(path, std::ios::binary).write(bitmap.data(), 2038);
  SensorImageStore::Pixels image{};
  image.fill(1);
  ASSERT_TRUE(SensorImageStore::store(path, image));
  std::ifstream in(path, std::ios::binary);
  std::vector<char> after{std::istreambuf_iterator<char>(in), {}};
  ASSERT_EQ(after.size(), 2038u);
  EXPECT_EQ(after[1077], 'h');
  EXPECT_EQ(after[1078], 4);
  EXPECT_EQ(after[1078 + 30], 0);

  std::ofstream(path, std::ios::binary | std::ios::trunc).write(bitmap.data(), 1500);
  EXPECT_FALSE(SensorImageStore::store(path, image));  // too short to be the bitmap
}

}  // namespace
}  // namespace monitor
