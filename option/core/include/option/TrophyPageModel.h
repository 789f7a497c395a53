#pragma once

#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "settings/SettingsImage.h"

// The Trophy page: the usage counters the Monitor adds up, in three views
// (totals, per hour and per day since the first start), the level (the
// number of earned trophies), paging through the thirteen trophies, and the
// reset of the counters.
namespace option {

class TrophyPageModel {
 public:
  enum View { kTotals = 0, kPerHour = 1, kPerDay = 2 };
  static constexpr int kTrophyCount = 13;
  static constexpr int kMaxClicks = 999999999;  // also "times" and "m"
  static constexpr int kMaxScrolls = 99999999;

  enum class Font { Narrow, Bold, Title };
  // One text of the page, at its top-left corner in page pixels.
  struct Text {
    int x, y;
    std::string text;
    Font font;
  };

  // `now` gives the wall-clock time (tests pass their own).
  TrophyPageModel(
      settings::SettingsImage& working, std::string programFolder,
      std::function<std::time_t()> now = [] { return std::time(nullptr); });

  // Takes the working image's statistics, the level and the time since the
  // first start. True when the level changed.
  bool refresh();

  int view() const { return view_; }
  int trophy() const { return trophy_; }  // 0..12, the one shown
  int level() const { return level_; }    // 0..13
  long long hours() const { return hours_; }
  long long days() const { return days_; }
  bool earned(int trophy) const;  // trophy 0..12
  const settings::UsageInfo& statistics() const { return stats_; }

  void previousView();
  void nextView();
  void previousTrophy();
  void nextTrophy();

  // Everything the page writes over its picture, in the present view.
  std::vector<Text> texts() const;
  // How much of the level bar is lit, in pixels of a bar this wide.
  int barWidth(int fullWidth) const;

  // Zeroes the counters (the earned trophies and the latest one stay) and
  // puts the block into the working image; the caller stores it.
  const settings::UsageInfo& resetCounters();

 private:
  long long shown(long long value) const;  // divided for the present view

  settings::SettingsImage& working_;
  std::string folder_;
  std::function<std::time_t()> now_;
  settings::UsageInfo stats_{};
  int view_ = kTotals;
  int trophy_ = 0;
  int level_ = 0;
  long long hours_ = 1;
  long long days_ = 1;
};

}  // namespace option
