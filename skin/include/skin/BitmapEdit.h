#pragma once

#include <QLineEdit>

#include "skin/LayoutEntry.h"

namespace skin {

// A single-line edit in the skin's colours. It posts EditNotifyMsg(0) after
// every change of its text, EditNotifyMsg(13) when Enter is released, and the
// registered "BitmapEdit_KillFocus" message when it loses the focus, all to
// its parent. In numeric mode it takes only digits (and a sign when allowed).
class BitmapEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit BitmapEdit(QWidget* parent = nullptr);
  BitmapEdit(const LayoutEntry& layout, QWidget* parent);

  void setColors(const QColor& text, const QColor& background);
  QColor textColor() const { return textColor_; }
  QColor backgroundColor() const { return backgroundColor_; }
  void setNumeric(bool numeric);
  bool isNumeric() const { return numeric_; }
  void setSignAllowed(bool allowed);
  void setHelpText(const QString& help) { help_ = help; }
  const QString& helpText() const { return help_; }
  void setControlId(int id) { controlId_ = id; }
  int controlId() const { return controlId_; }

  // Whether numeric mode lets this key through (the key filter alone).
  static bool numericKeyAllowed(int key, Qt::KeyboardModifiers modifiers);

 protected:
  void keyPressEvent(QKeyEvent*) override;
  void keyReleaseEvent(QKeyEvent*) override;
  void focusOutEvent(QFocusEvent*) override;
  void enterEvent(QEnterEvent*) override;

 private:
  void onTextChanged();
  bool filterText();
  void applyColors();

  QColor textColor_{36, 36, 36};
  QColor backgroundColor_{Qt::white};
  bool numeric_ = false;
  bool signAllowed_ = false;
  int controlId_ = 0;
  QString help_;
};

}  // namespace skin
