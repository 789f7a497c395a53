#pragma once

#include <memory>
#include <optional>
#include <string>

#include "macros/MacroManagerModel.h"

class QWidget;

namespace option {

// The small dialogs the macro manager asks through: a new set's name, the
// confirmations before a set or a macro is deleted, and the notices. Tests
// answer them in advance.
class MacroManagerPrompts {
 public:
  enum class Question { kDeleteSet, kDeleteMacro };
  virtual ~MacroManagerPrompts() = default;
  // The entered text (not yet trimmed); nothing when cancelled.
  virtual std::optional<std::string> askSetName(QWidget* parent) = 0;
  virtual bool confirm(Question question, QWidget* parent) = 0;
  virtual void notice(macros::MacroManagerModel::Notice notice, QWidget* parent) = 0;
};

// The skinned dialogs of the program.
std::unique_ptr<MacroManagerPrompts> makeSkinnedMacroPrompts();

}  // namespace option
