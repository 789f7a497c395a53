#include "skin/PageSheets.h"

#include <QPainter>

#include "skin/SkinResources.h"

namespace skin {

QImage cutImage(const QImage& sheet, const QRect& rect) {
  if (sheet.isNull() || rect.isEmpty()) return {};
  if (sheet.rect().contains(rect)) return sheet.copy(rect);
  QImage out(rect.size(), QImage::Format_ARGB32_Premultiplied);
  out.fill(Qt::transparent);
  QPainter painter(&out);
  painter.drawImage(QPoint(0, 0), sheet, rect);
  return out;
}

PageSheets::PageSheets(QImage normal, QImage hover, QImage pressed, QImage disabled)
    : normal_(std::move(normal)),
      hover_(std::move(hover)),
      pressed_(std::move(pressed)),
      disabled_(std::move(disabled)) {}

PageSheets PageSheets::fromResources(int normal, int hover, int pressed, int disabled) {
  return PageSheets(SkinResources::bitmap(normal), SkinResources::bitmap(hover),
                    SkinResources::bitmap(pressed), SkinResources::bitmap(disabled));
}

ControlPictures PageSheets::cut(const QRect& rect) const {
  return {cutImage(normal_, rect), cutImage(hover_, rect), cutImage(pressed_, rect),
          cutImage(disabled_, rect)};
}

ControlPictures PageSheets::cut(const ControlPictures& from, const QRect& rect) {
  return {cutImage(from.normal, rect), cutImage(from.hover, rect), cutImage(from.pressed, rect),
          cutImage(from.disabled, rect)};
}

}  // namespace skin
