#pragma once

#include <string>

#include "option/ButtonPageModel.h"

class QWidget;

namespace option {

// The dialogs the Button Assign page opens, shown over the page.
class ButtonPageDialogs : public ButtonAssignDialogs {
 public:
  ButtonPageDialogs(QWidget* parent, std::string programFolder);

  std::optional<KeyShortcut> askShortcut(const KeyShortcut& start) override;
  std::optional<std::string> askProgram(const std::string& start) override;
  bool selectPlayer(int& mediaOption) override;
  bool createTimer(TimerList& timers) override;
  bool editTimers(TimerList& timers) override;
  void openMacroManager(MacroManagerMode mode, int setPosition,
                        const settings::ButtonSlot& slot) override;
  void notice(OptionNotice notice, const std::string& detail) override;

 private:
  QWidget* parent_;
  std::string folder_;
};

}  // namespace option
