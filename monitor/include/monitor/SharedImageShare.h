#pragma once

#include <memory>

#include "monitor/ImageShare.h"
#include "platform/NamedMutex.h"
#include "platform/SharedMemory.h"

namespace monitor {

// The image mutex and shared memory under their system names, created and
// owned by the Monitor for its lifetime.
class SharedImageShare : public ImageShare {
 public:
  Created create() override;
  bool write(const settings::SettingsImage& image) override;
  bool read(settings::SettingsImage& into, const settings::SettingsImage& own) override;
  void close() override;

 private:
  std::unique_ptr<platform::NamedMutex> mutex_;
  std::unique_ptr<platform::SharedMemory> memory_;
};

}  // namespace monitor
