// The seven exports of portkit.so over hidraw. The mouse's identity comes
// from portkit.ini beside the library ([Device] VID, PID in hexadecimal).
#include <dlfcn.h>

#include <string>

#include "device/portkit.h"
#include "platform/Window.h"
#include "portkit/HidrawPortkit.h"

namespace {

std::string libraryFolder() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&Open_FeatureDevice), &info) == 0 || !info.dli_fname) {
    return "";
  }
  std::string path = info.dli_fname;
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

void postThroughPlatform(std::uint64_t window, unsigned message, std::uintptr_t wParam,
                         std::intptr_t lParam) {
  platform::PostMessage(window, message, wParam, lParam);
}

portkit::HidrawPortkit& library() {
  static portkit::HidrawPortkit instance(
      portkit::readDeviceIds(libraryFolder() + "portkit.ini"), portkit::makeUdevEnumerator(),
      portkit::makeLinuxHidIo(), [] { return portkit::makeUdevHotplugMonitor(); },
      postThroughPlatform);
  return instance;
}

}  // namespace

extern "C" {

void Open_DevMonitor(PortkitWindow window, unsigned int eventMessage, unsigned int plugMessage) {
  library().openDevMonitor(window, eventMessage, plugMessage);
}
void Close_DevMonitor(void) { library().closeDevMonitor(); }
int Open_FeatureDevice(void) { return library().openFeatureDevice() ? 1 : 0; }
void Close_FeatureDevice(void) { library().closeFeatureDevice(); }
int SetFeature(unsigned char* buffer, int length) {
  return buffer && length > 0 && library().setFeature({buffer, static_cast<std::size_t>(length)})
             ? 1
             : 0;
}
int GetFeature(unsigned char* buffer, int length) {
  return buffer && length > 0 && library().getFeature({buffer, static_cast<std::size_t>(length)})
             ? 1
             : 0;
}
int GetMousePID(void) { return library().productId(); }
void Portkit_SetMessagePoster(PortkitPostMessageFn poster) {
  library().setPoster([poster](std::uint64_t window, unsigned message, std::uintptr_t wParam,
                               std::intptr_t lParam) { poster(window, message, wParam, lParam); });
}

}  // extern "C"
