#include "skin/GifPlayer.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "skin/SkinLayout.h"
#include "skin/SkinResources.h"

namespace skin {

// Everything the worker thread touches lives here, so that an abandoned
// thread keeps its own copy alive and never reaches into a dead widget.
struct GifPlayer::Shared {
  std::mutex mutex;
  std::condition_variable stopEvent;
  std::condition_variable doneEvent;
  GifAnimation animation;
  QWidget* target = nullptr;  // cleared (under the mutex) when the thread is abandoned
  std::thread thread;
  bool stopFlag = false;
  bool running = false;
  bool loop = true;

  void invalidate() {
    if (target)
      QMetaObject::invokeMethod(target, qOverload<>(&QWidget::update), Qt::QueuedConnection);
  }
  void finishedOnce() {
    if (target) QMetaObject::invokeMethod(target, "finished", Qt::QueuedConnection);
  }

  static void run(std::shared_ptr<Shared> self) {
    std::unique_lock lock(self->mutex);
    while (!self->stopFlag) {
      if (!self->loop && self->animation.atLastFrame()) {
        self->animation.rewind();
        self->animation.advance();
        self->invalidate();
        self->finishedOnce();
        break;
      }
      const int waitMs = self->animation.advance();
      self->invalidate();
      self->stopEvent.wait_for(lock, std::chrono::milliseconds(waitMs),
                               [&] { return self->stopFlag; });
    }
    self->running = false;
    self->doneEvent.notify_all();
  }
};

GifPlayer::GifPlayer(QWidget* parent) : QWidget(parent), shared_(std::make_shared<Shared>()) {
  shared_->target = this;
}

GifPlayer::GifPlayer(const LayoutEntry& layout, QWidget* parent) : GifPlayer(parent) {
  applyLayout(this, layout);
}

GifPlayer::~GifPlayer() { unload(); }

bool GifPlayer::loadFile(const QString& path) {
  QByteArray data;
  if (QFileInfo(path).isAbsolute()) {
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) data = file.readAll();
  } else {
    data = SkinResources::fileData(path);
  }
  if (data.isEmpty()) {
    unload();
    return false;
  }
  return loadData(data);
}

bool GifPlayer::loadData(const QByteArray& data) {
  unload();
  bool ok = false;
  {
    std::lock_guard lock(shared_->mutex);
    ok = shared_->animation.load(data);
    if (ok && shared_->animation.isAnimated()) shared_->animation.advance();
  }
  update();
  return ok;
}

void GifPlayer::unload() {
  stop();
  std::lock_guard lock(shared_->mutex);
  shared_->animation.clear();
}

void GifPlayer::play() {
  stop();
  std::lock_guard lock(shared_->mutex);
  if (!shared_->animation.isAnimated()) {
    update();
    return;
  }
  shared_->animation.rewind();
  shared_->loop = loop_;
  shared_->stopFlag = false;
  shared_->running = true;
  shared_->thread = std::thread(&Shared::run, shared_);
}

void GifPlayer::stop() {
  std::unique_lock lock(shared_->mutex);
  if (!shared_->thread.joinable()) return;
  shared_->stopFlag = true;
  shared_->stopEvent.notify_all();
  const bool ended = shared_->doneEvent.wait_for(lock, std::chrono::milliseconds(kStopTimeoutMs),
                                                 [&] { return !shared_->running; });
  if (ended) {
    lock.unlock();
    shared_->thread.join();
    lock.lock();
    shared_->stopFlag = false;
    return;
  }
  // Abandon the thread with its state; carry on with a fresh copy of the pictures.
  shared_->target = nullptr;
  shared_->thread.detach();
  auto fresh = std::make_shared<Shared>();
  fresh->animation = shared_->animation;
  fresh->target = this;
  lock.unlock();
  shared_ = std::move(fresh);
}

bool GifPlayer::isPlaying() const {
  std::lock_guard lock(shared_->mutex);
  return shared_->running;
}

int GifPlayer::frameCount() const {
  std::lock_guard lock(shared_->mutex);
  return shared_->animation.frameCount();
}

bool GifPlayer::isAnimated() const {
  std::lock_guard lock(shared_->mutex);
  return shared_->animation.isAnimated();
}

QColor GifPlayer::backgroundColor() const {
  std::lock_guard lock(shared_->mutex);
  return shared_->animation.background();
}

QImage GifPlayer::currentImage() const {
  std::lock_guard lock(shared_->mutex);
  return shared_->animation.canvas().copy();
}

void GifPlayer::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  std::lock_guard lock(shared_->mutex);
  const QImage& canvas = shared_->animation.canvas();
  if (!canvas.isNull()) painter.drawImage(QPoint(0, 0), canvas);
}

}  // namespace skin
