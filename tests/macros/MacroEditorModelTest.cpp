#include <gtest/gtest.h>

#include <vector>

#include "macros/KeySequenceList.h"
#include "macros/MacroRecorder.h"
#include "macros/MacroTimeline.h"
#include "macros/TimelineView.h"

namespace {

using macros::MacroRecorder;
using settings::MacroEvent;
using Outcome = MacroRecorder::KeyOutcome;

MacroEvent ev(int key, int action, int delay = 0) {
  MacroEvent e{};
  e.Key = static_cast<std::uint8_t>(key);
  e.Action = static_cast<std::uint8_t>(action);
  e.setDelay(static_cast<std::uint16_t>(delay));
  return e;
}

std::vector<std::vector<int>> flat(const std::vector<MacroEvent>& events) {
  std::vector<std::vector<int>> out;
  for (const MacroEvent& e : events) out.push_back({e.Key, e.Action, e.delay()});
  return out;
}

constexpr int kCtrl = 29, kC = 46;  // Linux input codes

TEST(MacroRecorderTest, RecordsKeysWithDelaysAndDropsAutoRepeat) {
  MacroRecorder recorder;
  recorder.setRecordDelays(true);
  recorder.startNew();
  EXPECT_EQ(recorder.key(kCtrl, 0xE0, false, 1000), Outcome::kRecorded);
  EXPECT_EQ(recorder.key(kCtrl, 0xE0, false, 1030), Outcome::kIgnored);  // auto-repeat
  EXPECT_EQ(recorder.key(kC, 0x06, false, 1120), Outcome::kRecorded);
  EXPECT_EQ(recorder.key(kC, 0x06, false, 1150), Outcome::kIgnored);
  EXPECT_EQ(recorder.key(113, -1, false, 1160), Outcome::kIgnored);  // no row
  EXPECT_EQ(recorder.key(kC, 0x06, true, 1200), Outcome::kRecorded);
  // Seventy seconds are more than a delay can hold.
  EXPECT_EQ(recorder.key(kCtrl, 0xE0, true, 71200), Outcome::kRecorded);
  recorder.stop();
  EXPECT_EQ(recorder.key(kC, 0x06, false, 71300), Outcome::kIgnored);
  EXPECT_EQ(flat(recorder.events()),
            (std::vector<std::vector<int>>{
                {0xE0, 1, 120}, {0x06, 1, 80}, {0x06, 2, 65535}, {0xE0, 2, 0}}));

  macros::MacroRecord record{};
  record.Events[10] = ev(4, 1);  // stale bytes past the new count are cleared
  recorder.storeInto(record);
  EXPECT_EQ(record.EventCount, 4);
  EXPECT_EQ(record.Events[10].Key, 0);

  // Without delays every delay stays 0.
  recorder.setRecordDelays(false);
  recorder.startNew();
  recorder.key(kC, 0x06, false, 0);
  recorder.key(kC, 0x06, true, 5000);
  EXPECT_EQ(flat(recorder.events()), (std::vector<std::vector<int>>{{6, 1, 0}, {6, 2, 0}}));
}

TEST(MacroRecorderTest, RecordsBeforeOrAfterAnEventAndStopsAt500) {
  MacroRecorder recorder;
  recorder.events() = {ev(4, 1), ev(4, 2)};
  recorder.setRecordDelays(true);
  recorder.startBefore(1);
  recorder.key(5, 0x05, false, 100);
  recorder.key(5, 0x05, true, 150);
  recorder.stop();
  EXPECT_EQ(flat(recorder.events()),
            (std::vector<std::vector<int>>{{4, 1, 0}, {5, 1, 50}, {5, 2, 0}, {4, 2, 0}}));
  recorder.startAfter(3);  // after the last: at the end
  recorder.key(6, 0x06, false, 0);
  EXPECT_EQ(recorder.events().back().Key, 6);
  recorder.stop();

  recorder.startNew();
  Outcome last = Outcome::kIgnored;
  for (int i = 0; i < 500; ++i) last = recorder.key(i % 2 ? 30 : 31, i % 2 ? 4 : 22, false, i);
  EXPECT_EQ(last, Outcome::kFull);
  EXPECT_FALSE(recorder.recording());
  EXPECT_EQ(recorder.events().size(), 500u);
  // Recording into a full macro stops at the first key.
  recorder.startAfter(499);
  EXPECT_EQ(recorder.key(32, 7, false, 0), Outcome::kFull);
  EXPECT_FALSE(recorder.recording());
  EXPECT_EQ(recorder.events().size(), 500u);
}

TEST(KeySequenceListTest, RowsAndContextMenuEdits) {
  std::vector<MacroEvent> events = {ev(0xE0, 1, 40), ev(0x06, 1), ev(0xF0, 2), ev(0xE0, 2)};
  auto rows = macros::keySequenceRows(events);
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[0].text, "Left Control Press");
  EXPECT_EQ(rows[0].itemData(), 65536 + macros::kIconKeyPress);
  EXPECT_EQ(rows[1].text, "40 ms");
  EXPECT_EQ(rows[1].itemData(), 65536 + macros::kIconDelay);
  EXPECT_EQ(rows[3].text, "Left Button Release");
  EXPECT_EQ(rows[3].icon, macros::kIconMouse);
  EXPECT_EQ(rows[4].icon, macros::kIconKeyRelease);

  macros::KeySequenceEdits edits(events);
  EXPECT_FALSE(edits.insertDelay(0));  // the first event
  EXPECT_FALSE(edits.insertDelay(2));  // its predecessor has a delay
  EXPECT_FALSE(edits.insertDelay(1));  // a delay row
  EXPECT_TRUE(edits.insertDelay(3));
  EXPECT_EQ(events[1].delay(), 1);
  // Rows now: Ctrl, 40 ms, C, 1 ms, Left Button, Ctrl.
  EXPECT_TRUE(edits.setDelay(3, "70000"));
  EXPECT_EQ(events[1].delay(), 65535);
  EXPECT_TRUE(edits.setDelay(3, ""));
  EXPECT_EQ(events[1].delay(), 1);
  EXPECT_FALSE(edits.setDelay(2, "5"));
  EXPECT_TRUE(edits.remove(3));  // the delay row
  EXPECT_EQ(events[1].delay(), 0);
  EXPECT_TRUE(edits.remove(2));  // the C event
  EXPECT_EQ(events.size(), 3u);

  int button;
  macros::MouseClick click;
  ASSERT_TRUE(macros::KeySequenceEdits::mouseCommand(1024, button, click));
  EXPECT_EQ(button, 1);
  EXPECT_EQ(click, macros::MouseClick::kUp);
  EXPECT_TRUE(edits.insertMouseEvent(2, 4, macros::MouseClick::kClick));  // before "Left Button"
  EXPECT_EQ(flat(events),
            (std::vector<std::vector<int>>{
                {0xE0, 1, 40}, {0xF4, 1, 0}, {0xF4, 2, 0}, {0xF0, 2, 0}, {0xE0, 2, 0}}));
  events.resize(499, ev(4, 1));
  EXPECT_FALSE(edits.insertMouseEvent(-1, 0, macros::MouseClick::kClick));
  EXPECT_TRUE(edits.insertMouseEvent(-1, 0, macros::MouseClick::kDown));
  EXPECT_EQ(events.back().Key, 0xF0);
}

TEST(KeySequenceListTest, EntriesClampTheirNumbers) {
  EXPECT_EQ(macros::clampedPlayCount("300"), 255);
  EXPECT_EQ(macros::clampedPlayCount("0"), 1);
  EXPECT_EQ(macros::clampedPlayCount("-7"), 1);
  EXPECT_EQ(macros::clampedPlayCount("12x"), 12);
  EXPECT_EQ(macros::clampedDelay("65534"), 65534);
  EXPECT_EQ(macros::clampedDelay("65535"), 65535);
  EXPECT_EQ(macros::clampedDelay("99999999999999999999"), 65535);
  EXPECT_EQ(macros::clampedDelay("0"), 1);
}

TEST(MacroTimelineTest, EventsBecomeBarsAndBack) {
  // Ctrl held around C; an unreleased A and a lone release of B vanish.
  const std::vector<MacroEvent> events = {ev(0xE0, 1, 100), ev(4, 1, 10), ev(6, 1, 50),
                                          ev(5, 2, 7),      ev(6, 2, 20), ev(0xE0, 2)};
  const auto bars = macros::barsFromEvents(events);
  ASSERT_EQ(bars.size(), 2u);
  EXPECT_EQ(bars[0].key, 0xE0);
  EXPECT_EQ(bars[0].start, 0);
  EXPECT_EQ(bars[0].end, 180);
  EXPECT_EQ(bars[1].key, 6);
  EXPECT_EQ(bars[1].start, 110);
  EXPECT_EQ(bars[1].end, 160);
  EXPECT_EQ(flat(macros::eventsFromBars(bars)),
            (std::vector<std::vector<int>>{{0xE0, 1, 110}, {6, 1, 50}, {6, 2, 20}, {0xE0, 2, 0}}));

  // Two keys pressed at one time keep the order of their presses; a bar
  // without a key gives no events.
  const std::vector<MacroEvent> chord = {ev(5, 1), ev(4, 1, 30), ev(4, 2), ev(5, 2)};
  auto chordBars = macros::barsFromEvents(chord);
  ASSERT_EQ(chordBars.size(), 2u);
  EXPECT_EQ(chordBars[0].key, 5);
  chordBars.push_back({-1, 0, 10, 4, 5});
  EXPECT_EQ(flat(macros::eventsFromBars(chordBars)),
            (std::vector<std::vector<int>>{{5, 1, 0}, {4, 1, 30}, {4, 2, 0}, {5, 2, 0}}));
  EXPECT_TRUE(macros::eventsFromBars({}).empty());
}

TEST(MacroTimelineTest, ZoomScrollAddAndDrag) {
  macros::TimelineView view;
  std::vector<macros::TimelineBar> bars = {{4, 0, 5000, 0, 1}};
  std::vector<int> steps;
  for (int i = 0; i < 12; ++i) {
    view.halveSpan();
    steps.push_back(view.span());
  }
  EXPECT_EQ(steps, (std::vector<int>{1500, 750, 375, 187, 90, 45, 25, 10, 10, 10, 10, 10}));
  EXPECT_EQ(view.lineStep(), 1);
  steps.clear();
  for (int i = 0; i < 14; ++i) {
    view.doubleSpan(bars);
    steps.push_back(view.span());
  }
  // Doubling 25 gives 50, which snaps to 90: 45 is reached by halving only.
  EXPECT_EQ(steps, (std::vector<int>{25, 90, 187, 375, 750, 1500, 3000, 6000, 12000, 24000, 48000,
                                     48000, 48000, 48000}));
  EXPECT_EQ(view.lineStep(), 1600);

  view.reset();
  view.scrollBy(4000);
  EXPECT_EQ(view.offset(), 4000);
  view.doubleSpan(bars);  // 6000 holds every bar: back to the start
  EXPECT_EQ(view.offset(), 0);
  EXPECT_EQ(view.timeAt(190), 3000);

  view.select(0);
  EXPECT_EQ(view.addBar(bars), 0);  // at the selected bar, with its times
  EXPECT_EQ(bars[0].key, -1);
  EXPECT_EQ(bars[0].end, 5000);
  EXPECT_EQ(bars[1].key, 4);
  EXPECT_TRUE(view.dragEdge(bars, 0, false, 38));  // to 600 ms
  EXPECT_EQ(bars[0].end, 600);
  EXPECT_TRUE(view.dragEdge(bars, 0, true, 380));  // never past the end
  EXPECT_EQ(bars[0].start, 600);
  bars.resize(macros::kMaxTimelineBars);
  EXPECT_EQ(view.addBar(bars), -1);
  view.selectRow(30, 250);  // past the visible rows' bars: no selection
  view.selectRow(3, 2);
  EXPECT_EQ(view.selected(), -1);
}

}  // namespace
