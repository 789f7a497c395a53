#include "monitor/SharedImageShare.h"

#include "settings/SharedImage.h"

namespace monitor {

ImageShare::Created SharedImageShare::create() {
  platform::NamedMutex::Created created = platform::NamedMutex::Created::New;
  mutex_ = platform::NamedMutex::create(settings::kImageMutexName, &created);
  if (mutex_ && created == platform::NamedMutex::Created::AlreadyExisted) {
    mutex_.reset();
    return Created::MutexExisted;
  }
  if (!mutex_) return Created::NoMemory;
  memory_ = platform::SharedMemory::create(settings::kSharedImageName, settings::kImageSize);
  return memory_ ? Created::Ok : Created::NoMemory;
}

bool SharedImageShare::write(const settings::SettingsImage& image) {
  return memory_ && mutex_ && settings::writeSharedImage(*memory_, *mutex_, image);
}

bool SharedImageShare::read(settings::SettingsImage& image) {
  return memory_ && mutex_ && settings::readSharedImage(*memory_, *mutex_, image);
}

void SharedImageShare::close() {
  memory_.reset();
  mutex_.reset();
}

}  // namespace monitor
