#include "monitor/TrophyBook.h"

#include <cstdint>

namespace monitor {
namespace {

struct Group {
  int firstTrophy;
  std::int64_t thresholds[3];
};

constexpr Group kGroups[] = {
    {1, {1000, 10000, 25000}},
    {4, {50000, 500000, 1000000}},
    {7, {10000, 500000, 1000000}},
    {10, {30000, 200000, 500000}},
};

// Counters are 32-bit in the stored block; sums are taken wide so that a
// long-lived mouse never wraps a group sum negative.
std::int64_t groupSum(const settings::UsageInfo& info, int group) {
  auto c = [&](int k) {
    return static_cast<std::int64_t>(static_cast<std::uint32_t>(info.Counters[k]));
  };
  switch (group) {
    case 0:
      return c(10) + c(11);
    case 1:
      return c(0) + c(1) + c(2) + c(3) + c(4);
    case 2:
      return c(9) / 2;
    default:
      return c(5) + c(6);
  }
}

bool earned(const settings::UsageInfo& info, int trophy) {
  return info.TrophyFlags[trophy - 1] == 1;
}

}  // namespace

int TrophyBook::counterOf(unsigned eventType) {
  switch (eventType) {
    case 0xE100:
      return 0;
    case 0xE200:
      return 1;
    case 0xE300:
      return 2;
    case 0xE400:
      return 3;
    case 0xE500:
      return 4;
    case 0xE600:
      return 5;
    case 0xE700:
      return 6;
    case 0xEA00:
      return 9;
    case 0xEE00:
      return 10;
    case 0xED00:
      return 11;
    case 0xEF00:
      return 12;
    default:
      return -1;
  }
}

TrophyBook::Outcome TrophyBook::countEvent(settings::UsageInfo& info, unsigned eventType,
                                           unsigned value) {
  Outcome outcome;
  const int counter = counterOf(eventType);
  if (counter >= 0) {
    // Unsigned addition: the block stores the counter's bits, and a counter
    // that has gone past 2^31 keeps counting instead of overflowing.
    info.Counters[counter] = static_cast<std::int32_t>(
        static_cast<std::uint32_t>(info.Counters[counter]) + (value & 0xFFFFu));
    outcome.counted = true;
  }
  for (int g = 0; g < 4; ++g) {
    const std::int64_t sum = groupSum(info, g);
    for (int i = 0; i < 3; ++i) {
      const int trophy = kGroups[g].firstTrophy + i;
      if (earned(info, trophy) || sum < kGroups[g].thresholds[i]) continue;
      info.TrophyFlags[trophy - 1] = 1;
      info.LatestTrophy = trophy;
      outcome.awarded = trophy;
      break;
    }
  }
  if (outcome.awarded != 0) {
    bool all = true;
    for (int t = 1; t <= 12; ++t) all = all && earned(info, t);
    if (all) {
      info.TrophyFlags[12] = 1;
      info.LatestTrophy = 13;
      outcome.awarded = 13;
    }
  }
  outcome.everyTrophy = earned(info, 13);
  return outcome;
}

}  // namespace monitor
