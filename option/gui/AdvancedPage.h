#pragma once

#include <array>

#include "OptionPage.h"
#include "PageContext.h"
#include "option/AdvancedPageModel.h"
#include "skin/SkinPage.h"

namespace skin {
class CclickHSlider;
class SkinButton;
class SpinEdit;
}  // namespace skin

namespace option {

// The Advanced page: shows AdvancedPageModel and hands it what the user does.
class AdvancedPage : public skin::SkinPage, public OptionPage {
  Q_OBJECT
 public:
  explicit AdvancedPage(const PageContext& context);
  ~AdvancedPage() override;

  QWidget* widget() override { return this; }
  void refresh() override;
  void applyHelpTexts(const HelpTexts& texts) override;

  AdvancedPageModel& model() { return model_; }
  skin::SkinButton* checkBox(AdvancedPageModel::CheckBox box) const { return checks_.at(box); }
  skin::SkinButton* pollingButton(int i) const { return polling_.at(static_cast<std::size_t>(i)); }
  skin::SkinButton* liftOffButton(int i) const { return liftOff_.at(static_cast<std::size_t>(i)); }
  skin::SkinButton* recalibrateButton() const { return recalibrate_; }
  skin::SkinButton* resetButton() const { return reset_; }
  skin::CclickHSlider* slider(int id) const;

  skin::LRESULT handleControlMessage(skin::UINT msg, skin::WPARAM wParam,
                                     skin::LPARAM lParam) override;

 private:
  AdvancedPageModel::Hooks hooks(const PageContext& context);
  void sync();

  AdvancedPageModel model_;
  std::array<skin::SkinButton*, AdvancedPageModel::kCheckBoxCount> checks_{};
  std::array<skin::SkinButton*, 4> polling_{};
  std::array<skin::SkinButton*, 4> liftOff_{};
  std::array<skin::SkinButton*, 2> sfc_{};
  std::array<skin::SkinButton*, 2> snap_{};
  std::array<skin::SkinButton*, 2> alignment_{};
  skin::SkinButton* recalibrate_ = nullptr;
  skin::SkinButton* reset_ = nullptr;
  std::array<skin::CclickHSlider*, 6> sliders_{};
  skin::SpinEdit* spinX_ = nullptr;
  skin::SpinEdit* spinY_ = nullptr;
  skin::SpinEdit* alignmentSpin_ = nullptr;
};

}  // namespace option
