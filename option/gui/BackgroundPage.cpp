#include "BackgroundPage.h"

#include "skin/LayoutEntry.h"
#include "skin/MainWindowLayout.h"
#include "skin/SkinLayout.h"
#include "skin/SkinResourceIds.h"
#include "skin/SkinResources.h"

namespace option {

BackgroundPage::BackgroundPage(QWidget* parent, int faceBitmap) : skin::SkinPage(parent) {
  const QRect place = skin::layoutRect(skin::parseLayout(skin::mainwindow::kPagePosition));
  const QImage face = faceBitmap > 0 ? skin::SkinResources::bitmap(faceBitmap) : QImage();
  if (!face.isNull()) {
    setFace(face);
    setMaskBitmap(skin::SkinResources::bitmap(skin::res::kPageMask));
  }
  setGeometry(place);
}

}  // namespace option
