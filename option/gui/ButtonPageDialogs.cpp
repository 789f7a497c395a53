#include "ButtonPageDialogs.h"

#include <algorithm>
#include <cctype>
#include <memory>

#include "EditTimersDialog.h"
#include "KeyCombinationDialog.h"
#include "MacroManagerDialog.h"
#include "MacroManagerPrompts.h"
#include "NewTimerDialog.h"
#include "NoticeDialog.h"
#include "PlayerDialog.h"
#include "ProgramPathDialog.h"

namespace option {

ButtonPageDialogs::ButtonPageDialogs(QWidget* parent, std::string programFolder)
    : parent_(parent), folder_(std::move(programFolder)) {}

std::optional<KeyShortcut> ButtonPageDialogs::askShortcut(const KeyShortcut& start) {
  const auto chosen = KeyCombinationDialog::ask(KeyCombination(start.key, start.flags), parent_);
  if (!chosen) return std::nullopt;
  return KeyShortcut{chosen->key(), chosen->flags()};
}

std::optional<std::string> ButtonPageDialogs::askProgram(const std::string& start) {
  const auto chosen = ProgramPathDialog::ask(QString::fromStdString(start), parent_);
  if (!chosen) return std::nullopt;
  return chosen->toStdString();
}

bool ButtonPageDialogs::selectPlayer(int& mediaOption) {
  const auto chosen = PlayerDialog::ask(mediaOption, parent_);
  if (!chosen) return false;
  mediaOption = *chosen;
  return true;
}

bool ButtonPageDialogs::createTimer(TimerList& timers) {
  const auto chosen = NewTimerDialog::ask(timers, parent_);
  if (!chosen) return false;
  const TimerList::Refusal refusal = timers.add(chosen->name, chosen->seconds);
  if (refusal != TimerList::Refusal::None) {
    std::string reason = TimerList::describe(refusal);
    reason.front() = static_cast<char>(std::toupper(static_cast<unsigned char>(reason.front())));
    notice(OptionNotice::TimerRefused, reason + ".");
    return false;
  }
  return true;
}

bool ButtonPageDialogs::editTimers(TimerList& timers) {
  return EditTimersDialog::edit(timers, parent_);
}

void ButtonPageDialogs::openMacroManager(MacroManagerMode, int setPosition,
                                         const settings::ButtonSlot& slot) {
  // The manager saves the library itself; the page reloads it before its next menu.
  const std::unique_ptr<MacroManagerPrompts> prompts = makeSkinnedMacroPrompts();
  MacroManagerDialog::edit(folder_, slot, std::max(setPosition, 0), *prompts, parent_);
}

void ButtonPageDialogs::notice(OptionNotice notice, const std::string& detail) {
  NoticeDialog::tell(notice, QString::fromStdString(detail), parent_);
}

}  // namespace option
