// The hidraw backend of portkit.so. The mouse's identity comes from
// portkit.ini beside the library ([Device] VID, PID in hexadecimal).
#include <dlfcn.h>

#include <cstdlib>
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

// VESK_HIDRAW_SYSFS_ROOT points the library at another sysfs tree (its nodes
// in <root>/dev), so that tests see a known set of devices rather than the
// machine's. Read once, when a program first calls the library.
std::unique_ptr<HidrawEnumerator> makeEnumerator() {
  const char* root = std::getenv("VESK_HIDRAW_SYSFS_ROOT");
  if (root && *root) return std::make_unique<SysfsEnumerator>(root, std::string(root) + "/dev");
  return makeUdevEnumerator();
}

}  // namespace

Backend& backend() {
  static HidrawPortkit instance(
      readDeviceIds(libraryFolder() + "portkit.ini"), makeEnumerator(), makeLinuxHidIo(),
      [] { return makeUdevHotplugMonitor(); }, postToProgram);
  return instance;
}

}  // namespace portkit
