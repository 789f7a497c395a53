#pragma once

#include "settings/SettingsImage.h"

namespace platform {
class SharedMemory;
class NamedMutex;
}  // namespace platform

// Whole-record copies between a private image and the shared memory. Every
// copy takes the image mutex with an infinite wait; a failed wait skips the
// copy and reports failure.
namespace settings {

inline constexpr const char* kSharedImageName = "NIVARO_VeskORBOptical_Mouse_Share_Data";
inline constexpr const char* kImageMutexName = "Nivaro_VeskORBOptical_Mouse_Mutex_Object";

// Shared memory -> private image. False when the memory is not the image's
// size or the mutex could not be taken; the private image is then untouched.
bool readSharedImage(platform::SharedMemory& memory, platform::NamedMutex& mutex,
                     SettingsImage& image);
// Private image -> shared memory, same rules.
bool writeSharedImage(platform::SharedMemory& memory, platform::NamedMutex& mutex,
                      const SettingsImage& image);

}  // namespace settings
