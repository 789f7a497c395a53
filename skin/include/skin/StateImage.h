#pragma once

#include <QImage>
#include <QWidget>
#include <array>

#include "skin/LayoutEntry.h"

namespace skin {

// A static picture showing one of three bitmaps by state 0, 1 or 2.
class StateImage : public QWidget {
  Q_OBJECT
 public:
  StateImage(const LayoutEntry& layout, QWidget* parent);

  void setImages(const QImage& state0, const QImage& state1, const QImage& state2);
  // Values outside 0..2 are ignored.
  void setState(int state);
  int state() const { return state_; }

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  std::array<QImage, 3> images_;
  int state_ = 0;
};

}  // namespace skin
