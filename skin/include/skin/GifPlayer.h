#pragma once

#include <QWidget>
#include <memory>

#include "skin/GifAnimation.h"
#include "skin/LayoutEntry.h"

namespace skin {

// An animated (or still) picture. The animation runs on a worker thread of
// its own that draws into the player's canvas and asks the widget to repaint;
// stop() ends it within 5000 ms (a thread that does not end by then is left
// to finish on its own, holding nothing of the widget).
class GifPlayer : public QWidget {
  Q_OBJECT
 public:
  explicit GifPlayer(QWidget* parent = nullptr);
  GifPlayer(const LayoutEntry& layout, QWidget* parent);
  ~GifPlayer() override;

  // A path in the programs' form, relative to the program folder, or an
  // absolute path. False when nothing could be read or decoded.
  bool loadFile(const QString& path);
  bool loadData(const QByteArray& data);
  // Stops and releases all pictures.
  void unload();

  // Animations start their thread; a still picture is simply shown.
  void play();
  void stop();
  bool isPlaying() const;
  // Off: the animation plays once and then shows its first frame again.
  void setLoop(bool loop) { loop_ = loop; }

  int frameCount() const;
  bool isAnimated() const;
  QColor backgroundColor() const;
  // A copy of what the player shows now.
  QImage currentImage() const;

  static constexpr int kStopTimeoutMs = 5000;

 signals:
  void finished();  // a play-once animation came to its end

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  struct Shared;
  std::shared_ptr<Shared> shared_;
  bool loop_ = true;
};

}  // namespace skin
