#pragma once

#include "SmallDialog.h"

namespace option {

// OK/Cancel questions before something is deleted, and the notices of the
// macro manager (OK and close only; their result means nothing). The
// question or notice is written on the picture.
class ConfirmDialog : public SmallDialog {
  Q_OBJECT
 public:
  enum class Question { DeleteMacroSet, DeleteMacro, DeleteTimer };
  enum class Notice { NoMacroSetSelected, NoMacroSelected, MacroFull };

  ConfirmDialog(Question question, QWidget* parent = nullptr);
  ConfirmDialog(Notice notice, QWidget* parent = nullptr);

  // True when the user pressed OK.
  static bool ask(Question question, QWidget* parent);
  static void tell(Notice notice, QWidget* parent);
};

}  // namespace option
