#pragma once

#include "skin/SpinEdit.h"

namespace skin {

// The sensitivity field: the mouse's two top steps are stored as 2400 and
// 2800 but shown as 3200 and 4000. Typed values up to 2000 stay as they are,
// 2001..3200 become 3200 (stored 2400), 3201..4000 become 4000 (stored 2800).
class DpiSpinEdit : public SpinEdit {
  Q_OBJECT
 public:
  using SpinEdit::SpinEdit;

  static int storedFromTyped(long long typed);
  static int shownFromStored(int stored);

 protected:
  long long typedCap() const override { return static_cast<long long>(maximum()) + 1200; }
  int toStored(long long typed) const override { return storedFromTyped(typed); }
  int toShown(int stored) const override { return shownFromStored(stored); }
};

}  // namespace skin
