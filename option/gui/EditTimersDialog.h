#pragma once

#include <functional>
#include <optional>

#include "SmallDialog.h"

namespace skin {
class SpinEdit;
}

namespace option {

class TimerList;

// Renames, re-times and deletes timers. Save and Delete change the list at
// once; OK applies the entries too and tells the caller to write the file.
// Cancel and Exit leave the file alone (changes already saved to the list
// stay in it).
class EditTimersDialog : public SmallDialog {
  Q_OBJECT
 public:
  static constexpr int kFirstCommand = 1000;

  explicit EditTimersDialog(TimerList& timers, QWidget* parent = nullptr);

  // True on OK: the caller writes the timer file.
  static bool edit(TimerList& timers, QWidget* parent);

  std::optional<int> selected() const { return selected_; }
  // A timer chosen from the selector's menu.
  void select(std::optional<int> position);
  // Save: the entries go to the selected timer, by the list's rules.
  void apply();
  // Delete, once the user confirmed.
  void remove();

  skin::SkinButton* selector() const { return selector_; }
  skin::BitmapEdit* nameField() const { return name_; }
  skin::SpinEdit* secondsField() const { return seconds_; }
  skin::SkinButton* saveButton() const { return save_; }
  skin::SkinButton* deleteButton() const { return delete_; }
  // The question asked before a timer is deleted; the OK/Cancel dialog
  // unless a test replaces it.
  std::function<bool()> confirmDelete;

 protected:
  void onOk() override;

 private:
  void openMenu();

  TimerList& timers_;
  std::optional<int> selected_;
  skin::SkinButton* selector_;
  skin::BitmapEdit* name_;
  skin::SpinEdit* seconds_;
  skin::SkinButton* save_;
  skin::SkinButton* delete_;
};

}  // namespace option
