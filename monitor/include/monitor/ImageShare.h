#pragma once

#include "settings/SettingsImage.h"

namespace monitor {

// The named shared memory and image mutex through which the Configuration
// program sees the Monitor's settings image.
class ImageShare {
 public:
  enum class Created { Ok, MutexExisted, NoMemory };
  virtual ~ImageShare() = default;
  // Creates the mutex, then the memory. MutexExisted: another Monitor owns
  // them. NoMemory: the Monitor runs on without shared memory.
  virtual Created create() = 0;
  virtual bool write(const settings::SettingsImage& image) = 0;
  // Shared image -> into. A record whose writer died in the middle of a copy
  // is not taken: own is published in its place (and copied to into) and
  // false returned.
  virtual bool read(settings::SettingsImage& into, const settings::SettingsImage& own) = 0;
  virtual void close() = 0;
};

}  // namespace monitor
