#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "device/portkit.h"
#include "platform/Types.h"

namespace device {

// The device access library loaded at run time from a program folder. When
// the library or any of its seven exports is missing the mouse counts as
// absent: nothing is posted, every open and transfer fails, nothing crashes.
class PortkitLibrary {
 public:
  static constexpr const char* kFileName = "portkit.so";

  // Loads folder + "portkit.so" (folder with or without a trailing '/').
  // A program that never asks for the mouse's product id (the updater) does
  // not need GetMousePID; mousePid() then answers 0.
  static std::unique_ptr<PortkitLibrary> load(std::string_view folder, bool needsMousePid = true);
  // A library whose every call fails.
  static std::unique_ptr<PortkitLibrary> absent();
  ~PortkitLibrary();
  PortkitLibrary(const PortkitLibrary&) = delete;
  PortkitLibrary& operator=(const PortkitLibrary&) = delete;

  bool present() const { return handle_ != nullptr; }
  // Why the library is absent ("" when present).
  const std::string& loadError() const { return error_; }

  void openDevMonitor(platform::HWND window, platform::UINT eventMessage,
                      platform::UINT plugMessage);
  void closeDevMonitor();
  bool openFeatureDevice();
  void closeFeatureDevice();
  bool setFeature(std::span<std::uint8_t> report);
  bool getFeature(std::span<std::uint8_t> report);
  int mousePid();

 private:
  PortkitLibrary() = default;
  void* handle_ = nullptr;
  std::string error_;
  decltype(&::Open_DevMonitor) openDevMonitor_ = nullptr;
  decltype(&::Close_DevMonitor) closeDevMonitor_ = nullptr;
  decltype(&::Open_FeatureDevice) openFeatureDevice_ = nullptr;
  decltype(&::Close_FeatureDevice) closeFeatureDevice_ = nullptr;
  decltype(&::SetFeature) setFeature_ = nullptr;
  decltype(&::GetFeature) getFeature_ = nullptr;
  decltype(&::GetMousePID) getMousePid_ = nullptr;
};

}  // namespace device
