#include "skin/GifAnimation.h"

#include <QPainter>

#include "skin/GifFrameSplitter.h"

namespace skin {

void GifAnimation::clear() {
  frames_.clear();
  canvas_ = QImage();
  saved_ = QImage();
  background_ = Qt::transparent;
  current_ = -1;
}

bool GifAnimation::load(const QByteArray& data) {
  clear();
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(data.constData());
  const GifSplit split = splitGif({bytes, static_cast<std::size_t>(data.size())});
  if (split.isGif && split.frames.size() > 1) {
    if (split.background)
      background_ = QColor(split.background->r, split.background->g, split.background->b);
    QRect bounds;
    for (const GifFrame& part : split.frames) {
      const QByteArray encoded(reinterpret_cast<const char*>(part.gif.data()),
                               static_cast<qsizetype>(part.gif.size()));
      QImage image = QImage::fromData(encoded, "GIF");
      if (image.isNull()) continue;  // a frame that cannot be decoded is skipped
      frames_.push_back({image.convertToFormat(QImage::Format_ARGB32_Premultiplied),
                         QPoint(part.left, part.top), part.delay, part.disposal});
      bounds |= QRect(QPoint(part.left, part.top), image.size());
    }
    if (frames_.size() > 1) {
      // The logical screen is the canvas; frames reaching past it are clipped.
      // Hostile sizes are capped rather than allocated.
      QSize canvas(split.screenWidth, split.screenHeight);
      if (canvas.isEmpty()) canvas = QSize(bounds.right() + 1, bounds.bottom() + 1);
      canvas_ = QImage(canvas.boundedTo(kMaxCanvas), QImage::Format_ARGB32_Premultiplied);
      rewind();
      return true;
    }
    if (frames_.size() == 1) {
      canvas_ = frames_.front().image;
      frames_.front().offset = QPoint();
      return true;
    }
  }
  frames_.clear();
  QImage still;
  const bool hugeScreen =
      split.screenWidth > kMaxCanvas.width() || split.screenHeight > kMaxCanvas.height();
  if (split.isGif && hugeScreen && !split.frames.empty()) {
    // A screen far larger than any picture (hostile data): show the frame alone.
    const std::vector<std::uint8_t>& gif = split.frames.front().gif;
    still = QImage::fromData(
        QByteArray(reinterpret_cast<const char*>(gif.data()), static_cast<qsizetype>(gif.size())),
        "GIF");
  } else if (!(split.isGif && hugeScreen)) {
    still = QImage::fromData(data);
  }
  if (still.isNull()) return false;
  frames_.push_back({still.convertToFormat(QImage::Format_ARGB32_Premultiplied), QPoint(), 0, 0});
  canvas_ = frames_.front().image;
  return true;
}

void GifAnimation::rewind() {
  if (!isAnimated()) return;
  canvas_.fill(background_);
  saved_ = QImage();
  current_ = -1;
}

int GifAnimation::advance() {
  if (frames_.empty()) return 100;
  if (!isAnimated()) {
    current_ = 0;
    return 100;
  }
  if (current_ >= 0) {
    const Frame& previous = frames_[static_cast<std::size_t>(current_)];
    const QRect area(previous.offset, previous.image.size());
    QPainter painter(&canvas_);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    if (previous.disposal == 3 && !saved_.isNull()) {
      painter.drawImage(area.topLeft(), saved_);
    } else if (previous.disposal == 2) {
      painter.fillRect(area, background_);
    }
  }
  if (current_ + 1 >= frameCount()) rewind();
  ++current_;
  const Frame& frame = frames_[static_cast<std::size_t>(current_)];
  const QRect area(frame.offset, frame.image.size());
  saved_ = frame.disposal == 3 ? canvas_.copy(area) : QImage();
  QPainter painter(&canvas_);
  painter.drawImage(area.topLeft(), frame.image);
  return waitMs(frame.delay);
}

}  // namespace skin
