#pragma once

#include <functional>

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
// size, the mutex could not be taken or the record is torn; the private
// image is then untouched.
bool readSharedImage(platform::SharedMemory& memory, platform::NamedMutex& mutex,
                     SettingsImage& image);

// How a checked read went. Torn: the last holder of the mutex died while
// holding it, perhaps half-way through a copy, so the record is not taken.
enum class SharedRead { Copied, Torn, Failed };
// Fills a whole record to publish in place of a torn one; false to leave
// the shared memory as it is.
using WholeRecord = std::function<bool(SettingsImage& record)>;

// Shared memory -> private image, distrusting a torn record: nothing is
// copied into image, and while the mutex is still held, wholeRecord (when
// given) fills image with a record that replaces the torn one, so that no
// later reader takes it as whole. Copied and Failed as readSharedImage.
SharedRead readSharedImageChecked(platform::SharedMemory& memory, platform::NamedMutex& mutex,
                                  SettingsImage& image, const WholeRecord& wholeRecord);

// Private image -> shared memory, same rules.
bool writeSharedImage(platform::SharedMemory& memory, platform::NamedMutex& mutex,
                      const SettingsImage& image);

// Changes some fields of the shared record in place under one hold of the
// mutex, so that a whole record the other program writes between a read and
// a write is never rolled back. False (nothing changed) when the memory is
// not the image's size, the mutex could not be taken or the record is torn.
bool updateSharedImage(platform::SharedMemory& memory, platform::NamedMutex& mutex,
                       const std::function<void(SettingsImage& record)>& change);

}  // namespace settings
