#pragma once

#include <QApplication>
#include <QCoreApplication>
#include <QImage>
#include <QWidget>
#include <cstdint>
#include <vector>

#include "skin/SkinOwner.h"

namespace skintest {

inline void ensureApp() {
  static int argc = 1;
  static char name[] = "skin_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);  // lives for the whole test run
  (void)app;
}

// Runs everything posted so far (the controls' posted messages).
inline void drain() {
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

struct Message {
  skin::UINT msg;
  skin::WPARAM wParam;
  skin::LPARAM lParam;
  bool operator==(const Message&) const = default;
};

// Makes sure the application exists before any widget base is built.
struct ApplicationFirst {
  ApplicationFirst() { ensureApp(); }
};

// A window hosting controls that remembers every message they sent it.
class RecordingOwner : private ApplicationFirst, public QWidget, public skin::SkinOwner {
 public:
  RecordingOwner() { resize(400, 300); }
  skin::LRESULT handleControlMessage(skin::UINT msg, skin::WPARAM w, skin::LPARAM l) override {
    messages.push_back({msg, w, l});
    return 0;
  }
  std::vector<Message> of(skin::UINT msg) const {
    std::vector<Message> out;
    for (const Message& m : messages)
      if (m.msg == msg) out.push_back(m);
    return out;
  }
  std::vector<int> values(skin::UINT msg) const {
    std::vector<int> out;
    for (const Message& m : of(msg)) out.push_back(static_cast<int>(m.wParam));
    return out;
  }
  std::vector<Message> messages;
};

// A slider thumb: magenta key around a grey body.
inline QImage makeThumb(int w, int h) {
  QImage thumb(w, h, QImage::Format_RGB32);
  thumb.fill(QColor(255, 0, 255));
  for (int y = 1; y < h; ++y)
    for (int x = 1; x < w - 1; ++x) thumb.setPixel(x, y, qRgb(90, 90, 90));
  return thumb;
}

// Hand-made GIF data: a screen with a two-entry global table and frames of
// one pixel, each with its own one-entry colour and optional control block.
struct GifFrameSpec {
  int left = 0, top = 0;
  std::uint8_t r = 0, g = 0, b = 0;
  int delay = 0;
  int disposal = 0;
  bool control = true;
};

inline std::vector<std::uint8_t> makeGif(int width, int height,
                                         const std::vector<GifFrameSpec>& frames,
                                         std::uint8_t backgroundIndex = 1) {
  std::vector<std::uint8_t> d = {'G', 'I', 'F', '8', '9', 'a'};
  auto word = [&](int v) {
    d.push_back(static_cast<std::uint8_t>(v & 0xFF));
    d.push_back(static_cast<std::uint8_t>(v >> 8));
  };
  word(width);
  word(height);
  d.insert(d.end(), {0x80, backgroundIndex, 0});
  d.insert(d.end(), {10, 20, 30, 40, 50, 60});  // global table: two colours
  for (const GifFrameSpec& f : frames) {
    if (f.control) {
      d.insert(d.end(), {0x21, 0xF9, 4, static_cast<std::uint8_t>(f.disposal << 2)});
      word(f.delay);
      d.insert(d.end(), {0, 0});
    }
    d.push_back(0x2C);
    word(f.left);
    word(f.top);
    word(1);
    word(1);
    d.push_back(0x80);  // local table of two entries
    d.insert(d.end(), {f.r, f.g, f.b, 0, 0, 0});
    d.insert(d.end(), {2, 2, 0x44, 0x01, 0});  // LZW: clear, index 0, end
  }
  d.push_back(0x3B);
  return d;
}

}  // namespace skintest
