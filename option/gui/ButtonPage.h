#pragma once

#include <QImage>
#include <QPoint>
#include <array>
#include <map>
#include <memory>

#include "OptionPage.h"
#include "PageContext.h"
#include "option/ButtonPageModel.h"
#include "skin/PageSheets.h"
#include "skin/SkinPage.h"

class QLabel;

namespace skin {
class CoolMenu;
class SkinButton;
}  // namespace skin

namespace option {

// The Button Assign page: the 24 bars of ButtonPageModel, their function
// menus drawn by the skinned popup menu, and the highlight picture of the
// hovered bar.
class ButtonPage : public skin::SkinPage, public OptionPage {
  Q_OBJECT
 public:
  // Without `dialogs` the page asks the user through its own dialogs.
  explicit ButtonPage(const PageContext& context, ButtonAssignDialogs* dialogs = nullptr);
  ~ButtonPage() override;

  QWidget* widget() override { return this; }
  void refresh() override;
  void applyHelpTexts(const HelpTexts& texts) override;

  ButtonPageModel& model() { return *model_; }
  skin::SkinButton* bar(int slot) const { return bars_.at(static_cast<std::size_t>(slot)); }
  skin::SkinButton* macroManagerButton() const { return macroManager_; }
  skin::SkinButton* orientationButton(int i) const {
    return orientation_.at(static_cast<std::size_t>(i));
  }
  // The highlight picture on show (model numbering), -1 for none.
  int shownPicture() const { return model_->shownPicture(); }
  QLabel* pictureLabel(int picture) const { return picture < 12 ? leftPicture_ : rightPicture_; }

  // The function menu of a slot as the page shows it (for tests and the gallery).
  std::unique_ptr<skin::CoolMenu> buildMenu(int slot);
  // What a bar click does after the model agreed to open the menu: by default
  // the menu runs modally; a test may answer it instead.
  using MenuRunner = std::function<int(skin::CoolMenu& menu, const QPoint& at)>;
  void setMenuRunner(MenuRunner runner) { runMenu_ = std::move(runner); }

  skin::LRESULT handleControlMessage(skin::UINT msg, skin::WPARAM wParam,
                                     skin::LPARAM lParam) override;

 private:
  void barClicked(int slot);
  void refreshBars();
  void showPicture();
  void applyOrientation();
  const QImage& highlight(int picture);

  std::unique_ptr<ButtonAssignDialogs> ownDialogs_;
  std::unique_ptr<ButtonPageModel> model_;
  std::array<skin::SkinButton*, ButtonPageModel::kSlots> bars_{};
  std::array<skin::SkinButton*, 2> orientation_{};
  skin::SkinButton* macroManager_ = nullptr;
  QLabel* leftPicture_ = nullptr;
  QLabel* rightPicture_ = nullptr;
  QImage faceRight_, faceLeft_;
  skin::ControlPictures fixedBar_, assignableBar_;
  std::map<int, QImage> highlights_;  // by bitmap number, loaded when first shown
  MenuRunner runMenu_;
};

}  // namespace option
