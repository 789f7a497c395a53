#include "option/ButtonPageModel.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "settings/FunctionCodes.h"

namespace option {
namespace {

using settings::FunctionCode;

constexpr int kChorusMenuWidth = 170;
constexpr std::uint8_t kNoCode = 0;

struct PlainItem {
  int command;
  const char* text;
  FunctionCode code;
};

constexpr PlainItem kPlainItems[] = {
    {1001, "Click", FunctionCode::Click},
    {1002, "Menu", FunctionCode::Menu},
    {1003, "Universal scrolling", FunctionCode::UniversalScrolling},
    {1004, "Double-click", FunctionCode::DoubleClick},
    {1006, "Disabled", FunctionCode::Disabled6},
    {1007, "IE Forward", FunctionCode::IEForward},
    {1008, "IE Backward", FunctionCode::IEBackward},
    {1009, "Tilt Left", FunctionCode::TiltLeft},
    {1010, "Tilt Right", FunctionCode::TiltRight},
    {1013, "Scroll Up", FunctionCode::ScrollUp},
    {1014, "Scroll Down", FunctionCode::ScrollDown},
    {1016, "Profile Cycle", FunctionCode::ProfileCycle},
    {1017, "Profile Up", FunctionCode::ProfileUp},
    {1018, "Profile Down", FunctionCode::ProfileDown},
    {1020, "DPI Cycle", FunctionCode::DpiCycle},
    {1021, "DPI Up", FunctionCode::DpiUp},
    {1022, "DPI Down", FunctionCode::DpiDown},
    {1024, "Dual-Shift[+] Vesk ORB Optical", FunctionCode::DualShift},
    {1025, "Dual-Wheel Sensitivity", FunctionCode::DualWheelSensitivity},
    {1026, "Dual-Wheel Profile", FunctionCode::DualWheelProfile},
    {1027, "Dual-Wheel DPI", FunctionCode::DualWheelDpi},
    {1028, "Dual-Wheel Volume", FunctionCode::DualWheelVolume},
    {1030, "Dual-Wheel Alt-Tab", FunctionCode::DualWheelAltTab},
    {1031, "Dual-Wheel Aero Flip 3D", FunctionCode::DualWheelFlip3D},
    {1032, "Open Player", FunctionCode::OpenPlayer},
    {1033, "Previous Track", FunctionCode::PreviousTrack},
    {1034, "Next Track", FunctionCode::NextTrack},
    {1035, "Play/Pause", FunctionCode::PlayPause},
    {1036, "Stop", FunctionCode::Stop},
    {1037, "Windows Mute", FunctionCode::WindowsMute},
    {1038, "Windows Volume Up", FunctionCode::WindowsVolumeUp},
    {1039, "Windows Volume Down", FunctionCode::WindowsVolumeDown},
    {1041, "Sensitivity Cycle", FunctionCode::SensitivityCycle},
    {1042, "Sensitivity Up", FunctionCode::SensitivityUp},
    {1043, "Sensitivity Down", FunctionCode::SensitivityDown},
    {1055, "Windows key", FunctionCode::WindowsKey},
    {1056, "Open Driver", FunctionCode::OpenDriver},
};
constexpr int kAssignShortcut = 1005;
constexpr int kQuicklaunch = 1015;
constexpr int kFirstSteadyAim = 1045;

ButtonMenuItem item(int command) {
  if (command == kAssignShortcut) return {"Assign a Shortcut", command};
  if (command == kQuicklaunch) return {"Quicklaunch", command};
  for (const PlainItem& p : kPlainItems)
    if (p.command == command) return {p.text, command};
  return {};
}
ButtonMenuItem separator() { return {}; }
ButtonMenuItem submenu(std::string text, std::vector<ButtonMenuItem> items, int minWidth = 140) {
  ButtonMenuItem s{std::move(text)};
  s.submenu = std::move(items);
  s.minWidth = minWidth;
  return s;
}

bool isDualShift(std::uint8_t c) {
  return c == settings::code(FunctionCode::DualShift) ||
         c == settings::code(FunctionCode::DualShiftPeer) ||
         c == settings::code(FunctionCode::DualShiftPeerLock) ||
         c == settings::code(FunctionCode::DualShiftAll);
}
// The highlight pictures tell apart only the buttons that shift the whole
// layer on this mouse: its own Dual-Shift and the one for all devices.
bool shiftsLayer(std::uint8_t c) {
  return c == settings::code(FunctionCode::DualShift) ||
         c == settings::code(FunctionCode::DualShiftAll);
}

std::string field(const char* text, std::size_t size) {
  return std::string(text, strnlen(text, size));
}
void setField(char* text, std::size_t size, std::string_view value) {
  std::memset(text, 0, size);
  std::memcpy(text, value.data(), std::min(value.size(), size - 1));
}

// The macro fields every function but a key and a macro leaves empty.
void clearMacroFields(settings::ButtonSlot& s) {
  s.EventCount = 0;
  s.MacroOption = 0;
  std::memset(s.Events, 0, sizeof s.Events);
  std::memset(s.Name2, 0, sizeof s.Name2);
  std::memset(s.Name3, 0, sizeof s.Name3);
}

}  // namespace

ButtonPageModel::ButtonPageModel(settings::SettingsImage& working,
                                 std::function<int()> shownProfile, std::string programFolder,
                                 const settings::DeviceInfoTable& devices,
                                 ButtonAssignDialogs& dialogs, int windowsVersionClass)
    : working_(working),
      shownProfile_(std::move(shownProfile)),
      folder_(std::move(programFolder)),
      devices_(devices),
      dialogs_(dialogs),
      windowsVersionClass_(windowsVersionClass) {}

void ButtonPageModel::reloadLists() {
  timers_.load(TimerList::filePath(folder_));
  library_.load(macros::MacroLibrary::presetFile(folder_));
}

int ButtonPageModel::profile() const {
  return std::clamp(shownProfile_(), 0, settings::kProfileCount - 1);
}
settings::Profile& ButtonPageModel::shown() const { return working_.Profiles[profile()]; }
settings::ButtonSlot& ButtonPageModel::slotRef(int slot) const {
  return shown().MacroKeyInfo[std::clamp(slot, 0, kSlots - 1)];
}
std::uint8_t ButtonPageModel::code(int slot) const { return slotRef(slot).FunctionCode; }

std::string ButtonPageModel::displayName(int slot) const {
  return settings::FunctionDisplayName(slotRef(slot), shown());
}

bool ButtonPageModel::isFixed(int slot) const { return slot < 2 || code(slot) == kNoCode; }

int ButtonPageModel::partnerOf(int slot) {
  if (slot == 3) return 15;
  if (slot == 4) return 16;
  return -1;
}

std::optional<std::uint8_t> ButtonPageModel::plainCode(int command) {
  for (const PlainItem& p : kPlainItems)
    if (p.command == command) return settings::code(p.code);
  if (command >= kFirstSteadyAim && command < kFirstSteadyAim + settings::kCpiLevelCount)
    return static_cast<std::uint8_t>(settings::code(FunctionCode::SteadyAim0) + command -
                                     kFirstSteadyAim);
  if (command == kStopTimer) return settings::code(FunctionCode::StopTimer);
  return std::nullopt;
}

// ---- the menu ---------------------------------------------------------------

bool ButtonPageModel::barClicked(int slot) {
  if (slot < 0 || slot >= kSlots) return false;
  if (swallowSlot_ == slot) {
    swallowSlot_ = -1;
    return false;
  }
  swallowSlot_ = -1;
  if (isFixed(slot)) return false;
  asideSlot_ = slotRef(slot);
  asideIndex_ = slot;
  return true;
}

void ButtonPageModel::menuClosed(int slot, bool byClickOnSameBar) {
  swallowSlot_ = byClickOnSameBar ? slot : -1;
}

void ButtonPageModel::addChorusMenu(ButtonMenu& menu) const {
  std::vector<ButtonMenuItem> chorus{{"Dual-Shift[+] all devices", kChorusAll}};
  const int count = std::clamp(devices_.Count, 0, settings::kMaxDeviceRecords);
  if (count > 0) chorus.push_back(separator());
  for (int d = 1; d <= count; ++d) {
    const std::string name = field(devices_.Records[d - 1].Name, sizeof devices_.Records[0].Name);
    const int command = kChorusAll + 10 * d;
    chorus.push_back(submenu("NIVARO Chorus: " + name,
                             {{"Dual-Shift[+] " + name, command},
                              {"Dual-Shift[+] " + name + " Lock/Unlock", command + 1}},
                             kChorusMenuWidth));
  }
  menu.items.push_back(submenu("NIVARO Chorus", std::move(chorus), kChorusMenuWidth));
}

void ButtonPageModel::addMacroMenu(ButtonMenu& menu, int slot) const {
  const settings::ButtonSlot& s = slotRef(slot);
  const bool macroSlot = s.FunctionCode == settings::code(FunctionCode::Macro);
  const std::string assignedSet = field(s.Name2, sizeof s.Name2);
  const std::string assignedMacro = field(s.Name3, sizeof s.Name3);
  // The slot holds names cut to its fields; compare the library's the same way.
  const auto cut = [](const std::string& name, std::size_t size) {
    return name.substr(0, size - 1);
  };

  std::vector<ButtonMenuItem> sets{{"Create New Macro...", kCreateMacro}};
  const auto& all = library_.sets();
  const int setCount = std::min<int>(static_cast<int>(all.size()), macros::MacroLibrary::kMaxSets);
  if (setCount > 0) sets.push_back(separator());
  for (int k = 0; k < setCount; ++k) {
    const macros::MacroSet& set = all[static_cast<std::size_t>(k)];
    const bool setMarked =
        macroSlot && macros::sameName(cut(set.name, sizeof s.Name2), assignedSet);
    std::vector<ButtonMenuItem> entries{{"Edit Macro...", kFirstEditSet + k}, separator()};
    const int macroCount =
        std::min<int>(static_cast<int>(set.macros.size()), macros::MacroLibrary::kMaxMacrosPerSet);
    for (int m = 0; m < macroCount; ++m) {
      const std::string name = set.macros[static_cast<std::size_t>(m)].name();
      ButtonMenuItem entry{name, kFirstMacro + 100 * k + m};
      entry.mark = setMarked && macros::sameName(cut(name, sizeof s.Name3), assignedMacro);
      entries.push_back(std::move(entry));
    }
    ButtonMenuItem setMenu = submenu(set.name, std::move(entries));
    setMenu.mark = setMarked;
    sets.push_back(std::move(setMenu));
    const bool moreFollow = k + 1 < setCount;
    if (moreFollow &&
        (macros::sameName(set.name, "World of Warcraft") || macros::sameName(set.name, "Xfire")))
      sets.push_back(separator());
  }
  menu.items.push_back(submenu("Macro + Preset Compilation", std::move(sets)));
}

ButtonMenu ButtonPageModel::menuFor(int slot) const {
  ButtonMenu menu;
  if (partnerOf(slot) >= 0) {
    std::vector<ButtonMenuItem> dual{item(1024), separator(), item(1025), item(1026),
                                     item(1027), item(1028),  item(1030)};
    if (windowsVersionClass_ != 4) dual.push_back(item(1031));
    menu.items.push_back(submenu("Dual-Shift[+] Vesk ORB Optical", std::move(dual)));
    addChorusMenu(menu);
  }
  addMacroMenu(menu, slot);

  std::vector<ButtonMenuItem> timer{{"Create Timer", kCreateTimer},
                                    {"Edit/Delete Timer", kEditTimers},
                                    {"Stop Timer", kStopTimer}};
  if (!timers_.empty()) timer.push_back(separator());
  const int timerCount = std::min<int>(static_cast<int>(timers_.size()), kMaxMenuTimers);
  for (int t = 0; t < timerCount; ++t)
    timer.push_back({TimerList::nameOf(*timers_.at(t)), kFirstTimer + t});
  menu.items.push_back(submenu("Assign a Timer", std::move(timer)));

  menu.items.push_back(submenu("Profile", {item(1016), item(1017), item(1018)}));
  menu.items.push_back(submenu("DPI Setting", {item(1020), item(1021), item(1022)}));
  menu.items.push_back(submenu("Sensitivity", {item(1041), item(1042), item(1043)}));
  menu.items.push_back(submenu("Multimedia", {item(1037),
                                              item(1038),
                                              item(1039),
                                              separator(),
                                              {"Select Player", kSelectPlayer},
                                              separator(),
                                              item(1032),
                                              item(1033),
                                              item(1034),
                                              item(1035),
                                              item(1036)}));
  if (slot < 12) {
    std::vector<ButtonMenuItem> steady;
    for (int level = 0; level < settings::kCpiLevelCount; ++level)
      steady.push_back(
          {std::to_string(shown().CpiLevel_X[level] * 100) + " DPI", kFirstSteadyAim + level});
    menu.items.push_back(submenu("Steady-Aim", std::move(steady)));
  }
  menu.items.push_back(separator());
  for (int command :
       {1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 1010, 1013, 1014, 1015, 1055, 1056})
    menu.items.push_back(item(command));
  return menu;
}

// ---- choices ----------------------------------------------------------------

bool ButtonPageModel::choose(int slot, int command) {
  if (slot < 0 || slot >= kSlots) return false;
  if (command == kAssignShortcut) return chooseShortcut(slot);
  if (command == kQuicklaunch) return chooseProgram(slot);
  if (command == kSelectPlayer) {
    int media = shown().MediaOption;
    if (!dialogs_.selectPlayer(media) || media == shown().MediaOption) return false;
    shown().MediaOption = media;
    return true;
  }
  if (command == kCreateTimer || command == kEditTimers)
    return timerCommand(command == kCreateTimer);
  if (command == kCreateMacro) {
    dialogs_.openMacroManager(ButtonAssignDialogs::MacroManagerMode::Create, -1, slotRef(slot));
    return false;
  }
  if (command >= kFirstEditSet && command < kFirstEditSet + macros::MacroLibrary::kMaxSets) {
    const int set = command - kFirstEditSet;
    if (!library_.set(set)) return false;
    dialogs_.openMacroManager(ButtonAssignDialogs::MacroManagerMode::EditSet, set, slotRef(slot));
    return false;
  }
  if (command >= kFirstMacro && command < kFirstEditSet) return chooseMacro(slot, command);
  if (command >= kFirstTimer && command < kFirstTimer + kMaxMenuTimers)
    return chooseTimer(slot, command);
  if (command >= kChorusAll && command < kChorusAll + 10 * (settings::kMaxDeviceRecords + 1))
    return chooseChorus(slot, command);
  const auto plain = plainCode(command);
  if (!plain) return false;
  clearMacroFields(slotRef(slot));
  finish(slot, *plain);
  return true;
}

bool ButtonPageModel::chooseShortcut(int slot) {
  settings::ButtonSlot& s = slotRef(slot);
  KeyShortcut start;
  start.key = s.Events[0].Key;
  for (int i = 0; i < 5; ++i)
    start.flags[static_cast<std::size_t>(i)] = (s.Events[0].Action >> i) & 1;
  const auto chosen = dialogs_.askShortcut(start);
  if (!chosen) return false;
  std::uint8_t modifiers = 0;
  if (chosen->flags[0]) {
    modifiers = settings::kModifierNone;
  } else {
    for (int i = 1; i < 5; ++i)
      if (chosen->flags[static_cast<std::size_t>(i)])
        modifiers |= static_cast<std::uint8_t>(1 << i);
  }
  // One key event; the events a macro left behind would otherwise stay in the
  // slot unseen.
  std::memset(s.Events, 0, sizeof s.Events);
  s.EventCount = 1;
  s.Events[0].Key = static_cast<std::uint8_t>(chosen->key);
  s.Events[0].Action = modifiers;
  std::memset(s.Name2, 0, sizeof s.Name2);
  std::memset(s.Name3, 0, sizeof s.Name3);
  finish(slot, settings::code(FunctionCode::Key));
  return true;
}

bool ButtonPageModel::chooseProgram(int slot) {
  settings::ButtonSlot& s = slotRef(slot);
  const std::string start = s.FunctionCode == settings::code(FunctionCode::OpenProgram)
                                ? field(s.ProgramPath, sizeof s.ProgramPath)
                                : std::string();
  const auto chosen = dialogs_.askProgram(start);
  if (!chosen) return false;
  const std::string path = TimerList::trimmed(*chosen);
  // A cut path would name another file, and no path starts nothing.
  if (path.empty()) {
    dialogs_.notice(OptionNotice::NoProgramChosen, {});
    return false;
  }
  if (path.size() >= sizeof s.ProgramPath) {
    dialogs_.notice(OptionNotice::ProgramPathTooLong, {});
    return false;
  }
  clearMacroFields(s);
  setField(s.ProgramPath, sizeof s.ProgramPath, path);
  finish(slot, settings::code(FunctionCode::OpenProgram));
  return true;
}

bool ButtonPageModel::chooseMacro(int slot, int command) {
  const int set = (command - kFirstMacro) / 100;
  const int macro = (command - kFirstMacro) % 100;
  const macros::MacroSet* found = library_.set(set);
  const macros::MacroRecord* record = library_.macro(set, macro);
  if (!found || !record) return false;
  macros::assignToSlot(*found, *record, slotRef(slot));
  finish(slot, settings::code(FunctionCode::Macro));
  return true;
}

bool ButtonPageModel::chooseTimer(int slot, int command) {
  const TimerRecord* timer = timers_.at(command - kFirstTimer);
  if (!timer) return false;
  settings::ButtonSlot& s = slotRef(slot);
  clearMacroFields(s);
  s.TimerLength = timer->seconds;
  setField(s.TimerName, sizeof s.TimerName, TimerList::nameOf(*timer));
  finish(slot, settings::code(FunctionCode::Timer));
  return true;
}

bool ButtonPageModel::chooseChorus(int slot, int command) {
  const int device = (command - kChorusAll) / 10;
  const int kind = (command - kChorusAll) % 10;
  settings::ButtonSlot& s = slotRef(slot);
  if (device == 0) {
    if (kind != 0) return false;
    clearMacroFields(s);
    s.setPeerValue(-1);  // 65535: every device
    finish(slot, settings::code(FunctionCode::DualShiftAll));
    return true;
  }
  if (kind > 1 || device > std::clamp(devices_.Count, 0, settings::kMaxDeviceRecords)) return false;
  const settings::DeviceRecord& record = devices_.Records[device - 1];
  clearMacroFields(s);
  setField(s.Name1, sizeof s.Name1, field(record.Name, sizeof record.Name));
  s.setPeerValue(static_cast<std::int16_t>(record.PID));
  finish(slot, kind == 0 ? settings::code(FunctionCode::DualShiftPeer)
                         : settings::code(FunctionCode::DualShiftPeerLock));
  return true;
}

bool ButtonPageModel::timerCommand(bool create) {
  timers_.load(TimerList::filePath(folder_));
  if (create && timers_.size() >= TimerList::kMaxTimers) {
    dialogs_.notice(OptionNotice::TimersFull, {});
    return false;
  }
  if (!create && timers_.empty()) {
    dialogs_.notice(OptionNotice::NoTimers, {});
    return false;
  }
  const bool changed = create ? dialogs_.createTimer(timers_) : dialogs_.editTimers(timers_);
  if (changed && !timers_.save(TimerList::filePath(folder_)))
    dialogs_.notice(OptionNotice::TimersNotSaved, TimerList::filePath(folder_));
  return false;  // the image is untouched
}

void ButtonPageModel::finish(int slot, std::uint8_t newCode) {
  settings::ButtonSlot& s = slotRef(slot);
  const std::uint8_t old =
      asideSlot_ && asideIndex_ == slot ? asideSlot_->FunctionCode : s.FunctionCode;
  s.FunctionCode = newCode;
  markChanged(slot);
  if (newCode != old) dualShiftRule(slot);
  asideSlot_.reset();
  asideIndex_ = -1;
}

void ButtonPageModel::markChanged(int slot) { working_.SlotChanged[profile()][slot] = 1; }

void ButtonPageModel::dualShiftRule(int slot) {
  const int partner = partnerOf(slot);
  if (partner < 0) return;
  settings::ButtonSlot& p = slotRef(partner);
  const auto key = std::make_pair(profile(), partner);
  if (isDualShift(code(slot))) {
    if (p.FunctionCode == kNoCode) return;
    partnerMemory_[key] = p.FunctionCode;
    p.FunctionCode = kNoCode;
    markChanged(partner);
  } else if (p.FunctionCode == kNoCode) {
    const auto remembered = partnerMemory_.find(key);
    p.FunctionCode = remembered != partnerMemory_.end() ? remembered->second
                                                        : settings::code(FunctionCode::Disabled6);
    markChanged(partner);
  }
}

// ---- hover pictures and orientation ------------------------------------------

int ButtonPageModel::pictureFor(int notifyIndex) const {
  const int b = notifyIndex - kFirstNotifyIndex;
  if (b < 0 || b >= kSlots) return kNoPicture;
  if (b < 12) return b;
  const bool a = shiftsLayer(code(3)), bb = shiftsLayer(code(4));
  if (a && bb) return b + 24;
  if (bb) return b + 12;
  if (a) return b;
  return b + 36;
}

void ButtonPageModel::hover(bool entered, int notifyIndex) {
  const int picture = pictureFor(notifyIndex);
  if (picture == kNoPicture) return;
  // Leaving hides whatever shows: the bar's picture may have changed meanwhile.
  shownPicture_ = entered ? picture : kNoPicture;
}

int ButtonPageModel::orientation() const { return shown().Orientation == 0 ? 0 : 1; }
void ButtonPageModel::setOrientation(int orientation) {
  shown().Orientation = orientation == 0 ? 0 : 1;
}

}  // namespace option
