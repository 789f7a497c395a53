#include "ProgramPathDialog.h"

#include <QFileDialog>
#include <QStandardPaths>

#include "option/ProgramChoice.h"
#include "skin/BitmapEdit.h"
#include "skin/SkinButton.h"
#include "skin/SkinResourceIds.h"

namespace option {

namespace dl = skin::dialogs;

ProgramPathDialog::ProgramPathDialog(const QString& path, QWidget* parent)
    : SmallDialog({skin::res::kProgramPathDialog, dl::kProgramPathSize,
                   QStringLiteral("Quicklaunch program")},
                  parent) {
  setObjectName(QStringLiteral("ProgramPathDialog"));
  path_ = addEdit(dl::kProgramPathEntry, kMaxPathBytes - 1);
  path_->setText(path);
  browse_ = addButton(dl::kProgramPathBrowse, QStringLiteral("..."));
  connect(browse_, &skin::SkinButton::clicked, this, [this] {
    if (const auto chosen = browse(this)) path_->setText(*chosen);
  });
  addClosingButtons(dl::kProgramPathOk, dl::kProgramPathCancel, dl::kProgramPathExit);
}

std::optional<QString> ProgramPathDialog::ask(const QString& path, QWidget* parent) {
  ProgramPathDialog dialog(path, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.path();
}

QString ProgramPathDialog::path() const { return path_->text(); }

std::optional<QString> ProgramPathDialog::browse(QWidget* parent) {
  const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
  const QString chosen =
      QFileDialog::getOpenFileName(parent, QStringLiteral("Program"), desktop,
                                   QStringLiteral("Programs (*);;Desktop entries (*.desktop)"));
  if (chosen.isEmpty()) return std::nullopt;
  const auto program = ProgramChoice::fromChosenFile(chosen.toStdString(),
                                                     qEnvironmentVariable("PATH").toStdString());
  if (!program) return std::nullopt;
  return QString::fromStdString(*program);
}

}  // namespace option
