#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPoint>
#include <vector>

namespace skin {

// The pictures of one GIF and the canvas an animation draws them on. Data
// of several frames is split block by block and every frame is decoded on
// its own; a single frame, or data that is not a GIF at all, becomes one
// still picture. Not thread-safe: GifPlayer guards it.
class GifAnimation {
 public:
  struct Frame {
    QImage image;
    QPoint offset;
    int delay = 0;  // hundredths of a second
    int disposal = 0;
  };

  // False when nothing could be decoded (the animation is then empty).
  bool load(const QByteArray& data);
  void clear();

  bool isEmpty() const { return frames_.empty(); }
  bool isAnimated() const { return frames_.size() > 1; }
  int frameCount() const { return static_cast<int>(frames_.size()); }
  const Frame& frame(int i) const { return frames_[static_cast<std::size_t>(i)]; }
  QColor background() const { return background_; }
  QSize size() const { return canvas_.size(); }

  // Draws the next frame: first the previous frame's disposal (restore what
  // was under it for method 3, background for 2); after the last frame the
  // canvas is filled with the background and the round starts again.
  // Returns how long the frame stays, in milliseconds (100 for delays of 4
  // hundredths or less).
  int advance();
  // Background everywhere, the next advance draws the first frame.
  void rewind();
  // The frame drawn last, or -1 before the first advance of a round.
  int currentFrame() const { return current_; }
  bool atLastFrame() const { return current_ == frameCount() - 1; }
  const QImage& canvas() const { return canvas_; }

  static int waitMs(int delay) { return delay <= 4 ? 100 : delay * 10; }
  static constexpr QSize kMaxCanvas{1024, 1024};

 private:
  std::vector<Frame> frames_;
  QColor background_ = Qt::transparent;
  QImage canvas_;
  QImage saved_;  // what lay under the current frame (disposal 3)
  int current_ = -1;
};

}  // namespace skin
