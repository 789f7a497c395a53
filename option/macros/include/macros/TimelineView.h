#pragma once

#include <vector>

#include "macros/MacroTimeline.h"

// What the timeline editor shows and how its buttons, scroll bars and edge
// drags change the bars: the visible span and offset in milliseconds, the
// first visible row and the selected bar.
namespace macros {

class TimelineView {
 public:
  static constexpr int kAxisWidth = 380;  // pixels of the time axis
  static constexpr int kVisibleRows = 19;
  static constexpr int kRowTop = 32;
  static constexpr int kRowHeight = 14;
  static constexpr int kMaxSpan = 48000;
  static constexpr int kInitialSpan = 3000;

  void reset();
  int span() const { return span_; }
  int offset() const { return offset_; }
  int firstRow() const { return firstRow_; }
  int selected() const { return selected_; }

  // The zoom-in button doubles the span and zoom-out halves it; both snap to
  // the steps 10, 25, 45, 90, 187, 375, 750, 1500, 3000 ... 48000.
  void doubleSpan(const std::vector<TimelineBar>& bars);
  void halveSpan();
  static int snappedSpan(int span);
  // Milliseconds one scroll line moves at the current span.
  int lineStep() const;
  void scrollBy(int milliseconds);
  void setFirstRow(int row, int barCount);

  int timeAt(int x) const { return x * span_ / kAxisWidth + offset_; }
  int pixelOf(int time) const { return (time - offset_) * kAxisWidth / span_; }
  // Selects the bar of a visible row; a row past the last bar clears it.
  void selectRow(int visibleRow, int barCount);
  void select(int bar) { selected_ = bar; }

  // Inserts a bar without a key at the selected bar's place (or at the end),
  // spanning the same time as that bar (the last bar without a selection),
  // selects it and scrolls it into view. -1 when 250 bars exist.
  int addBar(std::vector<TimelineBar>& bars);
  bool deleteSelected(std::vector<TimelineBar>& bars);
  // Moves the selected bar's start or end edge to pixel x, never past the
  // other edge and never before 0.
  bool dragEdge(std::vector<TimelineBar>& bars, int bar, bool startEdge, int x) const;

 private:
  int span_ = kInitialSpan;
  int offset_ = 0;
  int firstRow_ = 0;
  int selected_ = -1;
};

}  // namespace macros
