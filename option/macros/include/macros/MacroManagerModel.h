#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "macros/MacroLibrary.h"
#include "macros/MacroRecorder.h"
#include "settings/SettingsImage.h"

// The macro manager without its window: a working copy of the library, the
// selected set and macro, the set menu and the macro list's commands, and
// the list editor's recorder and play count. OK hands the working copy
// back; anything else drops it.
namespace macros {

class MacroManagerModel {
 public:
  static constexpr int kFirstSetCommand = 2000;
  static constexpr int kAddSetCommand = 2998;
  static constexpr int kDeleteSetCommand = 2999;

  enum class Notice { kNone, kNoSet, kNoMacro };

  struct MenuItem {
    int id = 0;
    std::string text;
    bool checked = false;
    bool separatorAfter = false;
  };

  // Opens on a copy of `library`, showing the set and macro `slot` carries
  // (or set `firstSet`).
  MacroManagerModel(const MacroLibrary& library, const settings::ButtonSlot& slot, int firstSet);

  const MacroLibrary& working() const { return working_; }
  MacroLibrary takeWorking() { return std::move(working_); }
  // An empty library asks for a first set name as soon as the manager shows.
  bool asksForFirstSet() const { return working_.empty(); }

  std::vector<MenuItem> setMenu() const;
  bool addSet(std::string_view name);
  bool deleteSelectedSet();
  void selectSet(int position);
  int selectedSet() const { return selectedSet_; }
  std::vector<std::string> macroNames() const;
  int selectedMacro() const { return selectedMacro_; }
  void selectMacro(int position);
  MacroRecord* selectedRecord() { return working_.macro(selectedSet_, selectedMacro_); }

  Notice newMacro(std::string_view name, bool& added);
  bool renameMacro(int position, std::string_view name);
  // What the Delete button shows first: a notice, or (kNone) the confirmation.
  Notice deleteCheck() const { return selectedMacro_ < 0 ? Notice::kNoMacro : Notice::kNone; }
  bool deleteSelectedMacro();
  // The notice the recorder and the context menu show without a macro.
  Notice editCheck() const;

  MacroRecorder& recorder() { return recorder_; }
  // Stores the recorder's events into the selected macro (after a recording
  // or a context-menu edit).
  void storeEvents();
  bool playCountOn() const { return playCountOn_; }
  int playCount() const { return playCount_; }
  void setPlayCountOn(bool on);
  // Returns the corrected text the entry shows.
  std::string commitPlayCount(std::string_view text);

 private:
  void selectFirstMacroFor(const settings::ButtonSlot* slot);
  void loadSelected();
  void storePlayCount();

  MacroLibrary working_;
  settings::ButtonSlot slot_{};
  int selectedSet_ = -1;
  int selectedMacro_ = -1;
  MacroRecorder recorder_;
  bool playCountOn_ = false;
  int playCount_ = 1;
};

}  // namespace macros
