#include <gtest/gtest.h>

#include "macros/KeyTranslation.h"
#include "macros/MacroEventText.h"

namespace {

using macros::parseEventLines;

TEST(MacroEventTextTest, LinesReadBackToTheSameEvents) {
  const auto parsed = parseEventLines(
      "Left Control Press\n120 ms\nc press\n\n  C Release \r\n"
      "5 ms\nleft control release\nLeft Button Press\n");
  ASSERT_EQ(parsed.error, "");
  ASSERT_EQ(parsed.events.size(), 5u);
  EXPECT_EQ(parsed.events[0].Key, 0xE0);
  EXPECT_EQ(parsed.events[0].delay(), 120);
  EXPECT_EQ(parsed.events[2].Action, 2);
  EXPECT_EQ(parsed.events[2].delay(), 5);
  EXPECT_EQ(parsed.events[4].Key, 0xF0);
  const auto lines = macros::eventLines(parsed.events.data(), 5);
  EXPECT_EQ(lines, (std::vector<std::string>{"Left Control Press", "120 ms", "C Press", "C Release",
                                             "5 ms", "Left Control Release", "Left Button Press"}));
}

TEST(MacroEventTextTest, RefusesWhatItCannotRead) {
  EXPECT_EQ(parseEventLines("12 ms\n").error, "line 1: a delay follows an event");
  EXPECT_EQ(parseEventLines("A Press\n0 ms\n").error, "line 2: a delay is 1 to 65535 ms");
  EXPECT_EQ(parseEventLines("A Press\n65536 ms\n").error, "line 2: a delay is 1 to 65535 ms");
  EXPECT_EQ(parseEventLines("A Press\nZZ Press\n").error, "line 2: unknown key \"ZZ\"");
  EXPECT_EQ(parseEventLines("A\n").error,
            "line 1: expected \"KEY Press\", \"KEY Release\" or \"N ms\"");
  std::string many;
  for (int i = 0; i < 501; ++i) many += "A Press\n";
  const auto parsed = parseEventLines(many);
  EXPECT_EQ(parsed.error, "line 501: a macro holds at most 500 events");
  EXPECT_TRUE(parsed.events.empty());
}

TEST(MacroEventTextTest, KeysAreTakenByTheirPhysicalPosition) {
  // Linux input codes name the key's place, whatever the layout prints on it:
  // the key right of Tab is Q on a US keyboard and A on a French one; both give
  // the usage of the US key at that place.
  EXPECT_EQ(macros::usageFromLinuxKeyCode(16), 0x14);  // Q place
  EXPECT_EQ(macros::usageFromLinuxKeyCode(30), 0x04);  // A place (Q on French)
  EXPECT_EQ(macros::usageFromLinuxKeyCode(44), 0x1D);  // Z place (Y on German)
  EXPECT_EQ(macros::usageFromLinuxKeyCode(21), 0x1C);  // Y place (Z on German)
  EXPECT_EQ(macros::usageFromLinuxKeyCode(29), 0xE0);
  EXPECT_EQ(macros::usageFromLinuxKeyCode(97), 0xE4);
  EXPECT_EQ(macros::usageFromLinuxKeyCode(87), 0x44);               // F11
  EXPECT_EQ(macros::usageFromLinuxKeyCode(82), 0x62);               // keypad 0
  EXPECT_EQ(macros::usageFromLinuxKeyCode(103), 0x52);              // Up
  EXPECT_EQ(macros::usageFromLinuxKeyCode(86), macros::kNoUsage);   // the 102nd key has no row
  EXPECT_EQ(macros::usageFromLinuxKeyCode(113), macros::kNoUsage);  // mute
  EXPECT_EQ(macros::usageFromVirtualKey(0x43), 0x06);
  EXPECT_EQ(macros::usageFromVirtualKey(0xA5), 0xE6);
  EXPECT_EQ(macros::usageFromVirtualKey(0xF2), 0xF2);
  EXPECT_EQ(macros::usageFromVirtualKey(0xFF), macros::kNoUsage);
}

}  // namespace
