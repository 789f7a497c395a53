#include "device/PortkitLibrary.h"

#include <dlfcn.h>

#include <limits>

#include "platform/Window.h"

namespace device {
namespace {

int postThroughPlatform(PortkitWindow window, unsigned int message, uintptr_t wParam,
                        intptr_t lParam) {
  return platform::PostMessage(window, message, wParam, lParam) ? 1 : 0;
}

template <typename Fn>
bool resolve(void* handle, const char* name, Fn& fn, std::string& error) {
  fn = reinterpret_cast<Fn>(dlsym(handle, name));
  if (!fn && error.empty()) error = std::string("missing export ") + name;
  return fn != nullptr;
}

bool fitsInt(std::size_t n) {
  return n <= static_cast<std::size_t>(std::numeric_limits<int>::max());
}

}  // namespace

std::unique_ptr<PortkitLibrary> PortkitLibrary::absent() {
  auto lib = std::unique_ptr<PortkitLibrary>(new PortkitLibrary);
  lib->error_ = "no device library";
  return lib;
}

std::unique_ptr<PortkitLibrary> PortkitLibrary::load(std::string_view folder, bool needsMousePid) {
  auto lib = std::unique_ptr<PortkitLibrary>(new PortkitLibrary);
  std::string path(folder);
  if (!path.empty() && path.back() != '/') path += '/';
  path += kFileName;
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* why = dlerror();
    lib->error_ = why ? why : "cannot load " + path;
    return lib;
  }
  bool ok = resolve(handle, "Open_DevMonitor", lib->openDevMonitor_, lib->error_);
  ok = resolve(handle, "Close_DevMonitor", lib->closeDevMonitor_, lib->error_) && ok;
  ok = resolve(handle, "Open_FeatureDevice", lib->openFeatureDevice_, lib->error_) && ok;
  ok = resolve(handle, "Close_FeatureDevice", lib->closeFeatureDevice_, lib->error_) && ok;
  ok = resolve(handle, "SetFeature", lib->setFeature_, lib->error_) && ok;
  ok = resolve(handle, "GetFeature", lib->getFeature_, lib->error_) && ok;
  if (needsMousePid) ok = resolve(handle, "GetMousePID", lib->getMousePid_, lib->error_) && ok;
  if (!ok) {
    dlclose(handle);
    auto failed = absent();
    failed->error_ = lib->error_ + " in " + path;
    return failed;
  }
  lib->handle_ = handle;
  if (auto setPoster = reinterpret_cast<decltype(&::Portkit_SetMessagePoster)>(
          dlsym(handle, "Portkit_SetMessagePoster"))) {
    setPoster(&postThroughPlatform);
  }
  return lib;
}

PortkitLibrary::~PortkitLibrary() {
  if (handle_) dlclose(handle_);
}

void PortkitLibrary::openDevMonitor(platform::HWND window, platform::UINT eventMessage,
                                    platform::UINT plugMessage) {
  if (present()) openDevMonitor_(window, eventMessage, plugMessage);
}

void PortkitLibrary::closeDevMonitor() {
  if (present()) closeDevMonitor_();
}

bool PortkitLibrary::openFeatureDevice() { return present() && openFeatureDevice_() != 0; }

void PortkitLibrary::closeFeatureDevice() {
  if (present()) closeFeatureDevice_();
}

bool PortkitLibrary::setFeature(std::span<std::uint8_t> report) {
  return present() && !report.empty() && fitsInt(report.size()) &&
         setFeature_(report.data(), static_cast<int>(report.size())) != 0;
}

bool PortkitLibrary::getFeature(std::span<std::uint8_t> report) {
  return present() && !report.empty() && fitsInt(report.size()) &&
         getFeature_(report.data(), static_cast<int>(report.size())) != 0;
}

int PortkitLibrary::mousePid() { return present() && getMousePid_ ? getMousePid_() : 0; }

}  // namespace device
