#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace wavegen {

// One feedback sound of the Monitor: its file name under Wave/Volume, the
// words it stands for (spoken when a speech synthesizer is available) and
// the chime used otherwise.
struct SoundSpec {
  std::string fileName;
  std::string words;
  std::vector<std::int16_t> (*chime)(int argument);
  int argument = 0;
};

class SoundCatalog {
 public:
  // Every file of the Monitor's sound table, DPI levels 100..6400 included.
  static std::vector<SoundSpec> all();
};

}  // namespace wavegen
