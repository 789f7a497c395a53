#pragma once

#include <QImage>
#include <QWidget>

namespace skin {

// The thumb of a skinned slider, a child of its track (CclickHSlider). Shaped
// by its bitmap: every pixel of the top-left pixel's colour is cut away. It
// reports SliderValueMsg(value, id) to the track at every drag step and on release.
class CPHSlider : public QWidget {
  Q_OBJECT
 public:
  CPHSlider(const QImage& thumb, int trackStartX, int trackY, int trackEndX, int controlId,
            QWidget* track);

  void setRange(int minimum, int maximum);
  void setSnap(bool snap) { snap_ = snap; }
  void setDragEnabled(bool enabled) { dragEnabled_ = enabled; }
  // Clamps to [min, max] and moves the thumb there.
  void setValue(int value);
  int value() const { return value_; }
  bool isDragging() const { return dragging_; }
  // Left edge of the thumb for a value, in track coordinates.
  int positionFor(int value) const;

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void mouseMoveEvent(QMouseEvent*) override;
  void mouseReleaseEvent(QMouseEvent*) override;

 private:
  int dragTarget(QMouseEvent* event) const;
  void report();

  QImage thumb_;
  int startX_, y_, endX_;
  int controlId_;
  int minimum_ = 0;
  int maximum_ = 10;
  int value_ = 0;
  bool snap_ = false;
  bool dragEnabled_ = true;
  bool dragging_ = false;
  int grabX_ = 0;
};

}  // namespace skin
