#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "macros/MacroRecord.h"
#include "settings/SettingsImage.h"

// The macro library: named macro sets in the order the file and every menu
// show them, each holding its macros. It is stored in the program folder's
// "config\Preset_sequence.dat"; the macro manager edits a copy of it and the
// button page assigns its macros to buttons.
//
// A MacroLibrary is a plain value: copying it copies every set and record.
namespace macros {

// What the next save does with a set: 0 leaves its section as it is in the
// file, anything else rewrites it.
enum ChangeState : int {
  kUnchanged = 0,
  kAdded = 1,    // a new set, or a macro was added to it
  kChanged = 3,  // a macro's events, play count or name changed, or one was deleted
};

struct MacroSet {
  std::string name;  // as entered (at most 199 characters); compared trimmed, case-insensitively
  std::vector<MacroRecord> macros;
  int changeState = kUnchanged;
};

// Why an edit was refused; kDone when it was made.
enum class MacroEdit {
  kDone,
  kBlankName,
  kNameTooLong,  // more than the 24 characters the editors allow
  kUnstorable,   // the file cannot hold this set name
  kDuplicate,
  kTooManySets,
  kTooManyMacros,
  kNoSuchSet,
  kNoSuchMacro,
};
std::string_view describe(MacroEdit result);

// Names as the library compares them.
std::string_view trimmedName(std::string_view name);
bool sameName(std::string_view a, std::string_view b);

// Puts a macro on a button: the slot becomes a macro slot carrying the set
// and macro names (cut to the slot's fields), the play count, the event count
// and the events; its other bytes stay as they are.
void assignToSlot(const MacroSet& set, const MacroRecord& record, settings::ButtonSlot& slot);

class MacroLibrary {
 public:
  static constexpr int kMaxSets = 100;
  static constexpr int kMaxMacrosPerSet = 100;
  static constexpr std::size_t kMaxSetNameLength = 199;
  static constexpr std::size_t kMaxEditedNameLength = 24;
  static constexpr int kMaxPlayCount = 255;

  // The preset file of the program folder `folder` (ending in a slash).
  static std::string presetFile(std::string_view folder);

  // Replaces the library with the file's. A missing or damaged file gives
  // what could be read of it (an empty library at worst); false only when
  // something other than a plain file stands in the file's place.
  bool load(const std::string& path);
  // Writes the list of sets and the section of every set that changed since
  // the last save, then marks them unchanged. Sections of unchanged or
  // deleted sets stay as they are. False (change states kept, so the next
  // save writes them again) when the file could not be written.
  //
  // Another program may have saved the file since this library was loaded:
  // sets it added (listed in the file now, neither here nor in the list as
  // last loaded or saved) keep their place in the list and are taken into
  // this library, so neither program loses the other's sets. Sets this
  // library deleted stay deleted, and so do sets the other program deleted
  // unless they were edited here. A file that has gone is written whole.
  bool save(const std::string& path);
  // Pulls every macro assigned to a button of the five profiles into the
  // library: new sets and macros are added, a macro whose events differ from
  // the button's takes the button's. True when anything changed.
  bool synchronise(const settings::SettingsImage& image);

  void clear() {
    sets_.clear();
    storedNames_.clear();
  }
  bool empty() const { return sets_.empty(); }
  int setCount() const { return static_cast<int>(sets_.size()); }
  const std::vector<MacroSet>& sets() const { return sets_; }

  // Out-of-range positions give nullptr.
  MacroSet* set(int position);
  const MacroSet* set(int position) const;
  MacroRecord* macro(int setPosition, int macroPosition);
  const MacroRecord* macro(int setPosition, int macroPosition) const;
  // Position of the first set or macro of that name (trimmed,
  // case-insensitive), or -1.
  int findSet(std::string_view name) const;
  int findMacro(int setPosition, std::string_view name) const;

  // The editors' rules: names trimmed, at most 24 characters, unique within
  // their list; at most 100 sets and 100 macros per set.
  MacroEdit addSet(std::string_view name);
  MacroEdit removeSet(int position);
  // Appends an empty record (play count 1, no events).
  MacroEdit addMacro(int setPosition, std::string_view name);
  MacroEdit renameMacro(int setPosition, int macroPosition, std::string_view name);
  MacroEdit removeMacro(int setPosition, int macroPosition);
  // Records that a macro's contents were edited in place.
  void markChanged(int setPosition);

  // Whether a set of this name can be stored in the file: its section is
  // named by the trimmed name, so it must be non-blank, hold no ']' or line
  // break and not be the list's own section.
  static bool storableSetName(std::string_view name);

 private:
  std::vector<MacroSet> sets_;
  // The file's list of set names as this library last loaded or saved it;
  // what save tells other programs' additions from this one's deletions by.
  std::vector<std::string> storedNames_;
};

}  // namespace macros
