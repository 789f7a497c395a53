#include "skin/SkinPage.h"

namespace skin {

SkinPage::SkinPage(QWidget* parent, const QImage& face, const QImage& mask) : QWidget(parent) {
  background_.setFace(face);
  background_.setMask(mask);
}

LRESULT SkinPage::handleControlMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  emit controlMessage(msg, wParam, lParam);
  return 0;
}

}  // namespace skin
