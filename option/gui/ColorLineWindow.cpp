#include "ColorLineWindow.h"

#include <QMouseEvent>
#include <QPainter>

#include "skin/LayoutEntry.h"
#include "skin/LightPageLayout.h"
#include "skin/SkinLayout.h"
#include "skin/SkinOwner.h"
#include "skin/SkinResourceIds.h"
#include "skin/SkinResources.h"

namespace option {

ColorLineWindow::ColorLineWindow(QWidget* page) : QWidget(page) {
  setObjectName(QStringLiteral("ColorLineWindow"));
  setGeometry(skin::layoutRect(skin::parseLayout(skin::lightpage::kPreview)));
  setAttribute(Qt::WA_OpaquePaintEvent);
  for (int z = 0; z < LightPageModel::kZoneCount; ++z)
    pictures_[static_cast<std::size_t>(z)] =
        skin::SkinResources::bitmap(skin::res::kZonePreviews[z]);
  // Zones start red until the page loads the profile.
  colors_.fill(Rgb{255, 0, 0});
}

void ColorLineWindow::setColors(const std::array<Rgb, LightPageModel::kZoneCount>& colors) {
  if (colors == colors_) return;
  colors_ = colors;
  update();
}

void ColorLineWindow::setZone(int zone) {
  if (zone == zone_) return;
  zone_ = zone;
  update();
}

void ColorLineWindow::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const bool known = zone_ >= 0 && zone_ < LightPageModel::kZoneCount;
  const QImage& picture = pictures_[static_cast<std::size_t>(known ? zone_ : 0)];
  if (picture.isNull())
    p.fillRect(rect(), QColor(13, 14, 17));
  else
    p.drawImage(0, 0, picture);
  p.setRenderHint(QPainter::Antialiasing);
  for (int z = 0; z < LightPageModel::kZoneCount; ++z) {
    const Rgb c = colors_[static_cast<std::size_t>(z)];
    const QColor full(c.red, c.green, c.blue);
    const QColor half(c.red / 2, c.green / 2, c.blue / 2);
    const LightPageModel::Dot d = LightPageModel::zoneDot(z);
    const QRectF dot(d.left, d.top, d.right - d.left, d.bottom - d.top);
    // A dot with a soft rim: the grown circle filled and ringed at half
    // intensity, then the exact circle ringed in the full colour.
    p.setBrush(full);
    p.setPen(QPen(half, 1));
    p.drawEllipse(dot.adjusted(-0.5, -0.5, 0.5, 0.5));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(full, 1));
    p.drawEllipse(dot.adjusted(0.5, 0.5, -0.5, -0.5));
  }
}

void ColorLineWindow::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  const int zone = LightPageModel::zoneAt(at.x(), at.y());
  if (zone < 0) {
    event->ignore();  // the page behind drags the window
    return;
  }
  setZone(zone);
  skin::postControlMessage(parentWidget(), ZoneSelectMsg, 0, zone);
}

}  // namespace option
