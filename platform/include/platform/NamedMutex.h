#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

// A named mutex shared by the processes of the user's desktop session (the
// runtime folder): a process-shared robust mutex, so a holder that dies never
// blocks the others.
namespace platform {

class NamedMutex {
 public:
  enum class Created { New, AlreadyExisted };
  enum class Wait { Acquired, AbandonedAcquired, TimedOut, Failed };
  static constexpr std::int64_t kInfinite = -1;

  // Creates the mutex unowned; reports whether it already existed.
  // nullptr on failure.
  static std::unique_ptr<NamedMutex> create(std::string_view name, Created* created = nullptr);
  // Opens an existing mutex; nullptr when there is none.
  static std::unique_ptr<NamedMutex> open(std::string_view name);
  ~NamedMutex();
  NamedMutex(const NamedMutex&) = delete;
  NamedMutex& operator=(const NamedMutex&) = delete;

  // AbandonedAcquired: the previous holder died while holding it; the caller
  // owns it now.
  Wait lock(std::int64_t timeoutMs = kInfinite);
  void unlock();

 private:
  NamedMutex() = default;
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// Holds a NamedMutex for a scope; ok() is false when the wait failed.
class NamedMutexLock {
 public:
  explicit NamedMutexLock(NamedMutex& m, std::int64_t timeoutMs = NamedMutex::kInfinite)
      : mutex_(m), result_(m.lock(timeoutMs)) {}
  ~NamedMutexLock() {
    if (ok()) mutex_.unlock();
  }
  NamedMutexLock(const NamedMutexLock&) = delete;
  NamedMutexLock& operator=(const NamedMutexLock&) = delete;
  bool ok() const {
    return result_ == NamedMutex::Wait::Acquired || result_ == NamedMutex::Wait::AbandonedAcquired;
  }

 private:
  NamedMutex& mutex_;
  NamedMutex::Wait result_;
};

// Single-instance guard by name: a file lock the kernel releases when the
// process dies.
class SingleInstance {
 public:
  // nullptr when another live process holds the name.
  static std::unique_ptr<SingleInstance> acquire(std::string_view name);
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

 private:
  SingleInstance() = default;
  int fd_ = -1;
};

}  // namespace platform
