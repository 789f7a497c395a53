#include "UpdaterMessageDialog.h"

#include <QKeyEvent>

#include "skin/PageSheets.h"
#include "skin/SkinResourceIds.h"
#include "skin/UpdaterLayout.h"

namespace upgrade {
namespace {

int faceOf(UpdaterMessageDialog::Kind kind) {
  switch (kind) {
    case UpdaterMessageDialog::Kind::Confirm:
      return skin::res::kConfirmFace;
    case UpdaterMessageDialog::Kind::Notice:
      return skin::res::kNoticeFace;
    case UpdaterMessageDialog::Kind::Success:
      return skin::res::kSuccessFace;
    case UpdaterMessageDialog::Kind::Failure:
      return skin::res::kFailureFace;
  }
  return skin::res::kFailureFace;
}

}  // namespace

const char* UpdaterMessageDialog::name(Kind kind) {
  switch (kind) {
    case Kind::Confirm:
      return "confirm";
    case Kind::Notice:
      return "notice";
    case Kind::Success:
      return "success";
    case Kind::Failure:
      return "failure";
  }
  return "?";
}

UpdaterMessageDialog::UpdaterMessageDialog(Kind kind, QWidget* parent)
    : skin::SkinDialog(parent), kind_(kind) {
  namespace res = skin::res;
  namespace layout = skin::updater;
  const int face = faceOf(kind);
  const skin::PageSheets sheets = skin::PageSheets::fromResources(
      face, face + res::kDialogHoverOffset, face + res::kDialogPressedOffset, face);
  setFace(sheets.normal());
  setMaskBitmap(sheets.normal());
  setObjectName(QString::fromLatin1(name(kind)));
  if (kind == Kind::Success) setWindowTitle(QStringLiteral("Firmware upgrade success"));

  auto addButton = [&](const char* place, const char* objectName, DialogAnswer answer) {
    auto* button = new skin::SkinButton(skin::parseLayout(place), this);
    button->setSheets(sheets);
    button->setObjectName(QString::fromLatin1(objectName));
    connect(button, &QAbstractButton::clicked, this, [this, answer] {
      answer_ = answer;
      done(answer == DialogAnswer::Ok ? Accepted : Rejected);
    });
    return button;
  };
  const bool withChoice = kind == Kind::Confirm || kind == Kind::Notice;
  auto* ok = addButton(kind == Kind::Confirm ? layout::kDialogOk : layout::kDialogOkAlone,
                       "BUTTON_OK", DialogAnswer::Ok);
  ok->setDefaultButton();
  if (kind == Kind::Confirm)
    addButton(layout::kDialogCancel, "BUTTON_CANCEL", DialogAnswer::Cancel);
  if (withChoice) addButton(layout::kDialogExit, "BUTTON_EXIT", DialogAnswer::Exit);
}

DialogAnswer UpdaterMessageDialog::ask(DialogScript& script) {
  if (const auto prepared = script.next()) {
    answer_ = *prepared;
  } else {
    answer_ =
        kind_ == Kind::Confirm || kind_ == Kind::Notice ? DialogAnswer::Exit : DialogAnswer::Ok;
    exec();
  }
  script.record(name(kind_), answer_);
  return answer_;
}

void UpdaterMessageDialog::keyPressEvent(QKeyEvent* event) {
  // Enter takes the default button; Escape answers like Exit (or OK where
  // that is the only choice).
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    answer_ = DialogAnswer::Ok;
    done(Accepted);
    return;
  }
  if (event->key() == Qt::Key_Escape) {
    answer_ =
        kind_ == Kind::Confirm || kind_ == Kind::Notice ? DialogAnswer::Exit : DialogAnswer::Ok;
    done(Rejected);
    return;
  }
  skin::SkinDialog::keyPressEvent(event);
}

}  // namespace upgrade
