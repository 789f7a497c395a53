#pragma once

#include <QColor>
#include <QWidget>

#include "skin/LayoutEntry.h"

namespace skin {

// A flat progress bar in the skin's colours (background RGB 161,161,161 and
// bar RGB 60,136,191 unless the window sets others).
class SkinProgressBar : public QWidget {
  Q_OBJECT
 public:
  SkinProgressBar(const LayoutEntry& layout, QWidget* parent);

  void setRange(int minimum, int maximum);
  void setStep(int step) { step_ = step; }
  // Clamped to the range.
  void setPosition(int position);
  void stepIt() { setPosition(position_ + step_); }
  int position() const { return position_; }
  int minimum() const { return minimum_; }
  int maximum() const { return maximum_; }
  void setColors(const QColor& background, const QColor& bar);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  int minimum_ = 0;
  int maximum_ = 100;
  int step_ = 10;
  int position_ = 0;
  QColor background_{161, 161, 161};
  QColor bar_{60, 136, 191};
};

}  // namespace skin
