#pragma once

#include <QImage>
#include <QPoint>

class QMouseEvent;
class QWidget;

namespace skin {

// What every skinned page and dialog does with its background: it is the
// size of its face, paints the face in one copy and never erases first, takes
// its outline from a mask, and lets the user drag the whole top-level window
// by any bare spot of it.
class SkinBackground {
 public:
  explicit SkinBackground(QWidget* self) : self_(self) {}

  // Sizes the window to the face and repaints.
  void setFace(const QImage& face);
  const QImage& face() const { return face_; }
  // Cuts the window's outline from a mask (white is cut away); a mask without
  // any kept pixel leaves the window unshaped.
  void setMask(const QImage& mask);

  void paint();
  void mousePress(QMouseEvent* event);
  void mouseMove(QMouseEvent* event);
  void mouseRelease(QMouseEvent* event);

 private:
  QWidget* self_;
  QImage face_;
  bool dragging_ = false;
  QPoint grabOffset_;
};

}  // namespace skin
