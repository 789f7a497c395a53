#pragma once

#include <array>

#include "SmallDialog.h"
#include "settings/SettingsImage.h"

namespace option {

// A profile's name and the three programs that switch the mouse to it. OK
// writes those four fields of the profile and nothing else.
class ProfileDialog : public SmallDialog {
  Q_OBJECT
 public:
  enum class Mode { Edit, Create };  // Create starts with empty entries

  ProfileDialog(settings::Profile& profile, Mode mode, QWidget* parent = nullptr);

  // True when the user pressed OK (the profile then holds the entries).
  static bool edit(settings::Profile& profile, Mode mode, QWidget* parent);

  skin::BitmapEdit* nameField() const { return name_; }
  skin::BitmapEdit* gameField(int row) const { return games_[row]; }
  skin::SkinButton* browseButton(int row) const { return browse_[row]; }

 protected:
  void onOk() override;

 private:
  settings::Profile& profile_;
  skin::BitmapEdit* name_;
  std::array<skin::BitmapEdit*, 3> games_{};
  std::array<skin::SkinButton*, 3> browse_{};
};

}  // namespace option
