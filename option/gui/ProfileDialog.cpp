#include "ProfileDialog.h"

#include <cstring>

#include "ProgramPathDialog.h"
#include "option/ProfileFiles.h"
#include "skin/BitmapEdit.h"
#include "skin/SkinButton.h"
#include "skin/SkinResourceIds.h"

namespace option {

namespace dl = skin::dialogs;

namespace {

template <std::size_t N>
QString fieldText(const char (&field)[N]) {
  return QString::fromUtf8(field, static_cast<qsizetype>(strnlen(field, N)));
}

}  // namespace

ProfileDialog::ProfileDialog(settings::Profile& profile, Mode mode, QWidget* parent)
    : SmallDialog({skin::res::kProfileDialog, dl::kProfileSize, QStringLiteral("Profile")}, parent),
      profile_(profile) {
  setObjectName(QStringLiteral("ProfileDialog"));
  name_ = addEdit(dl::kProfileName, static_cast<int>(ProfileFiles::kMaxNameLength));
  for (int row = 0; row < 3; ++row) {
    games_[row] = addEdit(dl::kProfileGames[row], ProgramPathDialog::kMaxPathBytes - 1);
    browse_[row] = addButton(dl::kProfileBrowse[row], QStringLiteral("..."));
    connect(browse_[row], &skin::SkinButton::clicked, this, [this, row] {
      if (const auto chosen = ProgramPathDialog::browse(this)) games_[row]->setText(*chosen);
    });
  }
  addClosingButtons(dl::kProfileOk, dl::kProfileCancel, dl::kProfileExit);
  if (mode == Mode::Edit) {
    name_->setText(fieldText(profile.ProFileName));
    games_[0]->setText(fieldText(profile.GameFile0));
    games_[1]->setText(fieldText(profile.GameFile1));
    games_[2]->setText(fieldText(profile.GameFile2));
  }
  name_->setFocus();
}

bool ProfileDialog::edit(settings::Profile& profile, Mode mode, QWidget* parent) {
  ProfileDialog dialog(profile, mode, parent);
  return dialog.exec() == QDialog::Accepted;
}

void ProfileDialog::onOk() {
  ProfileFiles::setNameAndGames(profile_, name_->text().toStdString(),
                                games_[0]->text().toStdString(), games_[1]->text().toStdString(),
                                games_[2]->text().toStdString());
  accept();
}

}  // namespace option
