#include "mousesim/UhidDescriptor.h"

#include <array>

#include "device/Reports.h"
#include "device/UpdateMode.h"

namespace mousesim {
namespace {

using namespace device;

constexpr std::array<FeatureReportSize, 13> kFeatureReports = {{
    {kSelectReport, kSelectLength},
    {kCurrentProfileReport, kCurrentProfileLength},
    {kProfileSettingsReport, kProfileSettingsLength},
    {kButtonsReport, kButtonsLength},
    {kMacroReport, kMacroLength},
    {kVersionReport, kVersionLength},
    // Written as a 4-byte capture command, read as the whole picture.
    {kSensorImageReport, kSensorImageLength},
    {kHostActiveReport, kHostActiveLength},
    {kTrackingReport, kTrackingLength},
    {kLightCommandReport, kLightCommandLength},
    {kColourBlockReport, kColourBlockLength},
    {update::kCommandReport, update::kCommandLength},
    {update::kStatusReport, update::kStatusLength},
}};
static_assert(kSensorImageLength > kSensorCaptureLength);

// Short items: prefix = tag | type | size code.
void item(std::vector<std::uint8_t>& d, std::uint8_t prefix, std::uint32_t value) {
  if (value <= 0xFF) {
    d.push_back(static_cast<std::uint8_t>(prefix | 1));
    d.push_back(static_cast<std::uint8_t>(value));
  } else if (value <= 0xFFFF) {
    d.push_back(static_cast<std::uint8_t>(prefix | 2));
    d.push_back(static_cast<std::uint8_t>(value & 0xFF));
    d.push_back(static_cast<std::uint8_t>(value >> 8));
  } else {
    d.push_back(static_cast<std::uint8_t>(prefix | 3));
    for (int shift = 0; shift < 32; shift += 8)
      d.push_back(static_cast<std::uint8_t>(value >> shift));
  }
}

constexpr std::uint8_t kUsagePage = 0x04;
constexpr std::uint8_t kUsage = 0x08;
constexpr std::uint8_t kCollection = 0xA0;
constexpr std::uint8_t kEndCollection = 0xC0;
constexpr std::uint8_t kLogicalMinimum = 0x14;
constexpr std::uint8_t kLogicalMaximum = 0x24;
constexpr std::uint8_t kReportSize = 0x74;
constexpr std::uint8_t kReportCount = 0x94;
constexpr std::uint8_t kReportId = 0x84;
constexpr std::uint8_t kInput = 0x80;
constexpr std::uint8_t kFeature = 0xB0;
constexpr std::uint32_t kDataVariableAbsolute = 0x02;
constexpr std::uint32_t kVendorPage = 0xFF00;
constexpr std::uint32_t kApplication = 0x01;

}  // namespace

std::span<const FeatureReportSize> featureReportSizes() { return kFeatureReports; }

std::size_t featureReadLength(std::uint8_t id) {
  for (const FeatureReportSize& r : kFeatureReports) {
    if (r.id == id) return r.length;
  }
  return 0;
}

std::vector<std::uint8_t> configurationReportDescriptor() {
  std::vector<std::uint8_t> d;
  item(d, kUsagePage, kVendorPage);
  item(d, kUsage, 1);
  item(d, kCollection, kApplication);
  item(d, kLogicalMinimum, 0);
  // Two bytes, so that 255 does not read as -1.
  d.insert(d.end(), {static_cast<std::uint8_t>(kLogicalMaximum | 2), 0xFF, 0x00});
  item(d, kReportSize, 8);
  for (const FeatureReportSize& r : kFeatureReports) {
    item(d, kReportId, r.id);
    item(d, kUsage, r.id);
    item(d, kReportCount, static_cast<std::uint32_t>(r.length - 1));
    item(d, kFeature, kDataVariableAbsolute);
  }
  item(d, kReportId, kEventInputReportId);
  item(d, kUsage, kEventInputReportId);
  item(d, kReportCount, kEventInputReportLength - 1);
  item(d, kInput, kDataVariableAbsolute);
  d.push_back(kEndCollection);
  return d;
}

}  // namespace mousesim
