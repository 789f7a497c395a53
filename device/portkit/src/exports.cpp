// The hidraw backend of portkit.so. The mouse's identity comes from
// portkit.ini beside the library ([Device] VID, PID in hexadecimal).
#include <dlfcn.h>

#include <string>

#include "device/portkit.h"
#include "portkit/Backend.h"
#include "portkit/HidrawPortkit.h"

namespace portkit {
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

}  // namespace

Backend& backend() {
  static HidrawPortkit instance(
      readDeviceIds(libraryFolder() + "portkit.ini"), makeUdevEnumerator(), makeLinuxHidIo(),
      [] { return makeUdevHotplugMonitor(); }, postToProgram);
  return instance;
}

}  // namespace portkit
