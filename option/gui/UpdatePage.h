#pragma once

#include <array>

#include "OptionPage.h"
#include "PageContext.h"
#include "option/UpdatePageModel.h"
#include "skin/SkinPage.h"

namespace skin {
class SkinButton;
}

namespace option {

class MainDialogModel;

// The Update page: the versions, and buttons that open the maker's support
// resources in the browser or the mail program.
class UpdatePage : public skin::SkinPage, public OptionPage {
  Q_OBJECT
 public:
  explicit UpdatePage(const PageContext& context);
  ~UpdatePage() override;

  QWidget* widget() override { return this; }
  // Rebuilds the links and labels from the version texts.
  void refresh() override;
  void applyHelpTexts(const HelpTexts& texts) override;

  const UpdatePageModel& model() const { return model_; }
  skin::SkinButton* button(UpdatePageModel::Button which) const {
    return buttons_.at(static_cast<std::size_t>(which));
  }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  MainDialogModel& dialog_;
  UpdatePageModel model_;
  std::array<skin::SkinButton*, UpdatePageModel::kButtonCount> buttons_{};
};

}  // namespace option
