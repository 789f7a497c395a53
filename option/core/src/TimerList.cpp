#include "option/TimerList.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

#include "settings/IniFile.h"

namespace option {

namespace {

constexpr const char* kSection = "Timer";

bool sameNameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

std::string TimerList::filePath(const std::string& programFolder) {
  return programFolder + "config/Timer.ini";
}

void TimerList::load(const std::string& path) {
  timers_.clear();
  settings::IniFile file(path);
  const int count = file.ReadInt(kSection, "Count", -1);
  if (count <= 0) return;
  // No program writes more than the dialogs allow; a damaged count must not
  // make the list (and the button menu) endless.
  const int wanted = std::min<int>(count, static_cast<int>(kMaxTimers));
  for (int i = 0; i < wanted; ++i) {
    TimerRecord record{};
    if (!file.ReadStruct(kSection, std::to_string(i), &record, sizeof record)) record = {};
    record.name[sizeof record.name - 1] = '\0';  // a name without its end stays inside the record
    timers_.push_back(record);
  }
}

bool TimerList::save(const std::string& path) const {
  // The new list is written beside the file and renamed over it, so the file
  // holds only this list's keys and is never found half written.
  const std::string temporary = path + ".new";
  ::unlink(temporary.c_str());
  bool written;
  {
    settings::IniFile file(temporary);
    file.beginBatch();
    file.WriteInt(kSection, "Count", static_cast<std::int32_t>(timers_.size()));
    for (std::size_t i = 0; i < timers_.size(); ++i)
      file.WriteStruct(kSection, std::to_string(i), &timers_[i], sizeof(TimerRecord));
    written = file.commitBatch();
  }
  const auto slash = temporary.find_last_of('/');
  const std::string lock = slash == std::string::npos ? "." + temporary + ".lock"
                                                      : temporary.substr(0, slash + 1) + "." +
                                                            temporary.substr(slash + 1) + ".lock";
  ::unlink(lock.c_str());
  if (written && std::rename(temporary.c_str(), path.c_str()) == 0) return true;
  ::unlink(temporary.c_str());
  return false;
}

const TimerRecord* TimerList::at(int position) const {
  if (position < 0 || static_cast<std::size_t>(position) >= timers_.size()) return nullptr;
  return &timers_[static_cast<std::size_t>(position)];
}

std::optional<int> TimerList::find(std::string_view name) const {
  const std::string wanted = trimmed(name);
  for (std::size_t i = 0; i < timers_.size(); ++i)
    if (sameNameIgnoringCase(trimmed(nameOf(timers_[i])), wanted)) return static_cast<int>(i);
  return std::nullopt;
}

const char* TimerList::describe(Refusal refusal) {
  switch (refusal) {
    case Refusal::None:
      return "";
    case Refusal::EmptyName:
      return "the timer needs a name";
    case Refusal::NameTooLong:
      return "a timer name has at most 24 characters";
    case Refusal::DuplicateName:
      return "a timer of that name exists";
    case Refusal::SecondsOutOfRange:
      return "a timer runs 15 to 999 seconds";
    case Refusal::ListFull:
      return "there are 51 timers already";
  }
  return "";
}

TimerList::Refusal TimerList::check(std::string_view trimmedName, int seconds) const {
  if (trimmedName.empty()) return Refusal::EmptyName;
  if (trimmedName.size() > kMaxNameLength) return Refusal::NameTooLong;
  if (seconds < kMinSeconds || seconds > kMaxSeconds) return Refusal::SecondsOutOfRange;
  return Refusal::None;
}

TimerList::Refusal TimerList::add(std::string_view name, int seconds) {
  if (timers_.size() >= kMaxTimers) return Refusal::ListFull;
  const std::string clean = trimmed(name);
  if (const Refusal r = check(clean, seconds); r != Refusal::None) return r;
  if (find(clean)) return Refusal::DuplicateName;
  timers_.push_back(makeRecord(clean, seconds));
  return Refusal::None;
}

TimerList::Refusal TimerList::edit(int position, std::string_view name, int seconds) {
  if (!at(position)) return Refusal::None;
  const std::string clean = trimmed(name);
  // An empty name would leave a timer nobody can tell apart or find again.
  if (const Refusal r = check(clean, seconds); r != Refusal::None) return r;
  const std::optional<int> owner = find(clean);
  if (owner && *owner != position) return Refusal::DuplicateName;
  TimerRecord& record = timers_[static_cast<std::size_t>(position)];
  if (!owner) record = makeRecord(clean, seconds);
  record.seconds = seconds;
  return Refusal::None;
}

std::optional<int> TimerList::remove(int position) {
  if (!at(position)) return timers_.empty() ? std::nullopt : std::optional<int>(0);
  timers_.erase(timers_.begin() + position);
  if (timers_.empty()) return std::nullopt;
  return std::min(position, static_cast<int>(timers_.size()) - 1);
}

std::string TimerList::trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return std::string(text);
}

std::string TimerList::nameOf(const TimerRecord& record) {
  return std::string(record.name, strnlen(record.name, sizeof record.name));
}

TimerRecord TimerList::makeRecord(const std::string& name, int seconds) {
  TimerRecord record{};
  record.seconds = seconds;
  std::memcpy(record.name, name.data(), std::min(name.size(), sizeof record.name - 1));
  return record;
}

}  // namespace option
