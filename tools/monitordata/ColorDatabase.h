#pragma once

#include <cstdint>
#include <vector>

namespace monitordata {

// The light colour database the Monitor uploads to the mouse on request: a
// header ("VCDB", version, counts), a 64-colour palette (index, R, G, B) and
// the five colour-flow animations (64 steps x 4 zones x RGB).
class ColorDatabase {
 public:
  static constexpr int kPaletteSize = 64;
  static constexpr int kFlows = 5;
  static constexpr int kSteps = 64;
  static constexpr int kZones = 4;
  static std::vector<std::uint8_t> build();
};

}  // namespace monitordata
