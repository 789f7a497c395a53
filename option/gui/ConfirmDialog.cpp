#include "ConfirmDialog.h"

#include "skin/SkinButton.h"
#include "skin/SkinResourceIds.h"

namespace option {
namespace {

namespace dl = skin::dialogs;
namespace res = skin::res;

SmallDialog::Art questionArt(ConfirmDialog::Question question) {
  switch (question) {
    case ConfirmDialog::Question::DeleteMacroSet:
      return {res::kDeleteMacroSetDialog, dl::kConfirmSize, QStringLiteral("Delete macro set")};
    case ConfirmDialog::Question::DeleteMacro:
      return {res::kDeleteMacroDialog, dl::kConfirmSize, QStringLiteral("Delete macro")};
    case ConfirmDialog::Question::DeleteTimer:
      break;
  }
  return {res::kDeleteTimerDialog, dl::kDeleteTimerSize, QStringLiteral("Delete timer")};
}

SmallDialog::Art noticeArt(ConfirmDialog::Notice notice) {
  switch (notice) {
    case ConfirmDialog::Notice::NoMacroSetSelected:
      return {res::kNoMacroSetNoticeDialog, dl::kConfirmSize,
              QStringLiteral("Select a macro set first")};
    case ConfirmDialog::Notice::NoMacroSelected:
      return {res::kNoMacroNoticeDialog, dl::kConfirmSize, QStringLiteral("Select a macro first")};
    case ConfirmDialog::Notice::MacroFull:
      break;
  }
  return {res::kMacroFullNoticeDialog, dl::kConfirmSize, QStringLiteral("The macro is full")};
}

}  // namespace

ConfirmDialog::ConfirmDialog(Question question, QWidget* parent)
    : SmallDialog(questionArt(question), parent) {
  setObjectName(QStringLiteral("ConfirmDialog"));
  if (question == Question::DeleteTimer)
    addClosingButtons(dl::kDeleteTimerOk, dl::kDeleteTimerCancel, dl::kDeleteTimerExit);
  else
    addClosingButtons(dl::kConfirmOk, dl::kConfirmCancel, dl::kConfirmExit);
}

ConfirmDialog::ConfirmDialog(Notice notice, QWidget* parent)
    : SmallDialog(noticeArt(notice), parent) {
  setObjectName(QStringLiteral("NoticeDialog"));
  addClosingButtons(dl::kConfirmOk, nullptr, dl::kConfirmExit);
  ok_->setFocus();
}

bool ConfirmDialog::ask(Question question, QWidget* parent) {
  ConfirmDialog dialog(question, parent);
  return dialog.exec() == QDialog::Accepted;
}

void ConfirmDialog::tell(Notice notice, QWidget* parent) {
  ConfirmDialog dialog(notice, parent);
  dialog.exec();
}

}  // namespace option
