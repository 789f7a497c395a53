#include "platform/NamedMutex.h"

#include <pthread.h>

#include <atomic>
#include <cerrno>
#include <ctime>

#include "SharedObject.h"

namespace platform {
namespace {

constexpr std::string_view kKind = "mutex";
constexpr std::uint32_t kMagic = 0x5645534Du;  // marks a block whose mutex is initialised

// The content of the mutex's shared object.
struct MutexBlock {
  std::atomic<std::uint32_t> magic;
  pthread_mutex_t mutex;
};

// A process-shared robust mutex, recursive like the system's mutexes: the
// owning thread may wait on it again.
bool initialiseMutex(pthread_mutex_t* mutex) {
  pthread_mutexattr_t attr;
  if (pthread_mutexattr_init(&attr) != 0) return false;
  const bool ok = pthread_mutexattr_setpshared(&attr, PTHREAD_PROCESS_SHARED) == 0 &&
                  pthread_mutexattr_setrobust(&attr, PTHREAD_MUTEX_ROBUST) == 0 &&
                  pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_RECURSIVE) == 0 &&
                  pthread_mutex_init(mutex, &attr) == 0;
  pthread_mutexattr_destroy(&attr);
  return ok;
}

timespec deadlineAfter(std::int64_t ms) {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  t.tv_sec += static_cast<time_t>(ms / 1000);
  t.tv_nsec += static_cast<long>((ms % 1000) * 1000000);
  if (t.tv_nsec >= 1000000000L) {
    t.tv_sec += 1;
    t.tv_nsec -= 1000000000L;
  }
  return t;
}

}  // namespace

struct NamedMutex::Impl {
  std::unique_ptr<detail::SharedObject> object;
  MutexBlock* block = nullptr;
  std::atomic<int> holds{0};  // acquisitions through this handle not yet released
};

std::unique_ptr<NamedMutex> NamedMutex::create(std::string_view name, Created* created) {
  bool initialised = true;
  auto object = detail::SharedObject::attach(
      kKind, name, sizeof(MutexBlock), detail::SharedObject::Mode::Create,
      [&initialised](std::byte* data, bool fresh) {
        auto* block = reinterpret_cast<MutexBlock*>(data);
        // A block still mapped by openers of the dead creator keeps its mutex:
        // they may hold or wait on it, and its robustness covers the dead owner.
        if (!fresh && block->magic.load(std::memory_order_acquire) == kMagic) return;
        initialised = initialiseMutex(&block->mutex);
        if (initialised) block->magic.store(kMagic, std::memory_order_release);
      });
  if (!object || !initialised) return nullptr;
  auto* block = reinterpret_cast<MutexBlock*>(object->data());
  if (block->magic.load(std::memory_order_acquire) != kMagic) return nullptr;
  if (created) *created = object->alreadyExisted() ? Created::AlreadyExisted : Created::New;
  std::unique_ptr<NamedMutex> mutex(new NamedMutex);
  mutex->impl_ = std::make_unique<Impl>();
  mutex->impl_->block = block;
  mutex->impl_->object = std::move(object);
  return mutex;
}

std::unique_ptr<NamedMutex> NamedMutex::open(std::string_view name) {
  auto object = detail::SharedObject::attach(kKind, name, sizeof(MutexBlock),
                                             detail::SharedObject::Mode::Open);
  if (!object) return nullptr;
  auto* block = reinterpret_cast<MutexBlock*>(object->data());
  if (block->magic.load(std::memory_order_acquire) != kMagic) return nullptr;
  std::unique_ptr<NamedMutex> mutex(new NamedMutex);
  mutex->impl_ = std::make_unique<Impl>();
  mutex->impl_->block = block;
  mutex->impl_->object = std::move(object);
  return mutex;
}

// A handle closed while one of our threads still holds the mutex leaves the
// holder owning it, as the system does; the mapping stays so that the kernel
// can still mark the mutex abandoned when that thread ends.
NamedMutex::~NamedMutex() {
  if (impl_ && impl_->holds.load() > 0) impl_->object->keepMappedUntilExit();
}

NamedMutex::Wait NamedMutex::lock(std::int64_t timeoutMs) {
  pthread_mutex_t* m = &impl_->block->mutex;
  int rc = 0;
  if (timeoutMs < 0) {
    rc = pthread_mutex_lock(m);
  } else if (timeoutMs == 0) {
    rc = pthread_mutex_trylock(m);
  } else {
    const timespec deadline = deadlineAfter(timeoutMs);
    do {
      rc = pthread_mutex_clocklock(m, CLOCK_MONOTONIC, &deadline);
    } while (rc == EINTR);
  }
  switch (rc) {
    case 0:
      ++impl_->holds;
      return Wait::Acquired;
    case EOWNERDEAD:
      // The holder died mid-way; copies under this mutex are whole records,
      // so the data is usable and the mutex is made whole again.
      pthread_mutex_consistent(m);
      ++impl_->holds;
      return Wait::AbandonedAcquired;
    case EBUSY:
    case ETIMEDOUT:
      return Wait::TimedOut;
    default:
      return Wait::Failed;
  }
}

void NamedMutex::unlock() {
  if (pthread_mutex_unlock(&impl_->block->mutex) == 0) --impl_->holds;
}

}  // namespace platform
