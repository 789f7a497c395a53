#pragma once

#include <QImage>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace skin {

// Numbered bitmaps a window is about to need, decoded on worker threads
// while the program creates its application object and builds the window.
// While it exists, SkinResources::bitmap hands out each of its pictures once
// instead of decoding it again; a picture asked for before a worker began it
// is decoded by the asking thread, one a worker is decoding is waited for.
// One per program at a time, made and destroyed on the user-interface thread
// after the program folder is set.
class PicturePrefetch {
 public:
  // Decodes the numbers in this order on the given number of threads.
  explicit PicturePrefetch(const std::vector<int>& numbers, int workers = 2);
  // Waits for the pictures being decoded and drops the others.
  ~PicturePrefetch();
  PicturePrefetch(const PicturePrefetch&) = delete;
  PicturePrefetch& operator=(const PicturePrefetch&) = delete;

  // The prefetched picture of number, handed out once; nothing when no
  // prefetch exists, it does not hold the number or handed it out already.
  static std::optional<QImage> take(int number);

  // A picture file as the skin keeps it: opaque pictures as RGB32, others as
  // premultiplied ARGB32; null when missing or unreadable.
  static QImage decode(const QString& path);

 private:
  enum class State { Queued, Decoding, Done, Taken };
  struct Entry {
    QString path;
    State state = State::Queued;
    QImage image;
  };

  void work();
  std::optional<QImage> claim(int number);

  std::mutex mutex_;
  std::condition_variable decoded_;
  std::map<int, Entry> entries_;
  std::vector<int> queue_;
  std::size_t next_ = 0;
  bool stopping_ = false;
  std::vector<std::thread> workers_;

  static std::atomic<PicturePrefetch*> current_;
};

}  // namespace skin
