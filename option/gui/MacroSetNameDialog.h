#pragma once

#include <optional>

#include "SmallDialog.h"

namespace option {

// Asks for the name of a new macro set (24 characters at most). OK and Enter
// close it only when the name is not blank; the text comes back as typed,
// the caller trims it.
class MacroSetNameDialog : public SmallDialog {
  Q_OBJECT
 public:
  static constexpr int kMaxLength = 24;

  explicit MacroSetNameDialog(QWidget* parent = nullptr);

  static std::optional<QString> ask(QWidget* parent);

  QString text() const;
  skin::BitmapEdit* nameField() const { return name_; }

 protected:
  void onOk() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  skin::BitmapEdit* name_;
};

}  // namespace option
