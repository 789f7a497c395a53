#include "ProfileFileActions.h"

#include <QFileDialog>

#include "NoticeDialog.h"
#include "ProfileDialog.h"
#include "option/MainDialogModel.h"
#include "option/ProfileFiles.h"

namespace option {

namespace {

const QString kFilter = QString::fromLatin1(ProfileFiles::kFilter);

std::optional<std::string> answer(const QString& chosen) {
  if (chosen.isEmpty()) return std::nullopt;
  return chosen.toStdString();
}

}  // namespace

ProfileFileActions::ProfileFileActions(MainDialogModel& model, MainDialogView& view,
                                       QWidget* parent)
    : model_(model), view_(view) {
  questions_.openFile = [parent](const std::string& start) {
    QFileDialog dialog(parent, QStringLiteral("Load profile"), QString::fromStdString(start),
                       kFilter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("nmp"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
      return std::optional<std::string>();
    return answer(dialog.selectedFiles().front());
  };
  questions_.saveFile = [parent](const std::string& start) {
    QFileDialog dialog(parent, QStringLiteral("Save profile"), QString::fromStdString(start),
                       kFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("nmp"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
      return std::optional<std::string>();
    return answer(dialog.selectedFiles().front());
  };
  questions_.editProfile = [parent](settings::Profile& profile, bool create) {
    return ProfileDialog::edit(
        profile, create ? ProfileDialog::Mode::Create : ProfileDialog::Mode::Edit, parent);
  };
  questions_.notice = [parent](OptionNotice notice, const std::string& file) {
    NoticeDialog::tell(notice, QString::fromStdString(file), parent);
  };
}

void ProfileFileActions::run(Button button) {
  settings::SettingsImage& image = model_.working();
  const int slot = model_.shownProfile();
  const settings::SettingsFiles files(model_.programFolder());
  const ProfileFiles profiles(files);
  switch (button) {
    case Button::Create:
    case Button::Edit:
      if (questions_.editProfile(image.Profiles[slot], button == Button::Create)) view_.refresh();
      return;
    case Button::Load:
      if (const auto chosen = questions_.openFile(profiles.importStartName())) {
        if (profiles.importProfile(image, slot, *chosen))
          view_.refresh();
        else
          questions_.notice(OptionNotice::ProfileNotLoaded, *chosen);
      }
      return;
    case Button::Save:
      if (const auto chosen = questions_.saveFile(profiles.exportStartName(image.Profiles[slot]))) {
        if (profiles.isDefaultProfileFile(*chosen))
          questions_.notice(OptionNotice::ProfileFileReserved, *chosen);
        else if (!profiles.exportProfile(image, slot, *chosen))
          questions_.notice(OptionNotice::ProfileNotSaved, *chosen);
      }
      return;
  }
}

}  // namespace option
