#include "device/Reports.h"

namespace device {

std::uint16_t checksum16(std::span<const std::uint8_t> bytes) {
  std::uint16_t sum = 0;
  for (std::uint8_t b : bytes) sum = static_cast<std::uint16_t>(sum + b);
  return sum;
}

void sealChecksum(std::span<std::uint8_t> report) {
  if (report.size() < 2) return;
  const std::size_t at = report.size() - 2;
  writeU16(report, at, checksum16(report.first(at)));
}

bool checksumMatches(std::span<const std::uint8_t> report) {
  if (report.size() < 2) return false;
  const std::size_t at = report.size() - 2;
  return readU16(report, at) == checksum16(report.first(at));
}

}  // namespace device
