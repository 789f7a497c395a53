#include "MacroManagerPrompts.h"

#include "ConfirmDialog.h"
#include "MacroSetNameDialog.h"

namespace option {

namespace {

class SkinnedPrompts : public MacroManagerPrompts {
 public:
  std::optional<std::string> askSetName(QWidget* parent) override {
    if (const std::optional<QString> name = MacroSetNameDialog::ask(parent))
      return name->toStdString();
    return std::nullopt;
  }
  bool confirm(Question question, QWidget* parent) override {
    return ConfirmDialog::ask(question == Question::kDeleteSet
                                  ? ConfirmDialog::Question::DeleteMacroSet
                                  : ConfirmDialog::Question::DeleteMacro,
                              parent);
  }
  void notice(macros::MacroManagerModel::Notice notice, QWidget* parent) override {
    ConfirmDialog::tell(notice == macros::MacroManagerModel::Notice::kNoSet
                            ? ConfirmDialog::Notice::NoMacroSetSelected
                            : ConfirmDialog::Notice::NoMacroSelected,
                        parent);
  }
};

}  // namespace

std::unique_ptr<MacroManagerPrompts> makeSkinnedMacroPrompts() {
  return std::make_unique<SkinnedPrompts>();
}

}  // namespace option
