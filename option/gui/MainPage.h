#pragma once

#include <array>
#include <memory>

#include "OptionPage.h"
#include "PageContext.h"
#include "option/MainPageModel.h"
#include "skin/PageSheets.h"
#include "skin/SkinPage.h"

namespace skin {
class CclickHSlider;
class DoubleClickTestButton;
class SkinButton;
class SpinEdit;
}  // namespace skin

namespace option {

class DpiLevelRow;

// The Main page: shows MainPageModel and hands it what the user does.
class MainPage : public skin::SkinPage, public OptionPage {
  Q_OBJECT
 public:
  explicit MainPage(const PageContext& context);
  ~MainPage() override;

  QWidget* widget() override { return this; }
  void refresh() override;
  void applyHelpTexts(const HelpTexts& texts) override;

  MainPageModel& model() { return model_; }
  skin::CclickHSlider* slider(int id) const;
  skin::SpinEdit* sensitivitySpin() const { return spin_; }
  skin::SkinButton* pageModeButton(int mode) const { return pageMode_.at(mode ? 1 : 0); }
  DpiLevelRow* row(int index) const { return rows_.at(static_cast<std::size_t>(index)); }

  skin::LRESULT handleControlMessage(skin::UINT msg, skin::WPARAM wParam,
                                     skin::LPARAM lParam) override;

  // Decodes the hover sheet the first paint goes without and cuts the
  // controls' pictures again; once, right after the page's first paint or
  // sooner when the pointer reaches a button.
  void completeSheets();
  bool sheetsComplete() const { return sheetsComplete_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void sync();
  void cutControlPictures();

  MainPageModel model_;
  skin::PageSheets sheets_;
  bool sheetsComplete_ = false;
  bool completionQueued_ = false;
  std::array<skin::CclickHSlider*, 4> sliders_{};
  skin::SpinEdit* spin_ = nullptr;
  std::array<skin::SkinButton*, 2> pageMode_{};
  std::array<DpiLevelRow*, MainPageModel::kRowCount> rows_{};
  skin::DoubleClickTestButton* doubleClickTest_ = nullptr;
};

}  // namespace option
