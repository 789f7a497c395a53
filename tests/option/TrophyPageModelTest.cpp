#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "option/TrophyPageModel.h"

namespace option {
namespace {

class TrophyPageModelTest : public ::testing::Test {
 protected:
  static std::string makeFolder() {
    char pattern[] = "/tmp/vesk-trophy-XXXXXX";
    return std::string(::mkdtemp(pattern)) + "/";
  }
  ~TrophyPageModelTest() override { std::filesystem::remove_all(folder_); }

  // RunsStart.ini naming the local time `secondsAgo` before now_.
  void firstStartAgo(long long secondsAgo) {
    const std::time_t then = now_ - static_cast<std::time_t>(secondsAgo);
    std::tm t{};
    localtime_r(&then, &t);
    std::ofstream(folder_ + "RunsStart.ini")
        << "[StartTime]\r\nYear=" << t.tm_year + 1900 << "\r\nMonth=" << t.tm_mon + 1
        << "\r\nDay=" << t.tm_mday << "\r\nHour=" << t.tm_hour << "\r\nMinute=" << t.tm_min
        << "\r\n";
  }
  std::string textAt(int x, int y) {
    for (const auto& t : model_.texts())
      if (t.x == x && t.y == y) return t.text;
    return "(none)";
  }

  std::string folder_ = makeFolder();
  // A whole minute, so the start minute in the file is exact.
  std::time_t now_ = 1800000000 - 1800000000 % 60;
  std::unique_ptr<settings::SettingsImage> image_ = std::make_unique<settings::SettingsImage>();
  TrophyPageModel model_{*image_, folder_, [this] { return now_; }};
};

TEST_F(TrophyPageModelTest, NoTrophiesMeanLevelZeroAndAnEmptyBar) {
  model_.refresh();
  EXPECT_EQ(model_.level(), 0);
  EXPECT_EQ(model_.barWidth(220), 0);
  EXPECT_EQ(textAt(537, 73), "Level: 0");
  EXPECT_EQ(textAt(666, 73), "Unlocked: 0/13");
  EXPECT_EQ(textAt(372, 44), "1/13");
}

TEST_F(TrophyPageModelTest, CountersSumsDistanceAndCaps) {
  auto& c = image_->InfoData.Counters;
  c[0] = 1500000000;
  c[1] = 7;
  c[5] = 120000000;
  c[6] = 3;
  c[9] = 100000;
  c[10] = 4;
  c[11] = 5;
  c[7] = c[8] = c[12] = 99;
  model_.refresh();
  EXPECT_EQ(textAt(144, 58), "999999999 clicks");
  EXPECT_EQ(textAt(144, 71), "7 clicks");
  EXPECT_EQ(textAt(144, 124), "999999999 clicks");
  EXPECT_EQ(textAt(144, 165), "99999999 scrolls");
  EXPECT_EQ(textAt(144, 178), "3 scrolls");
  EXPECT_EQ(textAt(144, 220), "5 times");
  EXPECT_EQ(textAt(144, 233), "4 times");
  EXPECT_EQ(textAt(144, 274), "2540 m");
  EXPECT_EQ(model_.texts().size(), 15u) << "counters 7, 8 and 12 are not shown";
  // A counter that ran past the top of a signed int still counts up.
  c[2] = -2;
  model_.refresh();
  EXPECT_EQ(textAt(144, 85), "999999999 clicks");
}

TEST_F(TrophyPageModelTest, PerHourAndPerDayDivideSinceTheFirstStart) {
  auto& c = image_->InfoData.Counters;
  c[0] = 960;
  c[1] = 240;
  c[5] = 100;
  firstStartAgo(30 * 60);
  model_.refresh();
  model_.nextView();
  EXPECT_EQ(textAt(144, 58), "960 clicks") << "under an hour counts as one hour";
  model_.nextView();
  EXPECT_EQ(textAt(144, 58), "960 clicks");

  firstStartAgo(2 * 86400 + 3600);  // 49 hours, 2 days
  model_.refresh();
  EXPECT_EQ(model_.hours(), 49);
  EXPECT_EQ(model_.days(), 2);
  model_.nextView();
  EXPECT_EQ(model_.view(), TrophyPageModel::kPerDay);
  EXPECT_EQ(textAt(144, 58), "480 clicks");
  EXPECT_EQ(textAt(144, 124), "600 clicks") << "sums are divided after summing";
  model_.previousView();
  EXPECT_EQ(textAt(144, 58), "19 clicks");
  EXPECT_EQ(textAt(144, 124), "24 clicks");
  model_.previousView();
  model_.previousView();
  EXPECT_EQ(model_.view(), TrophyPageModel::kTotals);
}

TEST_F(TrophyPageModelTest, AMissingOrFutureFirstStartCountsAsOne) {
  model_.refresh();
  EXPECT_EQ(model_.hours(), 1);
  EXPECT_EQ(model_.days(), 1);
  firstStartAgo(-5 * 86400);
  model_.refresh();
  EXPECT_EQ(model_.hours(), 1);
  EXPECT_EQ(model_.days(), 1);
}

TEST_F(TrophyPageModelTest, ResetZeroesTheCountersAndKeepsTheTrophies) {
  auto& info = image_->InfoData;
  for (int k = 0; k < 13; ++k) info.Counters[k] = 1000 + k;
  info.TrophyFlags[0] = info.TrophyFlags[3] = info.TrophyFlags[9] = 1;
  info.LatestTrophy = 10;
  EXPECT_TRUE(model_.refresh());
  EXPECT_EQ(model_.level(), 3);
  EXPECT_EQ(model_.barWidth(220), 50);
  const settings::UsageInfo block = model_.resetCounters();
  for (int k = 0; k < 13; ++k) EXPECT_EQ(block.Counters[k], 0);
  EXPECT_EQ(image_->InfoData.Counters[4], 0);
  EXPECT_EQ(image_->InfoData.TrophyFlags[3], 1);
  EXPECT_EQ(image_->InfoData.LatestTrophy, 10);
  EXPECT_FALSE(model_.refresh()) << "the level stays";
  EXPECT_EQ(textAt(144, 124), "0 clicks");
  EXPECT_EQ(textAt(537, 73), "Level: 3");
}

TEST_F(TrophyPageModelTest, TrophyPagingStopsAtBothEnds) {
  model_.previousTrophy();
  EXPECT_EQ(model_.trophy(), 0);
  for (int i = 0; i < 20; ++i) model_.nextTrophy();
  EXPECT_EQ(model_.trophy(), 12);
  EXPECT_EQ(textAt(372, 44), "13/13");
}

}  // namespace
}  // namespace option
