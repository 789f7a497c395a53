#pragma once

#include <QWidget>

#include "skin/SkinBackground.h"
#include "skin/SkinOwner.h"

namespace skin {

// A child page of a skinned window: its face, its outline, dragging the
// window by its background, and a home for its controls' messages.
class SkinPage : public QWidget, public SkinOwner {
  Q_OBJECT
 public:
  explicit SkinPage(QWidget* parent = nullptr, const QImage& face = {}, const QImage& mask = {});

  void setFace(const QImage& face) { background_.setFace(face); }
  const QImage& face() const { return background_.face(); }
  void setMaskBitmap(const QImage& mask) { background_.setMask(mask); }

  // Controls report here; the default emits controlMessage and answers 0.
  LRESULT handleControlMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 signals:
  void controlMessage(unsigned msg, quintptr wParam, qintptr lParam);

 protected:
  void paintEvent(QPaintEvent*) override { background_.paint(); }
  void mousePressEvent(QMouseEvent* e) override { background_.mousePress(e); }
  void mouseMoveEvent(QMouseEvent* e) override { background_.mouseMove(e); }
  void mouseReleaseEvent(QMouseEvent* e) override { background_.mouseRelease(e); }

 private:
  SkinBackground background_{this};
};

}  // namespace skin
