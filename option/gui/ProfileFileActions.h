#pragma once

#include <functional>
#include <optional>
#include <string>

#include "option/OptionNotice.h"
#include "settings/SettingsImage.h"

class QWidget;

namespace option {

class MainDialogModel;
class MainDialogView;

// The main window's Create, Load, Save and Edit buttons, acting on the
// profile the window shows. None of them writes to the mouse: the next
// Apply or OK does.
class ProfileFileActions {
 public:
  enum class Button { Create, Load, Save, Edit };  // the buttons' order on the window

  // How the user answers; the system's file dialogs and the profile dialog
  // unless a test replaces them.
  struct Questions {
    // The file to load, or where to save; nothing when the user cancels.
    std::function<std::optional<std::string>(const std::string& start)> openFile;
    std::function<std::optional<std::string>(const std::string& start)> saveFile;
    // The profile dialog; true on OK (the profile then holds its entries).
    std::function<bool(settings::Profile& profile, bool create)> editProfile;
    // A load or save that failed, with the file it was about.
    std::function<void(OptionNotice notice, const std::string& file)> notice;
  };

  ProfileFileActions(MainDialogModel& model, MainDialogView& view, QWidget* parent);

  void run(Button button);
  Questions& questions() { return questions_; }

 private:
  MainDialogModel& model_;
  MainDialogView& view_;
  Questions questions_;
};

}  // namespace option
