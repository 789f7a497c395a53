#include "device/LibraryTransport.h"

namespace device {

bool LibraryTransport::setFeature(std::span<const std::uint8_t> report) {
  // The library takes a mutable buffer; never hand it the caller's bytes.
  buffer_.assign(report.begin(), report.end());
  return library_.setFeature(buffer_);
}

bool LibraryTransport::getFeature(std::span<std::uint8_t> report) {
  return library_.getFeature(report);
}

}  // namespace device
