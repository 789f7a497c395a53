#include "ColorDatabase.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace monitordata {
namespace {

using Rgb = std::array<std::uint8_t, 3>;

// Hue 0..1 at full saturation and value.
Rgb hue(double h) {
  const double r = std::clamp(std::fabs(h * 6 - 3) - 1, 0.0, 1.0);
  const double g = std::clamp(2 - std::fabs(h * 6 - 2), 0.0, 1.0);
  const double b = std::clamp(2 - std::fabs(h * 6 - 4), 0.0, 1.0);
  return {static_cast<std::uint8_t>(std::lround(r * 250)),
          static_cast<std::uint8_t>(std::lround(g * 250)),
          static_cast<std::uint8_t>(std::lround(b * 250))};
}

// Phase offset of a zone for a flow: all together, up, down, left, right.
double zonePhase(int flow, int zone) {
  static constexpr double kRow[4] = {0.0, 0.0, 0.5, 0.5};     // zones 0,1 top; 2,3 bottom
  static constexpr double kColumn[4] = {0.0, 0.5, 0.0, 0.5};  // zones 0,2 left; 1,3 right
  switch (flow) {
    case 1:
      return 0.5 - kRow[zone] * 0.5;
    case 2:
      return kRow[zone] * 0.5;
    case 3:
      return 0.5 - kColumn[zone] * 0.5;
    case 4:
      return kColumn[zone] * 0.5;
    default:
      return 0.0;
  }
}

}  // namespace

std::vector<std::uint8_t> ColorDatabase::build() {
  std::vector<std::uint8_t> out = {'V', 'C', 'D', 'B', 1, 0, kPaletteSize, kFlows, kSteps, kZones,
                                   0,   0,   0,   0,   0, 0};
  for (int i = 0; i < kPaletteSize; ++i) {
    const Rgb c = i == 0 ? Rgb{0, 0, 0} : hue(static_cast<double>(i - 1) / (kPaletteSize - 1));
    out.insert(out.end(), {static_cast<std::uint8_t>(i), c[0], c[1], c[2]});
  }
  for (int flow = 0; flow < kFlows; ++flow)
    for (int step = 0; step < kSteps; ++step)
      for (int zone = 0; zone < kZones; ++zone) {
        const double h = std::fmod(static_cast<double>(step) / kSteps + zonePhase(flow, zone), 1.0);
        const Rgb c = hue(h);
        out.insert(out.end(), c.begin(), c.end());
      }
  return out;
}

}  // namespace monitordata
