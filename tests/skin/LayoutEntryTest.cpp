#include <gtest/gtest.h>

#include <string>

#include "skin/LayoutEntry.h"

using skin::parseLayout;

TEST(LayoutEntry, ParsesTheWrittenExamples) {
  const auto low = parseLayout("Low, 173,221,47,20,");
  EXPECT_EQ(low.nameView(), "Low");
  EXPECT_EQ(low.left, 173);
  EXPECT_EQ(low.top, 221);
  EXPECT_EQ(low.right, 220);
  EXPECT_EQ(low.bottom, 241);
  EXPECT_EQ(low.helpView(), "");

  EXPECT_EQ(parseLayout("BUTTON_ReCalibrate,85,168,90,20,Reset").helpView(), "Reset");
  const auto name =
      parseLayout("Profile 1 name,31,  514,101,21,Profile assigned to profile slot #1");
  EXPECT_EQ(name.helpView(), "Profile assigned to profile slot #1");
  EXPECT_EQ(name.top, 514);
  EXPECT_EQ(name.width(), 101);
  EXPECT_EQ(parseLayout("Apply,640,563,72,30,  Apply the setting to the device  ").helpView(),
            "Apply the setting to the device");
}

TEST(LayoutEntry, ZeroSizedEntriesAreEmptyButKeepTheirPlace) {
  EXPECT_TRUE(parseLayout("normal,0,0,0,0,").isEmpty());
  const auto e = parseLayout("Use Selected color,535,36,65,0,");
  EXPECT_TRUE(e.isEmpty());
  EXPECT_EQ(e.left, 535);
  EXPECT_EQ(e.right, 600);
  EXPECT_EQ(e.top, e.bottom);
  EXPECT_EQ(parseLayout("Minus,-5,-7,10,10,").left, -5);
}

TEST(LayoutEntry, MalformedStringsLeaveMissingFieldsZero) {
  const auto noComma = parseLayout("JUST A NAME");
  EXPECT_EQ(noComma.nameView(), "JUST A NAME");
  EXPECT_TRUE(noComma.isEmpty());
  EXPECT_EQ(noComma.left, 0);

  const auto twoNumbers = parseLayout("Short,12,34,");
  EXPECT_EQ(twoNumbers.left, 12);
  EXPECT_EQ(twoNumbers.top, 34);
  EXPECT_TRUE(twoNumbers.isEmpty());

  const auto letters = parseLayout("Bad,x,1,2,3,help");
  EXPECT_EQ(letters.left, 0);
  EXPECT_TRUE(letters.isEmpty());

  const auto empty = parseLayout("");
  EXPECT_EQ(empty.nameView(), "");
  EXPECT_TRUE(empty.isEmpty());
}

TEST(LayoutEntry, HelpTextMayContainCommas) {
  EXPECT_EQ(parseLayout("Name,1,2,3,4,First, then second").helpView(), "First, then second");
}

TEST(LayoutEntry, OverlongTextsAndNumbersAreCutNotOverrun) {
  const std::string longName(100, 'N');
  const std::string longHelp(1000, 'h');
  const auto e = parseLayout(longName + ",1,2,3,4," + longHelp);
  EXPECT_EQ(e.nameView().size(), 39u);
  EXPECT_EQ(e.helpView().size(), 403u);
  EXPECT_EQ(e.width(), 3);

  const auto huge = parseLayout("Huge,2147483647,99999999999999999999,2147483647,5,");
  EXPECT_EQ(huge.left, 2147483647);
  EXPECT_EQ(huge.right, 2147483647);  // saturated, never wrapped
  EXPECT_GE(huge.bottom, huge.top);
}
