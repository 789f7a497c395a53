#include "macros/MacroLibrary.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <string>

#include "platform/Paths.h"
#include "settings/FunctionCodes.h"
#include "settings/IniFile.h"

namespace macros {

namespace {

constexpr std::string_view kListSection = "SetMacro";
constexpr std::string_view kNumberKey = "number";

// A damaged file may claim any count. These bounds are far above what the
// editors and the buttons can produce and keep a lying count from filling
// memory with empty records.
constexpr int kMaxStoredSets = 1000;
constexpr int kMaxStoredMacrosPerSet = 1000;
constexpr int kMaxStoredRecords = 20000;

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string fieldText(const char* field, std::size_t size) {
  return std::string(field, ::strnlen(field, size));
}

MacroRecord emptyRecord(std::string_view name) {
  MacroRecord record{};
  record.setName(name);
  record.PlayCount = 1;
  return record;
}

bool sameEvents(const MacroRecord& record, const settings::ButtonSlot& slot) {
  const int count = std::min<int>(slot.EventCount, kMaxEvents);
  return record.eventCount() == count &&
         std::memcmp(record.Events, slot.Events, sizeof(settings::MacroEvent) * count) == 0;
}

void takeEvents(MacroRecord& record, const settings::ButtonSlot& slot) {
  static_assert(sizeof record.Events == sizeof slot.Events);
  std::memcpy(record.Events, slot.Events, sizeof record.Events);
  record.EventCount = std::min<int>(slot.EventCount, kMaxEvents);
  record.PlayCount = slot.MacroOption;
}

MacroRecord recordFromSlot(const settings::ButtonSlot& slot) {
  MacroRecord record{};
  record.setName(fieldText(slot.Name3, sizeof slot.Name3));
  record.PlayCount = slot.MacroOption;
  record.EventCount = std::min<int>(slot.EventCount, kMaxEvents);
  std::memcpy(record.Events, slot.Events, sizeof(settings::MacroEvent) * record.EventCount);
  return record;
}

MacroEdit checkEditedName(std::string_view name) {
  if (name.empty()) return MacroEdit::kBlankName;
  if (name.size() > MacroLibrary::kMaxEditedNameLength) return MacroEdit::kNameTooLong;
  return MacroEdit::kDone;
}

}  // namespace

std::string_view describe(MacroEdit result) {
  switch (result) {
    case MacroEdit::kDone:
      return "done";
    case MacroEdit::kBlankName:
      return "the name is blank";
    case MacroEdit::kNameTooLong:
      return "the name is longer than 24 characters";
    case MacroEdit::kUnstorable:
      return "a set name cannot be \"SetMacro\" or hold ']' or a line break";
    case MacroEdit::kDuplicate:
      return "the name is already used";
    case MacroEdit::kTooManySets:
      return "the library already holds 100 macro sets";
    case MacroEdit::kTooManyMacros:
      return "the set already holds 100 macros";
    case MacroEdit::kNoSuchSet:
      return "no such macro set";
    case MacroEdit::kNoSuchMacro:
      return "no such macro";
  }
  return "refused";
}

std::string_view trimmedName(std::string_view name) {
  while (!name.empty() && isBlank(name.front())) name.remove_prefix(1);
  while (!name.empty() && isBlank(name.back())) name.remove_suffix(1);
  return name;
}

bool sameName(std::string_view a, std::string_view b) {
  a = trimmedName(a);
  b = trimmedName(b);
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

void assignToSlot(const MacroSet& set, const MacroRecord& record, settings::ButtonSlot& slot) {
  const auto copyName = [](char* field, std::size_t size, std::string_view name) {
    std::memset(field, 0, size);
    std::memcpy(field, name.data(), std::min(name.size(), size - 1));
  };
  slot.FunctionCode = static_cast<std::uint8_t>(settings::FunctionCode::Macro);
  copyName(slot.Name2, sizeof slot.Name2, set.name);
  copyName(slot.Name3, sizeof slot.Name3, record.name());
  slot.MacroOption = record.PlayCount;
  slot.EventCount = static_cast<std::uint16_t>(record.eventCount());
  std::memset(slot.Events, 0, sizeof slot.Events);
  std::memcpy(slot.Events, record.Events, sizeof(settings::MacroEvent) * record.eventCount());
}

bool MacroLibrary::storableSetName(std::string_view name) {
  const std::string_view trimmed = trimmedName(name);
  return !trimmed.empty() && trimmed.find_first_of("]\r\n") == std::string_view::npos &&
         trimmed.front() != '[' && !sameName(trimmed, kListSection);
}

std::string MacroLibrary::presetFile(std::string_view folder) {
  return platform::ResolveIn(folder, "config\\Preset_sequence.dat");
}

bool MacroLibrary::load(const std::string& path) {
  sets_.clear();
  settings::IniFile file(path);
  const int setCount = std::min(file.ReadInt(kListSection, kNumberKey, -1), kMaxStoredSets);
  if (file.refused()) return false;
  for (int i = 0; i < setCount; ++i) {
    MacroSet set;
    set.name = file.ReadString(kListSection, std::to_string(i), "");
    if (set.name.size() > kMaxSetNameLength) set.name.resize(kMaxSetNameLength);
    sets_.push_back(std::move(set));
  }
  int records = 0;
  for (MacroSet& set : sets_) {
    const std::string section(trimmedName(set.name));
    const int count = std::min({file.ReadInt(section, kNumberKey, -1), kMaxStoredMacrosPerSet,
                                kMaxStoredRecords - records});
    for (int j = 0; j < count; ++j) {
      MacroRecord record{};
      // A missing or damaged record reads as all zeros, keeping its place.
      if (!file.ReadStruct(section, std::to_string(j), &record, sizeof record))
        record = MacroRecord{};
      record.Name[kMaxRecordNameLength] = '\0';
      set.macros.push_back(record);
    }
    records += std::max(count, 0);
  }
  return true;
}

bool MacroLibrary::save(const std::string& path) {
  // A program folder set up by hand may lack "config".
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
  settings::IniFile file(path);
  file.beginBatch();
  file.WriteInt(kListSection, kNumberKey, setCount());
  for (int i = 0; i < setCount(); ++i)
    file.WriteString(kListSection, std::to_string(i), sets_[i].name);
  for (const MacroSet& set : sets_) {
    if (set.changeState == kUnchanged || !storableSetName(set.name)) continue;
    const std::string section(trimmedName(set.name));
    file.WriteInt(section, kNumberKey, static_cast<int>(set.macros.size()));
    for (std::size_t j = 0; j < set.macros.size(); ++j)
      file.WriteStruct(section, std::to_string(j), &set.macros[j], sizeof(MacroRecord));
  }
  if (!file.commitBatch()) return false;
  for (MacroSet& set : sets_) set.changeState = kUnchanged;
  return true;
}

bool MacroLibrary::synchronise(const settings::SettingsImage& image) {
  bool changed = false;
  for (const settings::Profile& profile : image.Profiles) {
    for (const settings::ButtonSlot& slot : profile.MacroKeyInfo) {
      if (slot.FunctionCode != static_cast<std::uint8_t>(settings::FunctionCode::Macro)) continue;
      const std::string setName = fieldText(slot.Name2, sizeof slot.Name2);
      // A set the file could not hold would corrupt the file's other sections.
      if (!storableSetName(setName)) continue;
      const std::string macroName = fieldText(slot.Name3, sizeof slot.Name3);
      int s = findSet(setName);
      if (s < 0) {
        sets_.push_back(MacroSet{setName, {}, kAdded});
        s = setCount() - 1;
      }
      MacroSet& set = sets_[s];
      const int m = findMacro(s, macroName);
      if (m < 0) {
        set.macros.push_back(recordFromSlot(slot));
        set.changeState = kAdded;
        changed = true;
      } else if (!sameEvents(set.macros[m], slot)) {
        takeEvents(set.macros[m], slot);
        set.changeState = kChanged;
        changed = true;
      }
    }
  }
  return changed;
}

MacroSet* MacroLibrary::set(int position) {
  return position >= 0 && position < setCount() ? &sets_[position] : nullptr;
}
const MacroSet* MacroLibrary::set(int position) const {
  return position >= 0 && position < setCount() ? &sets_[position] : nullptr;
}

MacroRecord* MacroLibrary::macro(int setPosition, int macroPosition) {
  MacroSet* s = set(setPosition);
  if (!s || macroPosition < 0 || macroPosition >= static_cast<int>(s->macros.size()))
    return nullptr;
  return &s->macros[macroPosition];
}
const MacroRecord* MacroLibrary::macro(int setPosition, int macroPosition) const {
  return const_cast<MacroLibrary*>(this)->macro(setPosition, macroPosition);
}

int MacroLibrary::findSet(std::string_view name) const {
  for (int i = 0; i < setCount(); ++i)
    if (sameName(sets_[i].name, name)) return i;
  return -1;
}

int MacroLibrary::findMacro(int setPosition, std::string_view name) const {
  const MacroSet* s = set(setPosition);
  if (!s) return -1;
  for (std::size_t j = 0; j < s->macros.size(); ++j)
    if (sameName(s->macros[j].name(), name)) return static_cast<int>(j);
  return -1;
}

MacroEdit MacroLibrary::addSet(std::string_view name) {
  name = trimmedName(name);
  if (const MacroEdit check = checkEditedName(name); check != MacroEdit::kDone) return check;
  if (!storableSetName(name)) return MacroEdit::kUnstorable;
  if (findSet(name) >= 0) return MacroEdit::kDuplicate;
  if (setCount() >= kMaxSets) return MacroEdit::kTooManySets;
  sets_.push_back(MacroSet{std::string(name), {}, kAdded});
  return MacroEdit::kDone;
}

MacroEdit MacroLibrary::removeSet(int position) {
  if (!set(position)) return MacroEdit::kNoSuchSet;
  sets_.erase(sets_.begin() + position);
  return MacroEdit::kDone;
}

MacroEdit MacroLibrary::addMacro(int setPosition, std::string_view name) {
  MacroSet* s = set(setPosition);
  if (!s) return MacroEdit::kNoSuchSet;
  name = trimmedName(name);
  if (const MacroEdit check = checkEditedName(name); check != MacroEdit::kDone) return check;
  if (findMacro(setPosition, name) >= 0) return MacroEdit::kDuplicate;
  if (static_cast<int>(s->macros.size()) >= kMaxMacrosPerSet) return MacroEdit::kTooManyMacros;
  s->macros.push_back(emptyRecord(name));
  s->changeState = kAdded;
  return MacroEdit::kDone;
}

MacroEdit MacroLibrary::renameMacro(int setPosition, int macroPosition, std::string_view name) {
  MacroRecord* record = macro(setPosition, macroPosition);
  if (!record) return set(setPosition) ? MacroEdit::kNoSuchMacro : MacroEdit::kNoSuchSet;
  name = trimmedName(name);
  if (const MacroEdit check = checkEditedName(name); check != MacroEdit::kDone) return check;
  const int other = findMacro(setPosition, name);
  if (other >= 0 && other != macroPosition) return MacroEdit::kDuplicate;
  record->setName(name);
  markChanged(setPosition);
  return MacroEdit::kDone;
}

MacroEdit MacroLibrary::removeMacro(int setPosition, int macroPosition) {
  if (!macro(setPosition, macroPosition))
    return set(setPosition) ? MacroEdit::kNoSuchMacro : MacroEdit::kNoSuchSet;
  sets_[setPosition].macros.erase(sets_[setPosition].macros.begin() + macroPosition);
  markChanged(setPosition);
  return MacroEdit::kDone;
}

void MacroLibrary::markChanged(int setPosition) {
  if (MacroSet* s = set(setPosition)) s->changeState = kChanged;
}

}  // namespace macros
