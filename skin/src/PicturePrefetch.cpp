#include "skin/PicturePrefetch.h"

#include <QImageReader>

#include "skin/SkinResourceIds.h"
#include "skin/SkinResources.h"

namespace skin {

std::atomic<PicturePrefetch*> PicturePrefetch::current_{nullptr};

PicturePrefetch::PicturePrefetch(const std::vector<int>& numbers, int workers) {
  for (int number : numbers) {
    if (entries_.count(number)) continue;
    // Paths are resolved here: the program folder belongs to this thread.
    entries_[number].path = SkinResources::resolve(QString::fromStdString(res::bitmapPath(number)));
    queue_.push_back(number);
  }
  // Reading one header here sets up Qt's image format lookup on this thread
  // rather than on a worker that ends before the program does.
  if (!queue_.empty()) QImageReader(entries_[queue_.front()].path).imageFormat();
  current_.store(this);
  for (int i = 0; i < workers && i < static_cast<int>(queue_.size()); ++i)
    workers_.emplace_back([this] { work(); });
}

PicturePrefetch::~PicturePrefetch() {
  current_.store(nullptr);
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  for (std::thread& worker : workers_) worker.join();
}

void PicturePrefetch::work() {
  std::unique_lock lock(mutex_);
  while (!stopping_ && next_ < queue_.size()) {
    Entry& entry = entries_[queue_[next_++]];
    if (entry.state != State::Queued) continue;
    entry.state = State::Decoding;
    const QString path = entry.path;
    lock.unlock();
    QImage image = decode(path);
    lock.lock();
    entry.image = std::move(image);
    entry.state = State::Done;
    decoded_.notify_all();
  }
}

std::optional<QImage> PicturePrefetch::claim(int number) {
  std::unique_lock lock(mutex_);
  const auto found = entries_.find(number);
  if (found == entries_.end()) return std::nullopt;
  Entry& entry = found->second;
  switch (entry.state) {
    case State::Taken:
      return std::nullopt;
    case State::Queued: {
      // No worker has begun it: decoding it here is sooner than waiting.
      entry.state = State::Taken;
      const QString path = entry.path;
      lock.unlock();
      return decode(path);
    }
    case State::Decoding:
      decoded_.wait(lock, [&entry] { return entry.state == State::Done; });
      [[fallthrough]];
    case State::Done:
      break;
  }
  entry.state = State::Taken;
  return std::exchange(entry.image, QImage());
}

std::optional<QImage> PicturePrefetch::take(int number) {
  PicturePrefetch* prefetch = current_.load();
  return prefetch ? prefetch->claim(number) : std::nullopt;
}

QImage PicturePrefetch::decode(const QString& path) {
  QImage image(path);
  if (image.isNull()) return {};
  // Opaque art stays opaque: no second pass over every sheet, and controls
  // cut from it paint without their window painting underneath first.
  image.convertTo(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                          : QImage::Format_RGB32);
  return image;
}

}  // namespace skin
