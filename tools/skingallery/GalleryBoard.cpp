#include "GalleryBoard.h"

#include <QPainter>

#include "skin/SkinResources.h"

namespace {
constexpr int kMargin = 24;
constexpr int kGap = 22;
constexpr int kCaptionHeight = 16;
}  // namespace

GalleryBoard::GalleryBoard(int width) { resize(width, 100); }

int GalleryBoard::beginRow(const QString& heading, int height) {
  rowTop_ = bottom_ + 14;
  captions_.push_back({QRect(kMargin, rowTop_, width() - 2 * kMargin, 18), heading, true});
  rowTop_ += 26;
  rowHeight_ = height;
  nextX_ = kMargin;
  bottom_ = rowTop_ + height + kCaptionHeight + 6;
  resize(width(), bottom_ + 16);
  return rowTop_;
}

void GalleryBoard::place(QWidget* control, const QString& caption) {
  control->setParent(this);
  const int y = rowTop_ + (rowHeight_ - control->height()) / 2;
  control->move(nextX_, y);
  control->show();
  const int columnWidth = std::max(control->width(), 84);
  captions_.push_back({QRect(nextX_ - 4, rowTop_ + rowHeight_ + 4, columnWidth + 8, kCaptionHeight),
                       caption, false});
  nextX_ += columnWidth + kGap;
}

QImage GalleryBoard::render() {
  QImage image(size(), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QWidget::render(&image);
  return image;
}

void GalleryBoard::paintEvent(QPaintEvent*) {
  QPainter p(this);
  QLinearGradient g(0, 0, 0, height());
  g.setColorAt(0, QColor(20, 21, 25));
  g.setColorAt(1, QColor(11, 12, 14));
  p.fillRect(rect(), g);
  for (const Caption& c : captions_) {
    if (c.heading) {
      p.fillRect(QRect(c.rect.left(), c.rect.top() + 3, 3, 12), QColor(53, 160, 222));
      p.setFont(skin::SkinResources::arialFont(12, 0, QFont::Bold));
      p.setPen(QColor(224, 224, 224));
      p.drawText(c.rect.adjusted(10, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, c.text.toUpper());
      p.fillRect(QRect(c.rect.left(), c.rect.bottom() + 3, c.rect.width(), 1), QColor(44, 48, 56));
    } else {
      p.setFont(skin::SkinResources::arialFont(11));
      p.setPen(QColor(138, 144, 154));
      p.drawText(c.rect, Qt::AlignLeft | Qt::AlignVCenter, c.text);
    }
  }
}
