#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "option/ButtonPageModel.h"
#include "settings/FunctionCodes.h"
#include "settings/SettingsFiles.h"

namespace option {
namespace {

using settings::code;
using settings::FunctionCode;

// The dialogs answered in advance, with what they were asked.
struct Dialogs : ButtonAssignDialogs {
  std::optional<KeyShortcut> shortcut;
  std::optional<std::string> program;
  std::optional<int> player;
  std::function<bool(TimerList&)> timerEdit = [](TimerList&) { return false; };
  KeyShortcut shortcutStart;
  std::string programStart = "<not asked>";
  std::vector<std::pair<MacroManagerMode, int>> managerCalls;
  std::vector<std::pair<OptionNotice, std::string>> notices;
  int timerDialogs = 0;

  std::optional<KeyShortcut> askShortcut(const KeyShortcut& start) override {
    shortcutStart = start;
    return shortcut;
  }
  std::optional<std::string> askProgram(const std::string& start) override {
    programStart = start;
    return program;
  }
  bool selectPlayer(int& media) override {
    if (!player) return false;
    media = *player;
    return true;
  }
  bool createTimer(TimerList& t) override {
    ++timerDialogs;
    return timerEdit(t);
  }
  bool editTimers(TimerList& t) override {
    ++timerDialogs;
    return timerEdit(t);
  }
  void openMacroManager(MacroManagerMode mode, int set, const settings::ButtonSlot&) override {
    managerCalls.emplace_back(mode, set);
  }
  void notice(OptionNotice n, const std::string& detail) override {
    notices.emplace_back(n, detail);
  }
};

std::vector<std::string> texts(const std::vector<ButtonMenuItem>& items) {
  std::vector<std::string> out;
  for (const ButtonMenuItem& i : items) out.push_back(i.isSeparator() ? "-" : i.text);
  return out;
}
const ButtonMenuItem* find(const std::vector<ButtonMenuItem>& items, const std::string& text) {
  for (const ButtonMenuItem& i : items)
    if (i.text == text) return &i;
  return nullptr;
}

class ButtonPageModelTest : public ::testing::Test {
 protected:
  ButtonPageModelTest() {
    image->CurrentProfile = 1;
    for (int p = 0; p < settings::kProfileCount; ++p) settings::ResetProfile(image->Profiles[p], p);
  }
  ~ButtonPageModelTest() override { std::filesystem::remove_all(folder); }

  settings::Profile& shown() { return image->Profiles[1]; }
  settings::ButtonSlot& slot(int s) { return shown().MacroKeyInfo[s]; }
  int changed(int s) const { return image->SlotChanged[1][s]; }
  void clearFlags() { std::memset(image->SlotChanged, 0, sizeof image->SlotChanged); }

  static std::string makeFolder() {
    char pattern[] = "/tmp/vesk-buttonpage-XXXXXX";
    const std::string made = std::string(::mkdtemp(pattern)) + "/";
    std::filesystem::create_directories(made + "config");
    return made;
  }

  std::string folder = makeFolder();
  std::unique_ptr<settings::SettingsImage> image = std::make_unique<settings::SettingsImage>();
  std::unique_ptr<settings::DeviceInfoTable> devices =
      std::make_unique<settings::DeviceInfoTable>();
  Dialogs dialogs;
  ButtonPageModel model{*image, [this] { return image->CurrentProfile; }, folder, *devices,
                        dialogs};
};

TEST_F(ButtonPageModelTest, MenuOfAnOrdinarySlotInOrder) {
  const ButtonMenu menu = model.menuFor(5);
  EXPECT_EQ(texts(menu.items), (std::vector<std::string>{"Macro + Preset Compilation",
                                                         "Assign a Timer",
                                                         "Profile",
                                                         "DPI Setting",
                                                         "Sensitivity",
                                                         "Multimedia",
                                                         "Steady-Aim",
                                                         "-",
                                                         "Click",
                                                         "Menu",
                                                         "Universal scrolling",
                                                         "Double-click",
                                                         "Assign a Shortcut",
                                                         "Disabled",
                                                         "IE Forward",
                                                         "IE Backward",
                                                         "Tilt Left",
                                                         "Tilt Right",
                                                         "Scroll Up",
                                                         "Scroll Down",
                                                         "Quicklaunch",
                                                         "Windows key",
                                                         "Open Driver"}));
  EXPECT_EQ(texts(find(menu.items, "Multimedia")->submenu),
            (std::vector<std::string>{"Windows Mute", "Windows Volume Up", "Windows Volume Down",
                                      "-", "Select Player", "-", "Open Player", "Previous Track",
                                      "Next Track", "Play/Pause", "Stop"}));
  // Steady-Aim offers the profile's five DPI levels.
  shown().CpiLevel_X[2] = 32;
  const auto steady = find(model.menuFor(5).items, "Steady-Aim")->submenu;
  ASSERT_EQ(steady.size(), 5u);
  EXPECT_EQ(steady[2].text, "3200 DPI");
  EXPECT_EQ(steady[2].command, 1047);
  // Empty library and timer list: only their fixed entries.
  EXPECT_EQ(texts(find(menu.items, "Macro + Preset Compilation")->submenu),
            std::vector<std::string>{"Create New Macro..."});
  EXPECT_EQ(texts(find(menu.items, "Assign a Timer")->submenu),
            (std::vector<std::string>{"Create Timer", "Edit/Delete Timer", "Stop Timer"}));
}

TEST_F(ButtonPageModelTest, DualShiftAndChorusOnlyOnSlots4And5SteadyAimOnlyOnTheNormalLayer) {
  for (int s : {3, 4}) {
    const auto items = model.menuFor(s).items;
    ASSERT_GE(items.size(), 2u);
    EXPECT_EQ(items[0].text, "Dual-Shift[+] Vesk ORB Optical");
    EXPECT_EQ(items[1].text, "NIVARO Chorus");
    EXPECT_EQ(
        texts(items[0].submenu),
        (std::vector<std::string>{"Dual-Shift[+] Vesk ORB Optical", "-", "Dual-Wheel Sensitivity",
                                  "Dual-Wheel Profile", "Dual-Wheel DPI", "Dual-Wheel Volume",
                                  "Dual-Wheel Alt-Tab", "Dual-Wheel Aero Flip 3D"}));
  }
  for (int s : {2, 5, 12, 15, 16, 23}) {
    EXPECT_EQ(find(model.menuFor(s).items, "NIVARO Chorus"), nullptr) << s;
    EXPECT_EQ(find(model.menuFor(s).items, "Dual-Shift[+] Vesk ORB Optical"), nullptr) << s;
  }
  for (int s = 12; s < 24; ++s) EXPECT_EQ(find(model.menuFor(s).items, "Steady-Aim"), nullptr);
  EXPECT_NE(find(model.menuFor(11).items, "Steady-Aim"), nullptr);
}

TEST_F(ButtonPageModelTest, ChorusMenuListsEveryDeviceOfTheTable) {
  EXPECT_EQ(texts(find(model.menuFor(3).items, "NIVARO Chorus")->submenu),
            std::vector<std::string>{"Dual-Shift[+] all devices"});
  devices->Count = 2;
  devices->Records[0].PID = 0x1234;
  std::strcpy(devices->Records[0].Name, "Pad");
  // A name filling its whole field without a terminator is read to its end.
  std::memcpy(devices->Records[1].Name, "KeyboardKeyboardKey!", 20);
  const ButtonMenuItem chorus = *find(model.menuFor(3).items, "NIVARO Chorus");
  EXPECT_EQ(chorus.minWidth, 170);
  EXPECT_EQ(texts(chorus.submenu),
            (std::vector<std::string>{"Dual-Shift[+] all devices", "-", "NIVARO Chorus: Pad",
                                      "NIVARO Chorus: KeyboardKeyboardKey!"}));
  EXPECT_EQ(chorus.submenu[3].submenu[1].text, "Dual-Shift[+] KeyboardKeyboardKey! Lock/Unlock");
  EXPECT_EQ(chorus.submenu[3].submenu[1].command, 11221);

  // Choosing a device writes its name and product id; all devices is 65535.
  ASSERT_TRUE(model.choose(3, 11211));
  EXPECT_EQ(slot(3).FunctionCode, code(FunctionCode::DualShiftPeerLock));
  EXPECT_STREQ(slot(3).Name1, "Pad");
  EXPECT_EQ(static_cast<std::uint16_t>(slot(3).peerValue()), 0x1234);
  ASSERT_TRUE(model.choose(3, 11200));
  EXPECT_EQ(slot(3).FunctionCode, code(FunctionCode::DualShiftAll));
  EXPECT_EQ(static_cast<std::uint16_t>(slot(3).peerValue()), 65535);
  // Devices beyond the table and kinds other than 0 and 1 write nothing.
  clearFlags();
  EXPECT_FALSE(model.choose(3, 11230));
  EXPECT_FALSE(model.choose(3, 11212));
  EXPECT_FALSE(model.choose(3, 11201));
  EXPECT_EQ(changed(3), 0);
}

TEST_F(ButtonPageModelTest, MacroMenuMarksTheAssignedMacroAndSeparatesTheFixedSets) {
  auto& lib = model.library();
  for (const char* name : {"World of Warcraft", "Xfire", "Mine"})
    ASSERT_EQ(lib.addSet(name), macros::MacroEdit::kDone);
  ASSERT_EQ(lib.addMacro(2, "Jump"), macros::MacroEdit::kDone);
  ASSERT_EQ(lib.addMacro(2, "Run"), macros::MacroEdit::kDone);
  lib.macro(2, 1)->PlayCount = 3;
  lib.macro(2, 1)->EventCount = 2;
  lib.macro(2, 1)->Events[0] = {0x04, 1, {10, 0}};
  lib.macro(2, 1)->Events[1] = {0x04, 2, {0, 0}};

  ASSERT_TRUE(model.choose(6, 1100 + 200 + 1));
  EXPECT_EQ(slot(6).FunctionCode, code(FunctionCode::Macro));
  EXPECT_STREQ(slot(6).Name2, "Mine");
  EXPECT_STREQ(slot(6).Name3, "Run");
  EXPECT_EQ(slot(6).MacroOption, 3);
  EXPECT_EQ(slot(6).EventCount, 2);
  EXPECT_EQ(slot(6).Events[0].delay(), 10);
  EXPECT_EQ(model.displayName(6), "Run");

  const auto sets = find(model.menuFor(6).items, "Macro + Preset Compilation")->submenu;
  EXPECT_EQ(texts(sets), (std::vector<std::string>{"Create New Macro...", "-", "World of Warcraft",
                                                   "-", "Xfire", "-", "Mine"}));
  EXPECT_TRUE(sets[6].mark);
  EXPECT_FALSE(sets[2].mark);
  EXPECT_EQ(texts(sets[6].submenu),
            (std::vector<std::string>{"Edit Macro...", "-", "Jump", "Run"}));
  EXPECT_EQ(sets[6].submenu[0].command, 11102);
  EXPECT_FALSE(sets[6].submenu[2].mark);
  EXPECT_TRUE(sets[6].submenu[3].mark);
  // Another slot shows no mark.
  EXPECT_FALSE(find(model.menuFor(7).items, "Macro + Preset Compilation")->submenu[6].mark);

  // The manager opens for a set that exists; the slot is left alone.
  clearFlags();
  EXPECT_FALSE(model.choose(6, 11102));
  EXPECT_FALSE(model.choose(6, 11105));
  EXPECT_FALSE(model.choose(6, 1099));
  EXPECT_FALSE(model.choose(6, 1100 + 300));  // no fourth set
  using Mode = ButtonAssignDialogs::MacroManagerMode;
  EXPECT_EQ(dialogs.managerCalls,
            (std::vector<std::pair<Mode, int>>{{Mode::EditSet, 2}, {Mode::Create, -1}}));
  EXPECT_EQ(changed(6), 0);
  EXPECT_EQ(slot(6).FunctionCode, code(FunctionCode::Macro));
}

TEST_F(ButtonPageModelTest, ShortcutIsOneKeyEventWithModifierBits) {
  // A macro was on the button: its names and extra events go.
  std::strcpy(slot(5).Name2, "Set");
  std::strcpy(slot(5).Name3, "Macro");
  slot(5).EventCount = 3;
  slot(5).Events[0] = {0x07, 0x04 | 0x02, {5, 0}};
  slot(5).Events[2] = {0x09, 2, {0, 0}};
  dialogs.shortcut = KeyShortcut{0x0E, {false, true, true, false, false}};  // Ctrl+Shift+K
  ASSERT_TRUE(model.choose(5, 1005));
  // The dialog started from the slot's key and bits.
  EXPECT_EQ(dialogs.shortcutStart.key, 0x07);
  EXPECT_EQ(dialogs.shortcutStart.flags, (std::array<bool, 5>{false, true, true, false, false}));
  EXPECT_EQ(slot(5).FunctionCode, code(FunctionCode::Key));
  EXPECT_EQ(slot(5).EventCount, 1);
  EXPECT_EQ(slot(5).Events[0].Key, 0x0E);
  EXPECT_EQ(slot(5).Events[0].Action, 0x06);
  EXPECT_EQ(slot(5).Events[2].Key, 0);
  EXPECT_STREQ(slot(5).Name2, "");
  EXPECT_STREQ(slot(5).Name3, "");
  EXPECT_EQ(model.displayName(5), "Ctrl+Shift+K");
  EXPECT_EQ(changed(5), 1);

  // None wins over every other flag and is stored as 1.
  dialogs.shortcut = KeyShortcut{0x46, {true, true, false, true, true}};
  ASSERT_TRUE(model.choose(5, 1005));
  EXPECT_EQ(slot(5).Events[0].Action, 0x01);

  // Cancel leaves the slot and its flag as they were.
  clearFlags();
  const settings::ButtonSlot before = slot(5);
  dialogs.shortcut.reset();
  EXPECT_FALSE(model.choose(5, 1005));
  EXPECT_EQ(std::memcmp(&before, &slot(5), sizeof before), 0);
  EXPECT_EQ(changed(5), 0);
}

TEST_F(ButtonPageModelTest, QuicklaunchStoresThePathAndRefusesPathsTheSlotCannotHold) {
  dialogs.program = "/usr/bin/gimp";
  ASSERT_TRUE(model.choose(6, 1015));
  EXPECT_EQ(dialogs.programStart, "");  // not yet a program button
  EXPECT_EQ(slot(6).FunctionCode, code(FunctionCode::OpenProgram));
  EXPECT_STREQ(slot(6).ProgramPath, "/usr/bin/gimp");
  EXPECT_EQ(model.displayName(6), "gimp");
  dialogs.program = "/opt/tool/run.sh";
  ASSERT_TRUE(model.choose(6, 1015));
  EXPECT_EQ(dialogs.programStart, "/usr/bin/gimp");

  // Too long to store whole, or blank: refused with a notice, slot kept.
  clearFlags();
  for (const std::string& path : {"/" + std::string(259, 'a'), std::string("   ")}) {
    dialogs.program = path;
    EXPECT_FALSE(model.choose(6, 1015));
    EXPECT_STREQ(slot(6).ProgramPath, "/opt/tool/run.sh");
  }
  ASSERT_EQ(dialogs.notices.size(), 2u);
  EXPECT_EQ(dialogs.notices[0].first, OptionNotice::ProgramPathTooLong);
  EXPECT_EQ(dialogs.notices[1].first, OptionNotice::NoProgramChosen);
  EXPECT_EQ(changed(6), 0);
  dialogs.program.reset();
  EXPECT_FALSE(model.choose(6, 1015));
  EXPECT_STREQ(slot(6).ProgramPath, "/opt/tool/run.sh");
}

TEST_F(ButtonPageModelTest, PlainChoicesWriteTheirCodeAndClearTheMacroFields) {
  const std::pair<int, int> table[] = {
      {1001, 1},  {1002, 2},  {1003, 3},  {1004, 4},  {1006, 6},  {1007, 7},  {1008, 8},
      {1009, 9},  {1010, 10}, {1013, 13}, {1014, 14}, {1016, 16}, {1017, 17}, {1018, 18},
      {1020, 20}, {1021, 21}, {1022, 22}, {1025, 66}, {1026, 67}, {1027, 68}, {1028, 69},
      {1030, 70}, {1031, 71}, {1032, 32}, {1033, 33}, {1034, 34}, {1035, 35}, {1036, 36},
      {1037, 37}, {1038, 38}, {1039, 39}, {1041, 23}, {1042, 24}, {1043, 25}, {1045, 51},
      {1049, 55}, {1055, 26}, {1056, 27}, {502, 50}};
  for (auto [command, expected] : table) {
    clearFlags();
    slot(7).EventCount = 2;
    slot(7).MacroOption = 4;
    slot(7).Events[1].Key = 9;
    std::strcpy(slot(7).Name2, "Set");
    std::strcpy(slot(7).Name3, "M");
    ASSERT_TRUE(model.choose(7, command)) << command;
    EXPECT_EQ(slot(7).FunctionCode, expected) << command;
    EXPECT_EQ(slot(7).EventCount, 0);
    EXPECT_EQ(slot(7).MacroOption, 0);
    EXPECT_EQ(slot(7).Events[1].Key, 0);
    EXPECT_STREQ(slot(7).Name2, "");
    EXPECT_STREQ(slot(7).Name3, "");
    EXPECT_EQ(changed(7), 1);
  }
  // Ids that name no function write nothing.
  clearFlags();
  for (int command : {1011, 1012, 1019, 1023, 1029, 1044, 1050, 503, 504, 555, 99999}) {
    EXPECT_FALSE(model.choose(7, command)) << command;
  }
  EXPECT_EQ(changed(7), 0);
  EXPECT_EQ(slot(7).FunctionCode, 50);
}

TEST_F(ButtonPageModelTest, TimersFromTheFileAppearAndAssignTheirFields) {
  TimerList file;
  ASSERT_EQ(file.add("Tea", 180), TimerList::Refusal::None);
  ASSERT_EQ(file.add("Respawn", 45), TimerList::Refusal::None);
  ASSERT_TRUE(file.save(TimerList::filePath(folder)));
  model.reloadLists();
  const auto timer = find(model.menuFor(8).items, "Assign a Timer")->submenu;
  ASSERT_EQ(timer.size(), 6u);
  EXPECT_EQ(texts(timer), (std::vector<std::string>{"Create Timer", "Edit/Delete Timer",
                                                    "Stop Timer", "-", "Tea", "Respawn"}));
  EXPECT_EQ(timer[5].command, 506);

  slot(8).EventCount = 1;
  ASSERT_TRUE(model.choose(8, 506));
  EXPECT_EQ(slot(8).FunctionCode, code(FunctionCode::Timer));
  EXPECT_EQ(slot(8).TimerLength, 45);
  EXPECT_STREQ(slot(8).TimerName, "Respawn");
  EXPECT_EQ(slot(8).EventCount, 0);
  EXPECT_EQ(model.displayName(8), "Respawn");
  EXPECT_FALSE(model.choose(8, 507));  // no third timer
}

TEST_F(ButtonPageModelTest, TimerDialogsRewriteTheFileAndKeepTheirLimits) {
  // Nothing to edit yet: refused without a dialog.
  EXPECT_FALSE(model.choose(8, 501));
  EXPECT_EQ(dialogs.timerDialogs, 0);
  ASSERT_EQ(dialogs.notices.size(), 1u);
  EXPECT_EQ(dialogs.notices[0].first, OptionNotice::NoTimers);

  dialogs.timerEdit = [](TimerList& t) { return t.add("Egg", 300) == TimerList::Refusal::None; };
  EXPECT_FALSE(model.choose(8, 500));  // the image stays as it was
  TimerList file;
  file.load(TimerList::filePath(folder));
  ASSERT_EQ(file.size(), 1u);
  EXPECT_EQ(TimerList::nameOf(*file.at(0)), "Egg");

  // With 51 timers, creating another is refused before the dialog.
  for (int i = 1; i < 51; ++i)
    ASSERT_EQ(file.add("T" + std::to_string(i), 60), TimerList::Refusal::None);
  ASSERT_TRUE(file.save(TimerList::filePath(folder)));
  const int before = dialogs.timerDialogs;
  EXPECT_FALSE(model.choose(8, 500));
  EXPECT_EQ(dialogs.timerDialogs, before);
  EXPECT_EQ(dialogs.notices.back().first, OptionNotice::TimersFull);
  // The menu lists the first fifty.
  model.reloadLists();
  const auto timer = find(model.menuFor(8).items, "Assign a Timer")->submenu;
  EXPECT_EQ(timer.size(), 4u + 50u);
  EXPECT_EQ(timer.back().command, 554);

  // A timer file that cannot be written: the new timer is not reported as
  // kept, and the notice names the file.
  const std::string path = TimerList::filePath(folder);
  std::filesystem::remove(path);
  std::filesystem::create_directory(path);
  EXPECT_FALSE(model.choose(8, 500));
  ASSERT_EQ(dialogs.notices.back().first, OptionNotice::TimersNotSaved);
  EXPECT_EQ(dialogs.notices.back().second, path);
}

TEST_F(ButtonPageModelTest, SelectPlayerEditsTheProfileNotTheSlot) {
  shown().MediaOption = 0;
  dialogs.player = 2;
  const settings::ButtonSlot before = slot(9);
  EXPECT_TRUE(model.choose(9, 1040));
  EXPECT_EQ(shown().MediaOption, 2);
  EXPECT_EQ(std::memcmp(&before, &slot(9), sizeof before), 0);
  EXPECT_EQ(changed(9), 0);
}

TEST_F(ButtonPageModelTest, DualShiftTakesThePartnerAndGivesItBack) {
  // Factory profile: slot 4 IE Forward, its partner slot 16 Disabled (6).
  slot(15).FunctionCode = code(FunctionCode::WindowsMute);
  ASSERT_TRUE(model.barClicked(3));
  ASSERT_TRUE(model.choose(3, 1024));
  EXPECT_EQ(slot(15).FunctionCode, 0);
  EXPECT_EQ(changed(15), 1);
  EXPECT_EQ(model.displayName(15), "Disabled");
  EXPECT_TRUE(model.isFixed(15));
  EXPECT_FALSE(model.barClicked(15));

  // Another Dual-Shift kind keeps the partner at 0.
  clearFlags();
  ASSERT_TRUE(model.choose(3, 11200));
  EXPECT_EQ(slot(15).FunctionCode, 0);
  EXPECT_EQ(changed(15), 0);

  // The same choice again flags the slot but leaves the partner alone.
  ASSERT_TRUE(model.choose(3, 11200));
  EXPECT_EQ(changed(3), 1);
  EXPECT_EQ(changed(15), 0);

  ASSERT_TRUE(model.choose(3, 1001));
  EXPECT_EQ(slot(15).FunctionCode, code(FunctionCode::WindowsMute));
  EXPECT_EQ(changed(15), 1);

  // Slot 5 holds Dual-Shift from the factory and slot 17 is 0 with nothing
  // remembered: it becomes Disabled (6).
  ASSERT_EQ(slot(4).FunctionCode, code(FunctionCode::DualShift));
  ASSERT_TRUE(model.choose(4, 1002));
  EXPECT_EQ(slot(16).FunctionCode, 6);
  EXPECT_EQ(changed(16), 1);
}

TEST_F(ButtonPageModelTest, DualShiftMemoryIsKeptPerProfile) {
  slot(15).FunctionCode = code(FunctionCode::WindowsMute);
  ASSERT_TRUE(model.choose(3, 1024));
  image->CurrentProfile = 2;
  image->Profiles[2].MacroKeyInfo[15].FunctionCode = code(FunctionCode::NextTrack);
  ASSERT_TRUE(model.choose(3, 1024));
  image->CurrentProfile = 1;
  ASSERT_TRUE(model.choose(3, 1001));
  EXPECT_EQ(slot(15).FunctionCode, code(FunctionCode::WindowsMute));
}

TEST_F(ButtonPageModelTest, FixedBarsAndTheClosingClickOpenNoMenu) {
  EXPECT_FALSE(model.barClicked(0));
  EXPECT_FALSE(model.barClicked(1));
  EXPECT_FALSE(model.barClicked(16));  // factory code 0
  EXPECT_TRUE(model.barClicked(5));
  model.menuClosed(5, true);
  EXPECT_FALSE(model.barClicked(5));  // the click that closed it
  EXPECT_TRUE(model.barClicked(5));   // the next one opens it again
  model.menuClosed(5, true);
  EXPECT_TRUE(model.barClicked(6));  // another bar is not affected
  EXPECT_TRUE(model.barClicked(5));
}

TEST_F(ButtonPageModelTest, HoverPicturesFollowTheDualShiftButtons) {
  slot(3).FunctionCode = code(FunctionCode::DualShift);
  slot(4).FunctionCode = code(FunctionCode::Click);
  EXPECT_EQ(model.pictureFor(213), 13);  // slot 14, Dual-Shift on slot 4 only
  slot(4).FunctionCode = code(FunctionCode::DualShiftAll);
  EXPECT_EQ(model.pictureFor(213), 37);
  slot(3).FunctionCode = code(FunctionCode::Click);
  EXPECT_EQ(model.pictureFor(213), 25);
  slot(4).FunctionCode = code(FunctionCode::DualShiftPeer);  // not a layer shift here
  EXPECT_EQ(model.pictureFor(213), 49);
  EXPECT_EQ(model.pictureFor(200), 0);
  EXPECT_EQ(model.pictureFor(211), 11);
  EXPECT_EQ(model.pictureFor(199), ButtonPageModel::kNoPicture);
  EXPECT_EQ(model.pictureFor(224), ButtonPageModel::kNoPicture);

  model.hover(true, 213);
  EXPECT_EQ(model.shownPicture(), 49);
  slot(4).FunctionCode = code(FunctionCode::DualShift);
  model.hover(false, 213);
  EXPECT_EQ(model.shownPicture(), ButtonPageModel::kNoPicture);
  model.hover(true, 300);
  EXPECT_EQ(model.shownPicture(), ButtonPageModel::kNoPicture);
}

TEST_F(ButtonPageModelTest, OrientationIsTheShownProfiles) {
  model.setOrientation(1);
  EXPECT_EQ(shown().Orientation, 1);
  EXPECT_EQ(image->Profiles[0].Orientation, 0);
  model.setOrientation(0);
  EXPECT_EQ(model.orientation(), 0);
}

}  // namespace
}  // namespace option
