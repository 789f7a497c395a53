#pragma once

#include <QString>

#include "skin/PageSheets.h"
#include "skin/SkinDialog.h"
#include "skin/SmallDialogLayouts.h"

namespace skin {
class BitmapEdit;
class SkinButton;
}  // namespace skin

namespace option {

// The common form of the program's small dialogs: a borderless window the
// size of its background picture, which carries the wording; skinned
// buttons and entries placed by their layout strings. OK ends with Accepted,
// Cancel and the close button with Rejected (Escape too).
class SmallDialog : public skin::SkinDialog {
  Q_OBJECT
 public:
  // Where a dialog's pictures are: the face at `sheets` (hover +1, pressed
  // +2, disabled +3) or, when `faceFile` is set, that named picture with the
  // numbered PNG at `sheets` giving the exact shape. `title` is written on a
  // plain face when the skin lacks the pictures.
  struct Art {
    int sheets = 0;
    skin::dialogs::DialogSize size{304, 210};
    QString title;
    const char* faceFile = nullptr;
  };

  SmallDialog(const Art& art, QWidget* parent);

  const skin::PageSheets& sheets() const { return sheets_; }

 protected:
  // A push button cut from the sheets.
  skin::SkinButton* addButton(const char* layout, const QString& plainCaption = {});
  // A check button (selected state drawn by the pressed picture).
  skin::SkinButton* addCheckButton(const char* layout, const QString& plainCaption = {});
  skin::BitmapEdit* addEdit(const char* layout, int maxLength);
  // The usual OK, Cancel and close buttons: OK runs `onOk` (which accepts
  // the dialog unless it has a reason to stay open).
  void addClosingButtons(const char* ok, const char* cancel, const char* exit);
  virtual void onOk() { accept(); }
  // A notice (OK without Cancel) is acknowledged with Enter as with OK.
  void keyPressEvent(QKeyEvent* event) override;

  skin::SkinButton* ok_ = nullptr;
  skin::SkinButton* cancel_ = nullptr;
  skin::SkinButton* exit_ = nullptr;

 public:
  skin::SkinButton* okButton() const { return ok_; }
  skin::SkinButton* cancelButton() const { return cancel_; }
  skin::SkinButton* exitButton() const { return exit_; }

 private:
  skin::PageSheets sheets_;
  bool plain_ = false;
};

}  // namespace option
