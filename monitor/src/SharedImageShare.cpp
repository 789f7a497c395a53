#include "monitor/SharedImageShare.h"

#include <cstring>

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

bool SharedImageShare::read(settings::SettingsImage& into, const settings::SettingsImage& own) {
  if (!memory_ || !mutex_) return false;
  const auto republishOwn = [&own](settings::SettingsImage& record) {
    if (&record != &own) std::memcpy(&record, &own, sizeof record);
    return true;
  };
  return settings::readSharedImageChecked(*memory_, *mutex_, into, republishOwn) ==
         settings::SharedRead::Copied;
}

void SharedImageShare::close() {
  memory_.reset();
  mutex_.reset();
}

}  // namespace monitor
