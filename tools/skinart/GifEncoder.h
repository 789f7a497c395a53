#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <vector>

namespace skinart {

// Writes animated GIF89a files: one 256-colour palette chosen from all
// frames, LZW-compressed full-canvas frames, endless looping.
class GifEncoder {
 public:
  struct Frame {
    QImage image;      // every frame has the size of the first
    int delay = 8;     // hundredths of a second
    int disposal = 1;  // 1 keep, 2 background, 3 previous
  };

  static QByteArray encode(const std::vector<Frame>& frames, const QColor& background);
  // LZW code stream of 8-bit indices (without the sub-block framing).
  static QByteArray compress(const std::vector<std::uint8_t>& indices, int minCodeSize);
};

}  // namespace skinart
