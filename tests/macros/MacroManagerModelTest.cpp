#include <gtest/gtest.h>

#include <cstring>

#include "macros/MacroManagerModel.h"
#include "settings/FunctionCodes.h"

namespace {

using macros::MacroManagerModel;
using Notice = MacroManagerModel::Notice;

macros::MacroLibrary sampleLibrary() {
  macros::MacroLibrary library;
  for (const char* set : {"Office", "World of Warcraft", "Raid"}) library.addSet(set);
  library.addMacro(2, "Heal");
  library.addMacro(2, "Heal Group");
  library.addMacro(2, "Shield");
  for (int i = 0; i < library.setCount(); ++i) library.set(i)->changeState = macros::kUnchanged;
  return library;
}

settings::ButtonSlot macroSlot(const char* set, const char* macro) {
  settings::ButtonSlot slot{};
  slot.FunctionCode = static_cast<std::uint8_t>(settings::FunctionCode::Macro);
  std::strcpy(slot.Name2, set);
  std::strcpy(slot.Name3, macro);
  return slot;
}

TEST(MacroManagerModelTest, OpensOnTheButtonsMacroAndItsSetMenu) {
  const macros::MacroLibrary library = sampleLibrary();
  MacroManagerModel model(library, macroSlot("raid", "heal g"), 0);
  EXPECT_FALSE(model.asksForFirstSet());
  EXPECT_EQ(model.selectedSet(), 2);
  EXPECT_EQ(model.selectedMacro(), 1);  // the first macro whose name begins so

  const auto menu = model.setMenu();
  ASSERT_EQ(menu.size(), 5u);
  EXPECT_EQ(menu[0].id, 2000);
  EXPECT_FALSE(menu[0].separatorAfter);
  EXPECT_TRUE(menu[1].separatorAfter);  // after "World of Warcraft"
  EXPECT_TRUE(menu[2].checked);
  EXPECT_TRUE(menu[2].separatorAfter);  // closes the sets
  EXPECT_EQ(menu[3].text, "[+]Add Macro Set");
  EXPECT_EQ(menu[4].id, 2999);

  MacroManagerModel other(library, settings::ButtonSlot{}, 7);  // no such set: the first
  EXPECT_EQ(other.selectedSet(), 0);
  EXPECT_EQ(other.selectedMacro(), -1);
  EXPECT_EQ(other.editCheck(), Notice::kNoMacro);

  MacroManagerModel empty(macros::MacroLibrary{}, settings::ButtonSlot{}, 0);
  EXPECT_TRUE(empty.asksForFirstSet());
  bool added;
  EXPECT_EQ(empty.newMacro("Copy", added), Notice::kNoSet);
  EXPECT_EQ(empty.editCheck(), Notice::kNoSet);
  EXPECT_TRUE(empty.addSet(" First "));
  EXPECT_EQ(empty.selectedSet(), 0);
}

TEST(MacroManagerModelTest, EditsStayInTheWorkingCopyUntilTakenBack) {
  const macros::MacroLibrary library = sampleLibrary();
  MacroManagerModel model(library, macroSlot("Raid", "Shield"), 0);
  ASSERT_EQ(model.selectedMacro(), 2);
  EXPECT_TRUE(model.playCountOn());

  EXPECT_EQ(model.commitPlayCount("300"), "255");
  EXPECT_EQ(model.selectedRecord()->PlayCount, 255);
  model.setPlayCountOn(false);
  EXPECT_EQ(model.selectedRecord()->PlayCount, 1);

  model.recorder().startNew();
  model.recorder().key(30, 4, false, 0);
  model.recorder().stop();
  model.storeEvents();
  EXPECT_EQ(model.selectedRecord()->EventCount, 1);

  bool added;
  EXPECT_EQ(model.newMacro("heal", added), Notice::kNone);
  EXPECT_FALSE(added);  // a duplicate
  EXPECT_FALSE(model.renameMacro(0, "SHIELD"));
  EXPECT_TRUE(model.deleteSelectedMacro());
  EXPECT_EQ(model.selectedMacro(), 1);  // moved to the last row
  EXPECT_TRUE(model.deleteSelectedSet());
  EXPECT_EQ(model.selectedSet(), 1);

  EXPECT_EQ(library.setCount(), 3);
  EXPECT_EQ(library.macro(2, 2)->EventCount, 0);
  const macros::MacroLibrary taken = model.takeWorking();
  EXPECT_EQ(taken.setCount(), 2);
}

}  // namespace
