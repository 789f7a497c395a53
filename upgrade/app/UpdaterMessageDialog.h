#pragma once

#include "skin/SkinButton.h"
#include "skin/SkinDialog.h"
#include "upgrade/DialogScript.h"

namespace upgrade {

// One of the updater's four small dialogs. Their wording is part of their
// skin pictures; the buttons are cut from the same sheets.
class UpdaterMessageDialog : public skin::SkinDialog {
  Q_OBJECT
 public:
  enum class Kind { Confirm, Notice, Success, Failure };

  UpdaterMessageDialog(Kind kind, QWidget* parent = nullptr);

  // Runs the dialog modally, or answers at once from the script when it has
  // an answer ready; the answer is recorded in the script's log.
  DialogAnswer ask(DialogScript& script);
  static const char* name(Kind kind);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  Kind kind_;
  DialogAnswer answer_ = DialogAnswer::Exit;
};

}  // namespace upgrade
