#include "macros/MacroLibrary.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

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

// Held from reading the file's list of sets to writing the merged list, so
// two programs saving at once take each other's sets into account. A lock
// file of its own: the INI writer takes the file's lock inside it.
class ListLock {
 public:
  explicit ListLock(const std::string& path) {
    const std::filesystem::path p(path);
    const std::string lockPath =
        (p.parent_path() / ("." + p.filename().string() + ".list.lock")).string();
    fd_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    while (fd_ >= 0 && ::flock(fd_, LOCK_EX) != 0) {
      if (errno != EINTR) {
        ::close(fd_);
        fd_ = -1;
      }
    }
  }
  ~ListLock() {
    if (fd_ >= 0) ::close(fd_);
  }
  ListLock(const ListLock&) = delete;
  ListLock& operator=(const ListLock&) = delete;
  bool ok() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

std::vector<std::string> readSetNames(settings::IniFile& file) {
  std::vector<std::string> names;
  const int setCount = std::min(file.ReadInt(kListSection, kNumberKey, -1), kMaxStoredSets);
  for (int i = 0; i < setCount; ++i) {
    std::string name = file.ReadString(kListSection, std::to_string(i), "");
    if (name.size() > MacroLibrary::kMaxSetNameLength) name.resize(MacroLibrary::kMaxSetNameLength);
    names.push_back(std::move(name));
  }
  return names;
}

// Reads at most `budget` records of the set's section.
std::vector<MacroRecord> readRecords(settings::IniFile& file, std::string_view setName,
                                     int budget) {
  std::vector<MacroRecord> records;
  const std::string section(trimmedName(setName));
  const int count =
      std::min({file.ReadInt(section, kNumberKey, -1), kMaxStoredMacrosPerSet, budget});
  for (int j = 0; j < count; ++j) {
    MacroRecord record{};
    // A missing or damaged record reads as all zeros, keeping its place.
    if (!file.ReadStruct(section, std::to_string(j), &record, sizeof record))
      record = MacroRecord{};
    record.Name[kMaxRecordNameLength] = '\0';
    records.push_back(record);
  }
  return records;
}

bool listed(const std::vector<std::string>& names, std::string_view name) {
  return std::any_of(names.begin(), names.end(),
                     [&](const std::string& n) { return sameName(n, name); });
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
  storedNames_.clear();
  settings::IniFile file(path);
  std::vector<std::string> names = readSetNames(file);
  if (file.refused()) return false;
  int records = 0;
  for (const std::string& name : names) {
    MacroSet set{name, readRecords(file, name, kMaxStoredRecords - records), kUnchanged};
    records += static_cast<int>(set.macros.size());
    sets_.push_back(std::move(set));
  }
  storedNames_ = std::move(names);
  return true;
}

bool MacroLibrary::save(const std::string& path) {
  // A program folder set up by hand may lack "config".
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
  const ListLock lock(path);
  if (!lock.ok()) return false;
  settings::IniFile file(path);
  const std::vector<std::string> inFile = readSetNames(file);
  if (file.refused()) return false;
  std::error_code missing;
  if (!std::filesystem::exists(path, missing)) {
    // The file is gone with every section in it: this library is all that is
    // left, so it is written whole.
    for (MacroSet& set : sets_) set.changeState = kChanged;
  } else {
    // Another program deleted these since this library last saw the file;
    // sets edited here meanwhile are kept with their edits.
    std::erase_if(sets_, [&](const MacroSet& set) {
      return set.changeState == kUnchanged && listed(storedNames_, set.name) &&
             !listed(inFile, set.name);
    });
  }
  int records = 0;
  for (const MacroSet& set : sets_) records += static_cast<int>(set.macros.size());
  for (const std::string& name : inFile) {
    if (findSet(name) >= 0 || listed(storedNames_, name)) continue;
    MacroSet set{name, readRecords(file, name, std::max(kMaxStoredRecords - records, 0)),
                 kUnchanged};
    records += static_cast<int>(set.macros.size());
    sets_.push_back(std::move(set));
  }
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
  storedNames_.clear();
  for (MacroSet& set : sets_) {
    set.changeState = kUnchanged;
    storedNames_.push_back(set.name);
  }
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
