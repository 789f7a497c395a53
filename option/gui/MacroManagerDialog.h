#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "macros/MacroManagerModel.h"
#include "skin/SkinDialog.h"

class QLineEdit;
class QListWidget;

namespace skin {
class SkinButton;
}

namespace option {

class KeySequencePanel;
class MacroManagerPrompts;
class TimelinePanel;

// The macro manager window: the set selector and the macro list on the
// left, the list editor or the timeline editor on the right, all working on
// a copy of the library. OK ends with Accepted (the caller takes the copy
// and saves it); Cancel and the close button with Rejected.
class MacroManagerDialog : public skin::SkinDialog {
  Q_OBJECT
 public:
  MacroManagerDialog(const macros::MacroLibrary& library, const settings::ButtonSlot& slot,
                     int firstSet, MacroManagerPrompts& prompts, QWidget* parent = nullptr);
  ~MacroManagerDialog() override;

  // Loads the program folder's library, runs the manager and, on OK, saves
  // the edited copy. True when the user pressed OK and the file was written.
  static bool edit(const std::string& programFolder, const settings::ButtonSlot& slot, int firstSet,
                   MacroManagerPrompts& prompts, QWidget* parent);

  macros::MacroManagerModel& model() { return model_; }
  KeySequencePanel* listEditor() const { return listPanel_; }
  TimelinePanel* timelineEditor() const { return timeline_; }
  QListWidget* macroList() const { return macroList_; }
  bool timelineShown() const;

  // The set menu's command (a set, add or delete), as if chosen.
  void setCommand(int command);
  void newMacro();
  void renameMacro(int row);
  void deleteMacro();
  void switchEditor();
  void selectMacro(int row);
  // Commits or drops an open in-place name edit.
  void commitNameEdit(bool keep);
  QLineEdit* nameEdit() const { return nameEdit_; }
  // An empty library asks for a first set shortly after the window shows.
  bool firstSetPending() const { return firstSetPending_; }
  void firstSetDue();

 protected:
  void done(int result) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void showSetMenu();
  void refillMacros();
  void refreshSelector();
  void lockControls(bool locked);
  void showNotice(int notice);
  void openNameEdit(int row, const QString& text, std::function<void(std::optional<QString>)> done);

  macros::MacroManagerModel model_;
  MacroManagerPrompts& prompts_;
  skin::SkinButton* ok_;
  skin::SkinButton* cancel_;
  skin::SkinButton* exit_;
  skin::SkinButton* selector_;
  skin::SkinButton* new_;
  skin::SkinButton* delete_;
  skin::SkinButton* switch_;
  QListWidget* macroList_;
  KeySequencePanel* listPanel_;
  TimelinePanel* timeline_;
  QLineEdit* nameEdit_ = nullptr;
  std::function<void(std::optional<QString>)> nameDone_;
  bool filling_ = false;
  bool firstSetPending_ = false;
};

}  // namespace option
