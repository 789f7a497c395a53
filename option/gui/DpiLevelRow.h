#pragma once

#include <QWidget>
#include <functional>

#include "skin/PageSheets.h"
#include "skin/SkinOwner.h"

namespace skin {
class CclickHSlider;
class SkinButton;
class SpinEdit;
}  // namespace skin

namespace option {

class DpiLevelRowModel;

// One DPI level on the Main page (375 x 49): the level's bar, its enable and
// link boxes, X and Y sliders and spins. Input goes to the row's model; the
// row then shows the model again and tells the page.
class DpiLevelRow : public QWidget, public skin::SkinOwner {
  Q_OBJECT
 public:
  DpiLevelRow(const QRect& place, const skin::PageSheets& pageSheets, DpiLevelRowModel& model,
              std::function<void()> changed, QWidget* page);

  // Cuts the row's and its controls' pictures from the page's sheets at the
  // row's place.
  void setSheets(const skin::PageSheets& pageSheets);
  // Shows the model's values, flags and current mark.
  void sync();
  void setHelpText(const QString& help);

  skin::SkinButton* bar() const { return bar_; }
  skin::SkinButton* enableBox() const { return enable_; }
  skin::SkinButton* linkBox() const { return link_; }
  skin::CclickHSlider* xSlider() const { return xSlider_; }
  skin::CclickHSlider* ySlider() const { return ySlider_; }
  skin::SpinEdit* xSpin() const { return xSpin_; }
  skin::SpinEdit* ySpin() const { return ySpin_; }

  skin::LRESULT handleControlMessage(skin::UINT msg, skin::WPARAM wParam,
                                     skin::LPARAM lParam) override;

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent*) override;

 private:
  DpiLevelRowModel& model_;
  std::function<void()> changed_;
  skin::ControlPictures pictures_;
  skin::SkinButton* bar_;
  skin::SkinButton* enable_;
  skin::SkinButton* link_;
  skin::CclickHSlider* xSlider_;
  skin::CclickHSlider* ySlider_;
  skin::SpinEdit* xSpin_;
  skin::SpinEdit* ySpin_;
};

}  // namespace option
