#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include "../settings/TestFolder.h"
#include "macros/MacroLibrary.h"
#include "settings/FunctionCodes.h"

namespace {

using macros::MacroEdit;
using macros::MacroLibrary;
using macros::MacroRecord;
using macros::MacroSet;

// A 2060-byte record spelled out byte by byte, and its struct text (two hex
// digits a byte, then the low byte of the sum), as the file holds it.
std::vector<unsigned char> recordBytes(const std::string& name, int playCount,
                                       std::vector<std::vector<int>> events) {
  std::vector<unsigned char> bytes(2060, 0);
  std::memcpy(bytes.data(), name.data(), name.size());
  bytes[52] = static_cast<unsigned char>(playCount);
  bytes[56] = static_cast<unsigned char>(events.size());
  for (std::size_t i = 0; i < events.size(); ++i) {
    bytes[60 + 4 * i] = static_cast<unsigned char>(events[i][0]);
    bytes[61 + 4 * i] = static_cast<unsigned char>(events[i][1]);
    bytes[62 + 4 * i] = static_cast<unsigned char>(events[i][2] & 0xFF);
    bytes[63 + 4 * i] = static_cast<unsigned char>(events[i][2] >> 8);
  }
  return bytes;
}

std::string structText(const std::vector<unsigned char>& bytes, int checksumOffset = 0) {
  std::string text;
  unsigned sum = 0;
  char hex[3];
  for (unsigned char b : bytes) {
    std::snprintf(hex, sizeof hex, "%02X", b);
    text += hex;
    sum += b;
  }
  std::snprintf(hex, sizeof hex, "%02X", (sum + checksumOffset) & 0xFF);
  return text + hex;
}

const std::string kCopyMacro =
    structText(recordBytes("Copy", 2, {{0xE0, 1, 40}, {0x06, 1, 0}, {0x06, 2, 35}, {0xE0, 2, 0}}));
const std::string kJumpMacro = structText(recordBytes("Jump", 1, {{0x2C, 1, 0}, {0x2C, 2, 0}}));

class MacroLibraryTest : public TestFolder {
 protected:
  std::string path() const { return folder_ + "config/Preset_sequence.dat"; }
  void writePreset(const std::string& text) { writeFile(path(), text); }
  std::string preset() const { return readFile(path()); }

  static void assignMacro(settings::SettingsImage& image, int profile, int slot, const char* set,
                          const char* macro, int playCount, std::vector<std::vector<int>> events) {
    settings::ButtonSlot& s = image.Profiles[profile].MacroKeyInfo[slot];
    s.FunctionCode = static_cast<std::uint8_t>(settings::FunctionCode::Macro);
    std::strncpy(s.Name2, set, sizeof s.Name2);
    std::strncpy(s.Name3, macro, sizeof s.Name3);
    s.MacroOption = playCount;
    s.EventCount = static_cast<std::uint16_t>(events.size());
    for (std::size_t i = 0; i < events.size(); ++i) {
      s.Events[i].Key = static_cast<std::uint8_t>(events[i][0]);
      s.Events[i].Action = static_cast<std::uint8_t>(events[i][1]);
      s.Events[i].setDelay(static_cast<std::uint16_t>(events[i][2]));
    }
  }
};

TEST_F(MacroLibraryTest, LoadsSetsAndRecordsAsTheFileHoldsThem) {
  writePreset(
      "[SetMacro]\r\nnumber=2\r\n0= Office \r\n1=Games\r\n"
      "[Office]\r\nnumber=2\r\n0=" +
      kCopyMacro + "\r\n1=" + kJumpMacro.substr(0, 40) +
      "\r\n"
      "[games]\r\nnumber=1\r\n0=" +
      kJumpMacro + "\r\n");
  MacroLibrary library;
  ASSERT_TRUE(library.load(path()));
  ASSERT_EQ(library.setCount(), 2);
  EXPECT_EQ(library.set(0)->name, "Office");  // the file's values are trimmed
  EXPECT_EQ(library.set(0)->changeState, macros::kUnchanged);
  ASSERT_EQ(library.set(0)->macros.size(), 2u);
  const MacroRecord& copy = library.set(0)->macros[0];
  EXPECT_EQ(copy.name(), "Copy");
  EXPECT_EQ(copy.PlayCount, 2);
  ASSERT_EQ(copy.EventCount, 4);
  EXPECT_EQ(copy.Events[0].Key, 0xE0);
  EXPECT_EQ(copy.Events[0].delay(), 40);
  EXPECT_EQ(copy.Events[2].Action, 2);
  EXPECT_EQ(copy.Events[2].delay(), 35);
  // A cut-off record keeps its place as an all-zero record.
  const MacroRecord& damaged = library.set(0)->macros[1];
  EXPECT_EQ(damaged.name(), "");
  EXPECT_EQ(damaged.EventCount, 0);
  // Sections are found by name, case-insensitively.
  EXPECT_EQ(library.macro(1, 0)->name(), "Jump");
  EXPECT_EQ(library.findSet("  gAMES"), 1);
  EXPECT_EQ(library.findMacro(0, "copy "), 0);
  EXPECT_EQ(library.macro(1, 1), nullptr);
  EXPECT_EQ(library.set(2), nullptr);
  EXPECT_EQ(library.set(-1), nullptr);
}

TEST_F(MacroLibraryTest, AListWithoutASetCountIsAnEmptyLibrary) {
  for (const std::string list : {"[SetMacro]\r\nnumber=0\r\n0=Office\r\n",
                                 "[SetMacro]\r\n0=Office\r\n", "[SetMacro]\r\nnumber=-4\r\n", ""}) {
    writePreset(list + "[Office]\r\nnumber=1\r\n0=" + kCopyMacro + "\r\n");
    MacroLibrary library;
    EXPECT_TRUE(library.load(path()));
    EXPECT_TRUE(library.empty()) << list;
  }
  MacroLibrary missing;
  EXPECT_TRUE(missing.load(folder_ + "config/none.dat"));
  EXPECT_TRUE(missing.empty());
}

TEST_F(MacroLibraryTest, DamagedRecordsAndLyingCountsNeverCrashOrOverrun) {
  std::vector<unsigned char> long_name = recordBytes("", 1, {});
  std::memset(long_name.data(), 'N', 52);  // no terminating NUL
  long_name[56] = 0xFF;                    // event count far above 500
  long_name[57] = 0x7F;
  writePreset(
      "[SetMacro]\r\nnumber=2147483647\r\n0=Office\r\n"
      "[Office]\r\nnumber=2147483647\r\n0=" +
      structText(long_name) + "\r\n1=" + structText(recordBytes("Bad", 1, {}), 1) + "\r\n2=zz\r\n");
  MacroLibrary library;
  ASSERT_TRUE(library.load(path()));
  ASSERT_GE(library.setCount(), 1);
  EXPECT_LE(library.setCount(), 1000);
  const MacroSet& office = *library.set(0);
  EXPECT_LE(office.macros.size(), 1000u);
  EXPECT_EQ(office.macros[0].name(), std::string(51, 'N'));
  EXPECT_EQ(office.macros[0].eventCount(), 500);
  EXPECT_EQ(office.macros[1].name(), "");  // checksum wrong: zero record
  EXPECT_EQ(office.macros[2].name(), "");
}

TEST_F(MacroLibraryTest, SaveRewritesOnlyChangedSetsAndDeletesNothing) {
  const std::string untouched =
      "[Games]\r\nnumber=1\r\n0=" + kJumpMacro + "\r\n; kept as it is\r\n";
  writePreset(
      "[SetMacro]\r\nnumber=3\r\n0=Office\r\n1=Games\r\n2=Old\r\n"
      "[Office]\r\nnumber=1\r\n0=" +
      kCopyMacro + "\r\n" + untouched + "[Old]\r\nnumber=1\r\n0=" + kJumpMacro + "\r\n");
  MacroLibrary library;
  ASSERT_TRUE(library.load(path()));
  ASSERT_EQ(library.removeSet(2), MacroEdit::kDone);
  ASSERT_EQ(library.removeMacro(0, 0), MacroEdit::kDone);
  ASSERT_EQ(library.addSet(" Build "), MacroEdit::kDone);
  ASSERT_EQ(library.addMacro(2, "Wall"), MacroEdit::kDone);
  ASSERT_TRUE(library.save(path()));
  for (const macros::MacroSet& set : library.sets()) EXPECT_EQ(set.changeState, macros::kUnchanged);

  const std::string wall = structText(recordBytes("Wall", 1, {}));
  EXPECT_EQ(preset(),
            "[SetMacro]\r\nnumber=3\r\n0=Office\r\n1=Games\r\n2=Build\r\n"
            "[Office]\r\nnumber=0\r\n0=" +
                kCopyMacro + "\r\n" + untouched + "[Old]\r\nnumber=1\r\n0=" + kJumpMacro +
                "\r\n\r\n"
                "[Build]\r\nnumber=1\r\n0=" +
                wall + "\r\n");

  MacroLibrary again;
  ASSERT_TRUE(again.load(path()));
  ASSERT_EQ(again.setCount(), 3);
  EXPECT_EQ(again.findSet("Old"), -1);
  EXPECT_TRUE(again.set(0)->macros.empty());
  EXPECT_EQ(again.macro(2, 0)->name(), "Wall");
  EXPECT_EQ(again.macro(2, 0)->PlayCount, 1);
}

TEST_F(MacroLibraryTest, AFailedSaveKeepsTheChangesForTheNextSave) {
  writeFile(folder_ + "config", "a file where the folder belongs");
  MacroLibrary library;
  ASSERT_EQ(library.addSet("Office"), MacroEdit::kDone);
  EXPECT_FALSE(library.save(path()));
  EXPECT_EQ(library.set(0)->changeState, macros::kAdded);
}

TEST_F(MacroLibraryTest, TwoSaversKeepEachOthersSetsAndDeletions) {
  writePreset("[SetMacro]\r\nnumber=2\r\n0=Office\r\n1=Old\r\n[Office]\r\nnumber=1\r\n0=" +
              kCopyMacro + "\r\n[Old]\r\nnumber=1\r\n0=" + kJumpMacro + "\r\n");
  MacroLibrary first, second;
  ASSERT_TRUE(first.load(path()));
  ASSERT_TRUE(second.load(path()));

  ASSERT_EQ(first.addSet("Alpha"), MacroEdit::kDone);
  ASSERT_EQ(first.addMacro(2, "A1"), MacroEdit::kDone);
  ASSERT_EQ(first.removeSet(1), MacroEdit::kDone);  // "Old"
  ASSERT_TRUE(first.save(path()));

  ASSERT_EQ(second.addSet("Beta"), MacroEdit::kDone);
  ASSERT_EQ(second.addMacro(0, "Paste"), MacroEdit::kDone);  // into "Office"
  ASSERT_TRUE(second.save(path()));
  // The second saver took the first one's set in, with its macro, and let
  // "Old" go, which it had not edited.
  ASSERT_EQ(second.setCount(), 3);
  EXPECT_EQ(second.set(2)->name, "Alpha");
  ASSERT_NE(second.macro(2, 0), nullptr);
  EXPECT_EQ(second.macro(2, 0)->name(), "A1");

  // The first saves again: nothing of the second's is lost either.
  ASSERT_EQ(first.addSet("Gamma"), MacroEdit::kDone);
  ASSERT_TRUE(first.save(path()));
  MacroLibrary reread;
  ASSERT_TRUE(reread.load(path()));
  std::vector<std::string> names;
  for (const MacroSet& set : reread.sets()) names.push_back(set.name);
  EXPECT_EQ(names, (std::vector<std::string>{"Office", "Alpha", "Gamma", "Beta"}));
  EXPECT_EQ(reread.macro(0, 1)->name(), "Paste");

  // A set deleted elsewhere but edited here is kept with its edits.
  MacroLibrary third;
  ASSERT_TRUE(third.load(path()));
  ASSERT_EQ(reread.removeSet(3), MacroEdit::kDone);  // "Beta"
  ASSERT_TRUE(reread.save(path()));
  ASSERT_EQ(third.addMacro(third.findSet("Beta"), "Kept"), MacroEdit::kDone);
  ASSERT_TRUE(third.save(path()));
  ASSERT_TRUE(reread.load(path()));
  ASSERT_GE(reread.findSet("Beta"), 0);
  EXPECT_EQ(reread.macro(reread.findSet("Beta"), 0)->name(), "Kept");
}

TEST_F(MacroLibraryTest, AFileRemovedUnderALoadedLibraryIsWrittenWhole) {
  writePreset("[SetMacro]\r\nnumber=1\r\n0=Office\r\n[Office]\r\nnumber=1\r\n0=" + kCopyMacro +
              "\r\n");
  MacroLibrary library;
  ASSERT_TRUE(library.load(path()));
  std::remove(path().c_str());
  ASSERT_TRUE(library.save(path()));
  MacroLibrary again;
  ASSERT_TRUE(again.load(path()));
  ASSERT_NE(again.macro(0, 0), nullptr);
  EXPECT_EQ(again.macro(0, 0)->name(), "Copy");
}

TEST_F(MacroLibraryTest, ProcessesSavingAtOnceLoseNoSet) {
  constexpr int kSavers = 3;
  constexpr int kSetsEach = 15;
  std::vector<pid_t> children;
  for (int c = 0; c < kSavers; ++c) {
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      MacroLibrary library;
      bool ok = library.load(path());
      for (int i = 0; i < kSetsEach && ok; ++i) {
        ok =
            library.addSet("S" + std::to_string(c) + "-" + std::to_string(i)) == MacroEdit::kDone &&
            library.save(path());
      }
      ::_exit(ok ? 0 : 1);
    }
    children.push_back(pid);
  }
  for (const pid_t pid : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  MacroLibrary library;
  ASSERT_TRUE(library.load(path()));
  EXPECT_EQ(library.setCount(), kSavers * kSetsEach);
  for (int c = 0; c < kSavers; ++c)
    for (int i = 0; i < kSetsEach; ++i)
      EXPECT_GE(library.findSet("S" + std::to_string(c) + "-" + std::to_string(i)), 0);
}

TEST_F(MacroLibraryTest, SynchronisePullsButtonMacrosIntoTheLibrary) {
  writePreset("[SetMacro]\r\nnumber=1\r\n0=Office\r\n[Office]\r\nnumber=1\r\n0=" + kCopyMacro +
              "\r\n");
  MacroLibrary library;
  ASSERT_TRUE(library.load(path()));
  auto image = std::make_unique<settings::SettingsImage>();
  // Same events, another play count: the library keeps its own.
  assignMacro(*image, 0, 3, "office", " COPY", 9,
              {{0xE0, 1, 40}, {0x06, 1, 0}, {0x06, 2, 35}, {0xE0, 2, 0}});
  // A blank set name, and one the file could not hold, are left out.
  assignMacro(*image, 0, 4, "   ", "Blank", 1, {{4, 1, 0}});
  assignMacro(*image, 0, 5, "SetMacro", "Clash", 1, {{4, 1, 0}});
  assignMacro(*image, 0, 6, "a]b", "Clash", 1, {{4, 1, 0}});
  EXPECT_FALSE(library.synchronise(*image));
  EXPECT_EQ(library.setCount(), 1);
  EXPECT_EQ(library.macro(0, 0)->PlayCount, 2);
  EXPECT_EQ(library.set(0)->changeState, macros::kUnchanged);

  // Other events: the button's events and play count win.
  assignMacro(*image, 2, 0, "Office", "Copy", 5, {{0xE0, 1, 0}, {0xE0, 2, 0}});
  // A new macro in a known set, and a set the library does not know, in slot order.
  assignMacro(*image, 4, 23, "Office", "Paste", 1, {{0x19, 1, 0}});
  assignMacro(*image, 1, 0, "Raid", "Heal", 3, {{0x1E, 1, 7}});
  assignMacro(*image, 3, 0, "raid ", "heal", 3, {{0x1E, 1, 7}});
  image->Profiles[3].MacroKeyInfo[1] = image->Profiles[1].MacroKeyInfo[0];
  image->Profiles[3].MacroKeyInfo[1].FunctionCode = 5;  // a key, not a macro
  std::strcpy(image->Profiles[3].MacroKeyInfo[1].Name2, "Keys");
  EXPECT_TRUE(library.synchronise(*image));

  ASSERT_EQ(library.setCount(), 2);
  const macros::MacroSet& office = *library.set(0);
  EXPECT_EQ(office.changeState, macros::kAdded);
  ASSERT_EQ(office.macros.size(), 2u);
  EXPECT_EQ(office.macros[0].EventCount, 2);
  EXPECT_EQ(office.macros[0].PlayCount, 5);
  EXPECT_EQ(office.macros[0].Events[2].Key, 0);  // the rest of the events cleared
  EXPECT_EQ(office.macros[1].name(), "Paste");
  const macros::MacroSet& raid = *library.set(1);
  EXPECT_EQ(raid.name, "Raid");
  EXPECT_EQ(raid.changeState, macros::kAdded);
  ASSERT_EQ(raid.macros.size(), 1u);
  EXPECT_EQ(raid.macros[0].PlayCount, 3);
  EXPECT_EQ(raid.macros[0].Events[0].delay(), 7);

  // Written and read again, nothing is left to pull (once the first button no
  // longer carries the old events of "Copy").
  image->Profiles[0].MacroKeyInfo[3].FunctionCode = 0;
  ASSERT_TRUE(library.save(path()));
  MacroLibrary again;
  ASSERT_TRUE(again.load(path()));
  EXPECT_FALSE(again.synchronise(*image));
}

TEST_F(MacroLibraryTest, AnAssignedMacroSynchronisesBackUnchanged) {
  MacroLibrary library;
  ASSERT_EQ(library.addSet("Office"), MacroEdit::kDone);
  ASSERT_EQ(library.addMacro(0, "Copy"), MacroEdit::kDone);
  MacroRecord& copy = *library.macro(0, 0);
  copy.PlayCount = 4;
  copy.EventCount = 2;
  copy.Events[0] = {0x06, 1, {0x20, 0}};
  copy.Events[1] = {0x06, 2, {0, 0}};
  auto image = std::make_unique<settings::SettingsImage>();
  settings::ButtonSlot& slot = image->Profiles[1].MacroKeyInfo[2];
  slot.Events[7] = {4, 1, {0, 0}};  // an earlier macro's leftovers
  std::strcpy(slot.ProgramPath, "/usr/bin/true");
  macros::assignToSlot(*library.set(0), copy, slot);
  EXPECT_EQ(slot.FunctionCode, 48);
  EXPECT_STREQ(slot.Name2, "Office");
  EXPECT_STREQ(slot.Name3, "Copy");
  EXPECT_EQ(slot.MacroOption, 4);
  EXPECT_EQ(slot.EventCount, 2);
  EXPECT_EQ(slot.Events[0].delay(), 32);
  EXPECT_EQ(slot.Events[7].Key, 0);
  EXPECT_STREQ(slot.ProgramPath, "/usr/bin/true");
  EXPECT_FALSE(library.synchronise(*image));
}

TEST_F(MacroLibraryTest, SynchroniseTakesAtMost500EventsFromADamagedSlot) {
  auto image = std::make_unique<settings::SettingsImage>();
  assignMacro(*image, 0, 0, "Set", "Long", 1, {});
  image->Profiles[0].MacroKeyInfo[0].EventCount = 60000;
  MacroLibrary library;
  EXPECT_TRUE(library.synchronise(*image));
  EXPECT_EQ(library.macro(0, 0)->EventCount, 500);
  EXPECT_FALSE(library.synchronise(*image));
}

TEST_F(MacroLibraryTest, NamesAreCutToTheirFields) {
  const std::string longSet(250, 's');
  writePreset("[SetMacro]\r\nnumber=1\r\n0=" + longSet + "\r\n");
  MacroLibrary library;
  ASSERT_TRUE(library.load(path()));
  EXPECT_EQ(library.set(0)->name, std::string(199, 's'));

  MacroRecord record{};
  record.setName(std::string(60, 'm'));
  EXPECT_EQ(record.name(), std::string(51, 'm'));
  EXPECT_EQ(record.Name[51], '\0');
}

TEST_F(MacroLibraryTest, EditsFollowTheEditorsRules) {
  MacroLibrary library;
  EXPECT_EQ(library.addSet("   "), MacroEdit::kBlankName);
  EXPECT_EQ(library.addSet(std::string(25, 'x')), MacroEdit::kNameTooLong);
  EXPECT_EQ(library.addSet(" setmacro "), MacroEdit::kUnstorable);
  EXPECT_EQ(library.addSet("a]b"), MacroEdit::kUnstorable);
  EXPECT_EQ(library.addSet(" Office "), MacroEdit::kDone);
  EXPECT_EQ(library.set(0)->name, "Office");
  EXPECT_EQ(library.addSet("OFFICE"), MacroEdit::kDuplicate);
  for (int i = 1; i < MacroLibrary::kMaxSets; ++i)
    ASSERT_EQ(library.addSet("Set " + std::to_string(i)), MacroEdit::kDone);
  EXPECT_EQ(library.addSet("One more"), MacroEdit::kTooManySets);

  EXPECT_EQ(library.addMacro(100, "Copy"), MacroEdit::kNoSuchSet);
  EXPECT_EQ(library.addMacro(0, "Copy"), MacroEdit::kDone);
  EXPECT_EQ(library.addMacro(0, "copy"), MacroEdit::kDuplicate);
  EXPECT_EQ(library.addMacro(0, "Cut"), MacroEdit::kDone);
  EXPECT_EQ(library.renameMacro(0, 1, " COPY"), MacroEdit::kDuplicate);
  EXPECT_EQ(library.renameMacro(0, 1, "cut"), MacroEdit::kDone);  // its own name, other case
  EXPECT_EQ(library.macro(0, 1)->name(), "cut");
  EXPECT_EQ(library.removeMacro(0, 5), MacroEdit::kNoSuchMacro);
  for (int i = 2; i < MacroLibrary::kMaxMacrosPerSet; ++i)
    ASSERT_EQ(library.addMacro(0, "M" + std::to_string(i)), MacroEdit::kDone);
  EXPECT_EQ(library.addMacro(0, "Last"), MacroEdit::kTooManyMacros);
}

TEST_F(MacroLibraryTest, ACopyIsIndependentOfItsSource) {
  MacroLibrary library;
  ASSERT_EQ(library.addSet("Office"), MacroEdit::kDone);
  ASSERT_EQ(library.addMacro(0, "Copy"), MacroEdit::kDone);
  MacroLibrary working = library;
  working.macro(0, 0)->EventCount = 3;
  working.markChanged(0);
  ASSERT_EQ(working.removeSet(0), MacroEdit::kDone);
  EXPECT_EQ(library.setCount(), 1);
  EXPECT_EQ(library.macro(0, 0)->EventCount, 0);
  EXPECT_EQ(library.set(0)->changeState, macros::kAdded);
}

}  // namespace
