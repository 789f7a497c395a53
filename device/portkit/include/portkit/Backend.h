#pragma once

#include <cstdint>
#include <span>

namespace portkit {

// What a device access library does behind the seven C exports of portkit.so.
// PortkitExports.cpp turns calls of the exports into calls of backend(), so
// the checks and conversions at the C boundary are written once for every
// library.
class Backend {
 public:
  virtual ~Backend() = default;

  virtual void openDevMonitor(std::uint64_t window, unsigned eventMessage,
                              unsigned plugMessage) = 0;
  virtual void closeDevMonitor() = 0;
  virtual bool openFeatureDevice() = 0;
  virtual void closeFeatureDevice() = 0;
  // Called with a report of at least one byte only.
  virtual bool setFeature(std::span<const std::uint8_t> report) = 0;
  virtual bool getFeature(std::span<std::uint8_t> report) = 0;
  virtual int productId() = 0;
};

// The library's one instance; each library that compiles PortkitExports.cpp
// defines it.
Backend& backend();

// Posts a window message the way the program asked (Portkit_SetMessagePoster),
// or through this library's own platform layer when it did not.
void postToProgram(std::uint64_t window, unsigned message, std::uintptr_t wParam,
                   std::intptr_t lParam);

}  // namespace portkit
