#include "macros/TimelineView.h"

#include <algorithm>

namespace macros {

void TimelineView::reset() { *this = TimelineView{}; }

int TimelineView::snappedSpan(int span) {
  if (span <= 14) return 10;
  if (span < 30) return 25;
  if (span < 50) return 45;
  if (span < 100) return 90;
  if (span < 200) return 187;
  if (span < 500) return 375;
  if (span < 1000) return 750;
  if (span < 2000) return 1500;
  return std::min(span, kMaxSpan);
}

void TimelineView::doubleSpan(const std::vector<TimelineBar>& bars) {
  span_ = snappedSpan(span_ * 2);
  offset_ = std::max(0, std::min(offset_, kMaxSpan - span_));
  const bool allFit =
      std::all_of(bars.begin(), bars.end(), [&](const TimelineBar& b) { return b.end <= span_; });
  if (allFit) offset_ = 0;
}

void TimelineView::halveSpan() { span_ = snappedSpan(span_ / 2); }

int TimelineView::lineStep() const {
  switch (span_) {
    case 10:
      return 1;
    case 25:
    case 45:
      return 2;
    case 90:
      return 3;
    case 187:
      return 5;
    case 375:
      return 10;
    case 750:
      return 20;
    case 1500:
      return 40;
    case 3000:
      return 100;
    case 6000:
      return 200;
    case 12000:
      return 400;
    case 24000:
      return 800;
    default:
      return 1600;
  }
}

void TimelineView::scrollBy(int milliseconds) {
  offset_ = std::clamp(offset_ + milliseconds, 0, std::max(0, kMaxSpan - span_));
}

void TimelineView::setFirstRow(int row, int barCount) {
  firstRow_ = std::clamp(row, 0, std::max(0, barCount - kVisibleRows));
}

void TimelineView::selectRow(int visibleRow, int barCount) {
  const int bar = firstRow_ + visibleRow;
  selected_ = visibleRow >= 0 && visibleRow < kVisibleRows && bar < barCount ? bar : -1;
}

int TimelineView::addBar(std::vector<TimelineBar>& bars) {
  const int count = static_cast<int>(bars.size());
  if (count >= kMaxTimelineBars) return -1;
  const int at = selected_ >= 0 && selected_ < count ? selected_ : count;
  TimelineBar bar;
  if (count > 0) {
    const TimelineBar& model = bars[at < count ? at : count - 1];
    bar.start = model.start;
    bar.end = model.end;
  }
  bar.pressIndex = 2 * at;
  bar.releaseIndex = 2 * at + 1;
  bars.insert(bars.begin() + at, bar);
  selected_ = at;
  if (at < firstRow_ || at >= firstRow_ + kVisibleRows)
    setFirstRow(at - kVisibleRows + 1, count + 1);
  return at;
}

bool TimelineView::deleteSelected(std::vector<TimelineBar>& bars) {
  if (selected_ < 0 || selected_ >= static_cast<int>(bars.size())) return false;
  bars.erase(bars.begin() + selected_);
  if (selected_ >= static_cast<int>(bars.size())) selected_ = static_cast<int>(bars.size()) - 1;
  setFirstRow(firstRow_, static_cast<int>(bars.size()));
  return true;
}

bool TimelineView::dragEdge(std::vector<TimelineBar>& bars, int bar, bool startEdge, int x) const {
  if (bar < 0 || bar >= static_cast<int>(bars.size())) return false;
  TimelineBar& b = bars[bar];
  const int time = std::max(0, timeAt(std::clamp(x, 0, kAxisWidth)));
  if (startEdge)
    b.start = std::min(time, b.end);
  else
    b.end = std::max(time, b.start);
  return true;
}

}  // namespace macros
