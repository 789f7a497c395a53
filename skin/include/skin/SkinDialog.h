#pragma once

#include <QDialog>

#include "skin/SkinBackground.h"
#include "skin/SkinOwner.h"

namespace skin {

// A frameless top-level skinned window (the main window, popup dialogs):
// sized to its face, shaped by its mask, dragged by its background.
class SkinDialog : public QDialog, public SkinOwner {
  Q_OBJECT
 public:
  explicit SkinDialog(QWidget* parent = nullptr, const QImage& face = {}, const QImage& mask = {});

  void setFace(const QImage& face) { background_.setFace(face); }
  const QImage& face() const { return background_.face(); }
  void setMaskBitmap(const QImage& mask) { background_.setMask(mask); }

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
