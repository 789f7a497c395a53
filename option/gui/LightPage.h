#pragma once

#include <array>

#include "OptionPage.h"
#include "PageContext.h"
#include "option/LightPageModel.h"
#include "skin/SkinPage.h"

namespace skin {
class CclickHSlider;
class SkinButton;
}  // namespace skin

namespace option {

class ColorLineWindow;

// The Color page: shows LightPageModel and hands it what the user does.
class LightPage : public skin::SkinPage, public OptionPage {
  Q_OBJECT
 public:
  explicit LightPage(const PageContext& context);
  ~LightPage() override;

  QWidget* widget() override { return this; }
  void refresh() override;
  void applyHelpTexts(const HelpTexts& texts) override;

  LightPageModel& model() { return model_; }
  ColorLineWindow* preview() const { return preview_; }
  skin::SkinButton* swatch(int index) const {
    return swatches_.at(static_cast<std::size_t>(index));
  }
  skin::SkinButton* lightSwitch() const { return lightSwitch_; }
  skin::SkinButton* forAll() const { return forAll_; }
  skin::SkinButton* effect(int index) const { return effects_.at(static_cast<std::size_t>(index)); }
  skin::SkinButton* flow(int index) const { return flows_.at(static_cast<std::size_t>(index)); }
  skin::SkinButton* mode(int index) const { return modes_.at(static_cast<std::size_t>(index)); }
  skin::CclickHSlider* speed() const { return speed_; }

  skin::LRESULT handleControlMessage(skin::UINT msg, skin::WPARAM wParam,
                                     skin::LPARAM lParam) override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void sync();

  LightPageModel model_;
  ColorLineWindow* preview_ = nullptr;
  std::array<skin::SkinButton*, kPaletteSize> swatches_{};
  skin::SkinButton* lightSwitch_ = nullptr;
  skin::SkinButton* forAll_ = nullptr;
  std::array<skin::SkinButton*, 3> modes_{};
  std::array<skin::SkinButton*, 6> flows_{};
  std::array<skin::SkinButton*, 5> effects_{};
  skin::CclickHSlider* speed_ = nullptr;
  std::array<QImage, LightPageModel::kZoneCount> zoneMarks_;
};

}  // namespace option
