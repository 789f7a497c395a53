#include "macros/MacroManagerModel.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "macros/KeySequenceList.h"
#include "settings/FunctionCodes.h"

namespace macros {

namespace {

std::string slotText(const char* field, std::size_t size) {
  return std::string(field, ::strnlen(field, size));
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[i])) !=
        std::tolower(static_cast<unsigned char>(prefix[i])))
      return false;
  return true;
}

bool isMacroSlot(const settings::ButtonSlot& slot) {
  return slot.FunctionCode == static_cast<std::uint8_t>(settings::FunctionCode::Macro);
}

}  // namespace

MacroManagerModel::MacroManagerModel(const MacroLibrary& library, const settings::ButtonSlot& slot,
                                     int firstSet)
    : working_(library), slot_(slot) {
  if (working_.empty()) return;
  const int s = working_.findSet(slotText(slot.Name2, sizeof slot.Name2));
  selectedSet_ = s >= 0 ? s : (working_.set(firstSet) ? firstSet : 0);
  selectFirstMacroFor(&slot_);
}

void MacroManagerModel::selectFirstMacroFor(const settings::ButtonSlot* slot) {
  selectedMacro_ = -1;
  const MacroSet* set = working_.set(selectedSet_);
  if (set && !set->macros.empty()) {
    selectedMacro_ = 0;
    if (slot && isMacroSlot(*slot) &&
        sameName(slotText(slot->Name2, sizeof slot->Name2), set->name)) {
      const std::string wanted(trimmedName(slotText(slot->Name3, sizeof slot->Name3)));
      for (std::size_t j = 0; j < set->macros.size(); ++j)
        if (startsWithNoCase(set->macros[j].name(), wanted)) {
          selectedMacro_ = static_cast<int>(j);
          break;
        }
    }
  }
  loadSelected();
}

void MacroManagerModel::loadSelected() {
  if (const MacroRecord* record = selectedRecord()) {
    recorder_.load(*record);
    playCountOn_ = record->PlayCount != 0;
    playCount_ = std::max(record->PlayCount, 1);
  } else {
    recorder_.clear();
    playCountOn_ = false;
    playCount_ = 1;
  }
}

std::vector<MacroManagerModel::MenuItem> MacroManagerModel::setMenu() const {
  std::vector<MenuItem> items;
  const std::string slotSet = slotText(slot_.Name2, sizeof slot_.Name2);
  for (int i = 0; i < working_.setCount(); ++i) {
    const std::string& name = working_.set(i)->name;
    items.push_back({kFirstSetCommand + i, name, isMacroSlot(slot_) && sameName(name, slotSet),
                     sameName(name, "World of Warcraft") || sameName(name, "Xfire")});
  }
  if (!items.empty()) items.back().separatorAfter = true;
  items.push_back({kAddSetCommand, "[+]Add Macro Set", false, false});
  items.push_back({kDeleteSetCommand, "[x]Delete Macro Set", false, false});
  return items;
}

bool MacroManagerModel::addSet(std::string_view name) {
  if (working_.addSet(name) != MacroEdit::kDone) return false;
  selectSet(working_.setCount() - 1);
  return true;
}

bool MacroManagerModel::deleteSelectedSet() {
  if (working_.removeSet(selectedSet_) != MacroEdit::kDone) return false;
  if (selectedSet_ >= working_.setCount()) selectedSet_ = working_.setCount() - 1;
  selectFirstMacroFor(&slot_);
  return true;
}

void MacroManagerModel::selectSet(int position) {
  if (!working_.set(position)) return;
  selectedSet_ = position;
  selectFirstMacroFor(&slot_);
}

std::vector<std::string> MacroManagerModel::macroNames() const {
  std::vector<std::string> names;
  if (const MacroSet* set = working_.set(selectedSet_))
    for (const MacroRecord& record : set->macros) names.push_back(record.name());
  return names;
}

void MacroManagerModel::selectMacro(int position) {
  if (!working_.macro(selectedSet_, position)) return;
  selectedMacro_ = position;
  loadSelected();
}

MacroManagerModel::Notice MacroManagerModel::newMacro(std::string_view name, bool& added) {
  added = false;
  if (selectedSet_ < 0) return Notice::kNoSet;
  if (working_.addMacro(selectedSet_, name) == MacroEdit::kDone) {
    added = true;
    selectMacro(static_cast<int>(working_.set(selectedSet_)->macros.size()) - 1);
  }
  return Notice::kNone;
}

bool MacroManagerModel::renameMacro(int position, std::string_view name) {
  return working_.renameMacro(selectedSet_, position, name) == MacroEdit::kDone;
}

bool MacroManagerModel::deleteSelectedMacro() {
  if (working_.removeMacro(selectedSet_, selectedMacro_) != MacroEdit::kDone) return false;
  const int count = static_cast<int>(working_.set(selectedSet_)->macros.size());
  selectedMacro_ = std::min(selectedMacro_, count - 1);
  loadSelected();
  return true;
}

MacroManagerModel::Notice MacroManagerModel::editCheck() const {
  if (selectedSet_ < 0) return Notice::kNoSet;
  if (selectedMacro_ < 0) return Notice::kNoMacro;
  return Notice::kNone;
}

void MacroManagerModel::storeEvents() {
  MacroRecord* record = selectedRecord();
  if (!record) return;
  recorder_.storeInto(*record);
  working_.markChanged(selectedSet_);
}

void MacroManagerModel::storePlayCount() {
  MacroRecord* record = selectedRecord();
  if (!record) return;
  record->PlayCount = playCountOn_ ? playCount_ : 1;
  working_.markChanged(selectedSet_);
}

void MacroManagerModel::setPlayCountOn(bool on) {
  playCountOn_ = on;
  storePlayCount();
}

std::string MacroManagerModel::commitPlayCount(std::string_view text) {
  playCount_ = clampedPlayCount(text);
  storePlayCount();
  return std::to_string(playCount_);
}

}  // namespace macros
