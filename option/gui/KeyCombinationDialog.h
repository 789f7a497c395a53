#pragma once

#include <array>
#include <optional>

#include "SmallDialog.h"
#include "option/KeyCombination.h"

namespace option {

// "Mobe Key Shortcut Dialog": while it is open every key goes to it and to
// no other program (the keyboard is grabbed, so even Print Screen only
// shows its name); the key is taken by its physical position. The modifier
// check buttons set the five flags.
class KeyCombinationDialog : public SmallDialog {
  Q_OBJECT
 public:
  explicit KeyCombinationDialog(const KeyCombination& start, QWidget* parent = nullptr);
  ~KeyCombinationDialog() override;

  // The combination the user confirmed with OK; nothing on Cancel or Exit.
  static std::optional<KeyCombination> ask(const KeyCombination& start, QWidget* parent);

  const KeyCombination& combination() const { return combination_; }
  skin::BitmapEdit* keyNameField() const { return keyName_; }
  skin::SkinButton* flagButton(KeyCombination::Flag flag) const { return flags_[flag]; }
  // Whether the keyboard is grabbed for the dialog (false without a server
  // that grants it; the dialog then takes the keys it gets while focused).
  bool keyboardGrabbed() const { return grabbed_; }

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent*) override;
  void hideEvent(QHideEvent*) override;

 private:
  void takeKey(const QKeyEvent& event);
  void showFlags();
  void grab();
  void release();

  KeyCombination combination_;
  skin::BitmapEdit* keyName_;
  std::array<skin::SkinButton*, KeyCombination::kFlagCount> flags_{};
  bool grabbed_ = false;
  bool filtering_ = false;
};

}  // namespace option
