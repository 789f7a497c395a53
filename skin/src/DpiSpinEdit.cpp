#include "skin/DpiSpinEdit.h"

#include <algorithm>
#include <limits>

namespace skin {

int DpiSpinEdit::storedFromTyped(long long typed) {
  if (typed > 3200 && typed <= 4000) return 2800;
  if (typed > 2000 && typed <= 3200) return 2400;
  return static_cast<int>(std::clamp<long long>(typed, std::numeric_limits<int>::min(),
                                                std::numeric_limits<int>::max()));
}

int DpiSpinEdit::shownFromStored(int stored) {
  if (stored == 2400) return 3200;
  if (stored == 2800) return 4000;
  return stored;
}

}  // namespace skin
