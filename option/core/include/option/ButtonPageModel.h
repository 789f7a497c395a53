#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "macros/MacroLibrary.h"
#include "option/OptionNotice.h"
#include "option/TimerList.h"
#include "settings/DeviceInfoTable.h"
#include "settings/SettingsImage.h"

// The Button Assign page without its widgets: the 24 bars of the profile being
// shown, the function menu of a bar, what a chosen item writes into the slot,
// the Dual-Shift partners, the highlight picture of the hovered bar and the
// mouse orientation.
namespace option {

// One entry of a popup menu: an item (command > 0), a separator (command 0
// and no submenu) or a submenu (its items in `submenu`).
struct ButtonMenuItem {
  std::string text{};
  int command = 0;
  bool mark = false;
  std::vector<ButtonMenuItem> submenu{};
  int minWidth = 140;  // of the submenu this entry opens

  bool isSeparator() const { return command == 0 && submenu.empty() && text.empty(); }
};

struct ButtonMenu {
  std::vector<ButtonMenuItem> items;
  int minWidth = 140;
};

// A key with its five modifier flags, in the order None, Shift, Ctrl, Alt, Win.
struct KeyShortcut {
  int key = 0;
  std::array<bool, 5> flags{};
};

// The dialogs the page opens. Each returns what the user chose; nothing (or
// false) when the user cancelled.
class ButtonAssignDialogs {
 public:
  virtual ~ButtonAssignDialogs() = default;
  virtual std::optional<KeyShortcut> askShortcut(const KeyShortcut& start) = 0;
  virtual std::optional<std::string> askProgram(const std::string& start) = 0;
  // Edits the player choice in place; false when cancelled.
  virtual bool selectPlayer(int& mediaOption) = 0;
  // The timer dialogs edit `timers`; true when the list changed.
  virtual bool createTimer(TimerList& timers) = 0;
  virtual bool editTimers(TimerList& timers) = 0;
  // The macro manager: to create a macro, on set `setPosition`, or in its
  // ordinary mode; it shows first the set and macro `slot` carries. It saves
  // the library file itself.
  enum class MacroManagerMode { Create, EditSet, Ordinary };
  virtual void openMacroManager(MacroManagerMode mode, int setPosition,
                                const settings::ButtonSlot& slot) = 0;
  // Something the user asked for could not be done; `detail` (a file, a
  // reason) is empty where the notice says all.
  virtual void notice(OptionNotice notice, const std::string& detail) = 0;
};

class ButtonPageModel {
 public:
  static constexpr int kSlots = settings::kSlotCount;  // 24
  static constexpr int kFirstNotifyIndex = 200;
  static constexpr int kPictureCount = 60;
  static constexpr int kNoPicture = -1;

  // Menu commands that are not a function code of their own.
  static constexpr int kCreateTimer = 500;
  static constexpr int kEditTimers = 501;
  static constexpr int kStopTimer = 502;
  static constexpr int kFirstTimer = 505;
  static constexpr int kMaxMenuTimers = 50;
  static constexpr int kCreateMacro = 1099;
  static constexpr int kFirstMacro = 1100;     // + 100 set + macro
  static constexpr int kFirstEditSet = 11100;  // + set
  static constexpr int kChorusAll = 11200;     // + 10 device (+ 1 for Lock/Unlock)
  static constexpr int kSelectPlayer = 1040;

  ButtonPageModel(settings::SettingsImage& working, std::function<int()> shownProfile,
                  std::string programFolder, const settings::DeviceInfoTable& devices,
                  ButtonAssignDialogs& dialogs, int windowsVersionClass = 0);

  // Timers and macros as their files hold them now; called before a menu is
  // built, since another program may have changed them.
  void reloadLists();
  TimerList& timers() { return timers_; }
  macros::MacroLibrary& library() { return library_; }

  // ---- bars
  int profile() const;
  std::string displayName(int slot) const;  // slot 0..23
  // Slots 1 and 2 and every slot whose code is 0 keep their function.
  bool isFixed(int slot) const;
  std::uint8_t code(int slot) const;

  // ---- the menu
  // A click on a bar: true when its menu is to open now (the slot is then
  // copied aside). False for a fixed bar, and for the click that closed this
  // bar's menu.
  bool barClicked(int slot);
  // The menu closed; `byClickOnSameBar` when the click that closed it landed
  // on the same bar, which must not reopen it.
  void menuClosed(int slot, bool byClickOnSameBar);
  ButtonMenu menuFor(int slot) const;
  // Carries out a chosen menu command for the slot. False when nothing of the
  // image changed (unknown command, cancelled dialog, refused request).
  bool choose(int slot, int command);

  // ---- hover pictures (ButtonHoverMsg: entered 1/0, notify index)
  // The picture to show for a bar, or kNoPicture for indexes outside the bars.
  int pictureFor(int notifyIndex) const;
  void hover(bool entered, int notifyIndex);
  int shownPicture() const { return shownPicture_; }
  void hidePicture() { shownPicture_ = kNoPicture; }

  // ---- orientation: 0 right hand, 1 left hand
  int orientation() const;
  void setOrientation(int orientation);

  // The function code a plain menu command writes; nothing for commands that
  // write no code of their own.
  static std::optional<std::uint8_t> plainCode(int command);
  static int partnerOf(int slot);  // 15 for slot 3, 16 for slot 4, else -1

 private:
  settings::Profile& shown() const;
  settings::ButtonSlot& slotRef(int slot) const;
  void markChanged(int slot);
  void dualShiftRule(int slot);
  bool chooseShortcut(int slot);
  bool chooseProgram(int slot);
  bool chooseMacro(int slot, int command);
  bool chooseTimer(int slot, int command);
  bool chooseChorus(int slot, int command);
  bool timerCommand(bool create);
  void finish(int slot, std::uint8_t newCode);
  void addMacroMenu(ButtonMenu& menu, int slot) const;
  void addChorusMenu(ButtonMenu& menu) const;

  settings::SettingsImage& working_;
  std::function<int()> shownProfile_;
  std::string folder_;
  const settings::DeviceInfoTable& devices_;
  ButtonAssignDialogs& dialogs_;
  int windowsVersionClass_;
  TimerList timers_;
  macros::MacroLibrary library_;
  // Codes the Dual-Shift partners had before a Dual-Shift button took them
  // over, by profile and partner slot; kept while the program runs.
  std::map<std::pair<int, int>, std::uint8_t> partnerMemory_;
  std::optional<settings::ButtonSlot> asideSlot_;
  int asideIndex_ = -1;
  int swallowSlot_ = -1;
  int shownPicture_ = kNoPicture;
};

}  // namespace option
