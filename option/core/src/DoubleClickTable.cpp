#include "option/DoubleClickTable.h"

namespace option {

int doubleClickMsFromPosition(int position) {
  if (position < 1 || position > 11) return 480;
  return 900 - (position - 1) * 70;
}

int doubleClickPositionFromMs(int ms) {
  for (int position = 1; position <= 9; ++position)
    if (ms >= doubleClickMsFromPosition(position)) return position;
  return ms >= 270 ? 10 : 11;
}

}  // namespace option
