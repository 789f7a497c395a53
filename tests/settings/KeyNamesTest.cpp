#include <gtest/gtest.h>

#include "settings/FunctionCodes.h"
#include "settings/KeyNames.h"
#include "settings/SettingsFiles.h"

using namespace settings;

namespace {

TEST(KeyNamesTest, VirtualKeysByTableOrUsLayoutCharacter) {
  EXPECT_EQ(VirtualKeyName(8), "BackSpace");
  EXPECT_EQ(VirtualKeyName(92), "Right Windows Button");
  EXPECT_EQ(VirtualKeyName(96), "Num0");
  EXPECT_EQ(VirtualKeyName(105), "Num9");
  EXPECT_EQ(VirtualKeyName(108), "NumRet");
  EXPECT_EQ(VirtualKeyName(112), "F1");
  EXPECT_EQ(VirtualKeyName(123), "F12");
  EXPECT_EQ(VirtualKeyName(165), "Right Alt");
  EXPECT_EQ(VirtualKeyName(242), "Wheel");
  EXPECT_EQ(VirtualKeyName('A'), "A");
  EXPECT_EQ(VirtualKeyName('7'), "7");
  EXPECT_EQ(VirtualKeyName(0xBA), ";");
  EXPECT_EQ(VirtualKeyName(0xDE), "'");
  EXPECT_EQ(VirtualKeyName(7), "");
  EXPECT_EQ(VirtualKeyName(124), "");  // F13 gives no character
}

TEST(KeyNamesTest, HidUsagesCoverTheTableAndNothingElse) {
  EXPECT_EQ(HidUsageName(4), "A");
  EXPECT_EQ(HidUsageName(29), "Z");
  EXPECT_EQ(HidUsageName(30), "1");
  EXPECT_EQ(HidUsageName(38), "9");
  EXPECT_EQ(HidUsageName(39), "0");
  EXPECT_EQ(HidUsageName(49), "\\");
  EXPECT_EQ(HidUsageName(50), "Europe 1");
  EXPECT_EQ(HidUsageName(56), "/");
  EXPECT_EQ(HidUsageName(69), "F12");
  EXPECT_EQ(HidUsageName(72), "Break");
  EXPECT_EQ(HidUsageName(82), "Up Arrow");
  EXPECT_EQ(HidUsageName(88), "Num_Enter");
  EXPECT_EQ(HidUsageName(89), "Num_1");
  EXPECT_EQ(HidUsageName(97), "Num_9");
  EXPECT_EQ(HidUsageName(98), "Num_0");
  EXPECT_EQ(HidUsageName(99), "Num_.");
  EXPECT_EQ(HidUsageName(101), "APP");
  EXPECT_EQ(HidUsageName(130), "Sleep");
  EXPECT_EQ(HidUsageName(231), "Right GUI");
  EXPECT_EQ(HidUsageName(244), "Side Button 2");
  for (int code : {0, 3, 102, 129, 131, 223, 232, 239, 245, 255})
    EXPECT_EQ(HidUsageName(code), "") << code;
}

class FunctionNameTest : public ::testing::Test {
 protected:
  std::string name(int code) {
    slot.FunctionCode = static_cast<std::uint8_t>(code);
    return FunctionDisplayName(slot, profile);
  }
  ButtonSlot slot{};
  Profile profile{};
};

TEST_F(FunctionNameTest, KeySlotShowsModifiersInOrderUnlessBitZeroIsSet) {
  EXPECT_EQ(name(5), "");  // no event yet
  slot.EventCount = 1;
  slot.Events[0].Key = 4;
  slot.Events[0].Action = kModifierCtrl | kModifierShift | kModifierAlt | kModifierWin;
  EXPECT_EQ(name(5), "Ctrl+Shift+Alt+Win+A");
  slot.Events[0].Action = kModifierAlt;
  EXPECT_EQ(name(5), "Alt+A");
  slot.Events[0].Action = kModifierNone | kModifierCtrl;
  EXPECT_EQ(name(5), "A");
}

TEST_F(FunctionNameTest, NamesFromTheSlotAndTheProfile) {
  setFieldText(slot.ProgramPath, "C:\\Program Files\\Game\\game.exe");
  EXPECT_EQ(name(15), "game.exe");
  setFieldText(slot.Name3, "Combo");
  EXPECT_EQ(name(48), "Combo");
  setFieldText(slot.TimerName, "Eggs");
  EXPECT_EQ(name(49), "Eggs");
  profile.CpiLevel_X[0] = 4;
  profile.CpiLevel_X[4] = 50;
  EXPECT_EQ(name(51), "Steady-Aim 400 DPI");
  EXPECT_EQ(name(55), "Steady-Aim 5000 DPI");
  setFieldText(slot.Name1, "Keyboard");
  EXPECT_EQ(name(81), "Dual-Shift[+] Keyboard");
  EXPECT_EQ(name(82), "Dual-Shift[+] Keyboard Lock");
}

TEST_F(FunctionNameTest, FixedNamesAndUnknownCodes) {
  EXPECT_EQ(name(0), "Disabled");
  EXPECT_EQ(name(6), "Disabled");
  EXPECT_EQ(name(64), "Disabled");
  EXPECT_EQ(name(19), "Assign a sensitivity");
  EXPECT_EQ(name(65), "Dual-Shift[+] Vesk ORB Optical");
  EXPECT_EQ(name(84), "Dual-Shift[+] all Lock");
  for (int code : {12, 28, 31, 40, 47, 56, 63, 72, 80, 85, 255}) {
    EXPECT_EQ(name(code), "") << code;
    EXPECT_FALSE(IsKnownFunctionCode(code)) << code;
  }
  EXPECT_TRUE(IsKnownFunctionCode(48));
}

}  // namespace
