// The seven exports of portkit.so over the library's Backend, and the
// program's message poster. Every device access library compiles this file.
#include <atomic>
#include <cstddef>

#include "device/portkit.h"
#include "platform/Window.h"
#include "portkit/Backend.h"

namespace portkit {
namespace {

std::atomic<PortkitPostMessageFn> programPoster{nullptr};

}  // namespace

void postToProgram(std::uint64_t window, unsigned message, std::uintptr_t wParam,
                   std::intptr_t lParam) {
  if (PortkitPostMessageFn poster = programPoster.load()) {
    poster(window, message, wParam, lParam);
  } else {
    platform::PostMessage(window, message, wParam, lParam);
  }
}

}  // namespace portkit

extern "C" {

void Open_DevMonitor(PortkitWindow window, unsigned int eventMessage, unsigned int plugMessage) {
  portkit::backend().openDevMonitor(window, eventMessage, plugMessage);
}
void Close_DevMonitor(void) { portkit::backend().closeDevMonitor(); }
int Open_FeatureDevice(void) { return portkit::backend().openFeatureDevice() ? 1 : 0; }
void Close_FeatureDevice(void) { portkit::backend().closeFeatureDevice(); }
int SetFeature(unsigned char* buffer, int length) {
  return buffer && length > 0 &&
                 portkit::backend().setFeature({buffer, static_cast<std::size_t>(length)})
             ? 1
             : 0;
}
int GetFeature(unsigned char* buffer, int length) {
  return buffer && length > 0 &&
                 portkit::backend().getFeature({buffer, static_cast<std::size_t>(length)})
             ? 1
             : 0;
}
int GetMousePID(void) { return portkit::backend().productId(); }
void Portkit_SetMessagePoster(PortkitPostMessageFn poster) { portkit::programPoster.store(poster); }

}  // extern "C"
