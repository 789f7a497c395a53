#pragma once

#include <vector>

#include "device/PortkitLibrary.h"
#include "device/Transport.h"

namespace device {

// Feature reports through a loaded device access library.
class LibraryTransport : public Transport {
 public:
  explicit LibraryTransport(PortkitLibrary& library) : library_(library) {}
  bool setFeature(std::span<const std::uint8_t> report) override;
  bool getFeature(std::span<std::uint8_t> report) override;

 private:
  PortkitLibrary& library_;
  std::vector<std::uint8_t> buffer_;
};

}  // namespace device
