#include "skin/SkinDialog.h"

namespace skin {

SkinDialog::SkinDialog(QWidget* parent, const QImage& face, const QImage& mask) : QDialog(parent) {
  setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
  background_.setFace(face);
  background_.setMask(mask);
}

LRESULT SkinDialog::handleControlMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  emit controlMessage(msg, wParam, lParam);
  return 0;
}

}  // namespace skin
