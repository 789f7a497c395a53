#include "settings/SharedImage.h"

#include <cstring>

#include "platform/NamedMutex.h"
#include "platform/SharedMemory.h"

namespace settings {

bool readSharedImage(platform::SharedMemory& memory, platform::NamedMutex& mutex,
                     SettingsImage& image) {
  if (memory.data() == nullptr || memory.size() != kImageSize) return false;
  platform::NamedMutexLock lock(mutex);
  if (!lock.ok()) return false;
  std::memcpy(&image, memory.data(), kImageSize);
  return true;
}

bool writeSharedImage(platform::SharedMemory& memory, platform::NamedMutex& mutex,
                      const SettingsImage& image) {
  if (memory.data() == nullptr || memory.size() != kImageSize) return false;
  platform::NamedMutexLock lock(mutex);
  if (!lock.ok()) return false;
  std::memcpy(memory.data(), &image, kImageSize);
  return true;
}

}  // namespace settings
