#include "settings/SharedImage.h"

#include <cstring>
#include <memory>

#include "platform/NamedMutex.h"
#include "platform/SharedMemory.h"

namespace settings {

SharedRead readSharedImageChecked(platform::SharedMemory& memory, platform::NamedMutex& mutex,
                                  SettingsImage& image, const WholeRecord& wholeRecord) {
  if (memory.data() == nullptr || memory.size() != kImageSize) return SharedRead::Failed;
  const platform::NamedMutex::Wait wait = mutex.lock();
  if (wait == platform::NamedMutex::Wait::AbandonedAcquired) {
    // Only this reader learns of the dead holder: the mutex is whole again
    // for the next one, so the record must be mended before letting go.
    if (wholeRecord && wholeRecord(image)) std::memcpy(memory.data(), &image, kImageSize);
    mutex.unlock();
    return SharedRead::Torn;
  }
  if (wait != platform::NamedMutex::Wait::Acquired) return SharedRead::Failed;
  std::memcpy(&image, memory.data(), kImageSize);
  mutex.unlock();
  return SharedRead::Copied;
}

bool readSharedImage(platform::SharedMemory& memory, platform::NamedMutex& mutex,
                     SettingsImage& image) {
  return readSharedImageChecked(memory, mutex, image, nullptr) == SharedRead::Copied;
}

bool writeSharedImage(platform::SharedMemory& memory, platform::NamedMutex& mutex,
                      const SettingsImage& image) {
  if (memory.data() == nullptr || memory.size() != kImageSize) return false;
  platform::NamedMutexLock lock(mutex);
  if (!lock.ok()) return false;
  std::memcpy(memory.data(), &image, kImageSize);
  return true;
}

bool updateSharedImage(platform::SharedMemory& memory, platform::NamedMutex& mutex,
                       const std::function<void(SettingsImage& record)>& change) {
  if (memory.data() == nullptr || memory.size() != kImageSize) return false;
  const platform::NamedMutex::Wait wait = mutex.lock();
  if (wait == platform::NamedMutex::Wait::AbandonedAcquired) {
    // A torn record is mended by a whole-record write, never patched.
    mutex.unlock();
    return false;
  }
  if (wait != platform::NamedMutex::Wait::Acquired) return false;
  // Changed on a copy: the record holds no pointers and is copied as bytes.
  auto record = std::make_unique<SettingsImage>();
  std::memcpy(record.get(), memory.data(), kImageSize);
  change(*record);
  std::memcpy(memory.data(), record.get(), kImageSize);
  mutex.unlock();
  return true;
}

}  // namespace settings
