#include "option/TrophyPageModel.h"

#include <algorithm>
#include <cstring>

#include "settings/IniFile.h"

namespace option {
namespace {

// The Monitor only ever adds to a counter; a value past the top of a signed
// int is a count that went on, not a negative one.
long long counter(const settings::UsageInfo& s, int k) {
  return static_cast<std::uint32_t>(s.Counters[k]);
}

std::string capped(long long value, long long cap, const char* unit) {
  return std::to_string(std::min(value, cap)) + unit;
}

// Seconds since the first start recorded in RunsStart.ini, or -1 when the
// file does not name a valid local time.
long long secondsSinceFirstStart(const std::string& folder, std::time_t now) {
  settings::IniFile ini(folder + "RunsStart.ini");
  std::tm start{};
  start.tm_year = ini.ReadInt("StartTime", "Year", -1) - 1900;
  start.tm_mon = ini.ReadInt("StartTime", "Month", -1) - 1;
  start.tm_mday = ini.ReadInt("StartTime", "Day", -1);
  start.tm_hour = ini.ReadInt("StartTime", "Hour", -1);
  start.tm_min = ini.ReadInt("StartTime", "Minute", -1);
  start.tm_isdst = -1;
  if (start.tm_year < 70 || start.tm_mon < 0 || start.tm_mon > 11 || start.tm_mday < 1 ||
      start.tm_mday > 31 || start.tm_hour < 0 || start.tm_hour > 23 || start.tm_min < 0 ||
      start.tm_min > 59)
    return -1;
  const std::time_t then = std::mktime(&start);
  if (then == static_cast<std::time_t>(-1)) return -1;
  return static_cast<long long>(now) - static_cast<long long>(then);
}

}  // namespace

TrophyPageModel::TrophyPageModel(settings::SettingsImage& working, std::string programFolder,
                                 std::function<std::time_t()> now)
    : working_(working), folder_(std::move(programFolder)), now_(std::move(now)) {}

bool TrophyPageModel::refresh() {
  stats_ = working_.InfoData;
  int level = 0;
  for (int t = 0; t < kTrophyCount; ++t)
    if (stats_.TrophyFlags[t] == 1) ++level;
  const bool changed = level != level_;
  level_ = level;
  const long long seconds = secondsSinceFirstStart(folder_, now_());
  // A first start less than an hour (or a day) ago, a start in the future
  // and a missing record all count as one.
  hours_ = std::max(1LL, seconds / 3600);
  days_ = std::max(1LL, seconds / 86400);
  return changed;
}

bool TrophyPageModel::earned(int trophy) const {
  return trophy >= 0 && trophy < kTrophyCount && stats_.TrophyFlags[trophy] == 1;
}

void TrophyPageModel::previousView() { view_ = std::max(view_ - 1, 0); }
void TrophyPageModel::nextView() { view_ = std::min(view_ + 1, 2); }
void TrophyPageModel::previousTrophy() { trophy_ = std::max(trophy_ - 1, 0); }
void TrophyPageModel::nextTrophy() { trophy_ = std::min(trophy_ + 1, kTrophyCount - 1); }

long long TrophyPageModel::shown(long long value) const {
  if (view_ == kPerHour) return value / hours_;
  if (view_ == kPerDay) return value / days_;
  return value;
}

std::vector<TrophyPageModel::Text> TrophyPageModel::texts() const {
  std::vector<Text> out;
  auto clicks = [&](int y, long long value, Font font) {
    out.push_back({144, y, capped(shown(value), kMaxClicks, " clicks"), font});
  };
  auto scrolls = [&](int y, long long value, Font font) {
    out.push_back({144, y, capped(shown(value), kMaxScrolls, " scrolls"), font});
  };
  auto times = [&](int y, long long value) {
    out.push_back({144, y, capped(shown(value), kMaxClicks, " times"), Font::Bold});
  };
  constexpr int kClickRows[5] = {58, 71, 85, 98, 111};
  long long clickSum = 0;
  for (int k = 0; k < 5; ++k) {
    clicks(kClickRows[k], counter(stats_, k), Font::Narrow);
    clickSum += counter(stats_, k);
  }
  clicks(124, clickSum, Font::Bold);
  scrolls(165, counter(stats_, 5), Font::Narrow);
  scrolls(178, counter(stats_, 6), Font::Narrow);
  scrolls(192, counter(stats_, 5) + counter(stats_, 6), Font::Bold);
  times(220, counter(stats_, 11));
  times(233, counter(stats_, 10));
  // Counter 9 counts in units of 0.0254 m; whole metres, truncated.
  const long long metres = counter(stats_, 9) * 254 / 10000;
  out.push_back({144, 274, capped(shown(metres), kMaxClicks, " m"), Font::Bold});
  out.push_back({372, 44, std::to_string(trophy_ + 1) + "/13", Font::Title});
  out.push_back({537, 73, "Level: " + std::to_string(level_), Font::Title});
  out.push_back({666, 73, "Unlocked: " + std::to_string(level_) + "/13", Font::Title});
  return out;
}

int TrophyPageModel::barWidth(int fullWidth) const { return fullWidth * level_ / kTrophyCount; }

const settings::UsageInfo& TrophyPageModel::resetCounters() {
  std::memset(stats_.Counters, 0, sizeof stats_.Counters);
  working_.InfoData = stats_;
  return stats_;
}

}  // namespace option
