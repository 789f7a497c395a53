#include "skin/BitmapEdit.h"

#include <QKeyEvent>

#include "skin/ControlMessages.h"
#include "skin/SkinContext.h"
#include "skin/SkinLayout.h"
#include "skin/SkinOwner.h"
#include "skin/SkinResources.h"

namespace skin {

BitmapEdit::BitmapEdit(QWidget* parent) : QLineEdit(parent) {
  setFrame(false);
  setFont(SkinResources::arialFont(14, 6));
  setContextMenuPolicy(Qt::NoContextMenu);
  applyColors();
  connect(this, &QLineEdit::textChanged, this, &BitmapEdit::onTextChanged);
}

BitmapEdit::BitmapEdit(const LayoutEntry& layout, QWidget* parent) : BitmapEdit(parent) {
  applyLayout(this, layout);
  help_ = layoutHelp(layout);
}

void BitmapEdit::setColors(const QColor& text, const QColor& background) {
  textColor_ = text;
  backgroundColor_ = background;
  applyColors();
}

void BitmapEdit::applyColors() {
  QPalette palette = this->palette();
  for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    palette.setColor(group, QPalette::Text, textColor_);
    palette.setColor(group, QPalette::Base, backgroundColor_);
    palette.setColor(group, QPalette::Window, backgroundColor_);
  }
  setPalette(palette);
  setAutoFillBackground(true);
  update();
}

void BitmapEdit::setNumeric(bool numeric) {
  numeric_ = numeric;
  filterText();
}

void BitmapEdit::setSignAllowed(bool allowed) {
  signAllowed_ = allowed;
  filterText();
}

bool BitmapEdit::filterText() {
  if (!numeric_) return false;
  const QString allowed =
      signAllowed_ ? QStringLiteral("0123456789-+") : QStringLiteral("0123456789");
  const QString current = text();
  QString reduced;
  for (const QChar c : current)
    if (allowed.contains(c)) reduced += c;
  if (reduced == current) return false;
  setText(reduced);  // the change path runs once more with the reduced text
  return true;
}

bool BitmapEdit::numericKeyAllowed(int key, Qt::KeyboardModifiers modifiers) {
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return true;
  switch (key) {
    case Qt::Key_Backspace:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Delete:
      return true;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
    case Qt::Key_Minus:
      // The sign keys of the main keyboard only, not those of the number pad.
      return !(modifiers & Qt::KeypadModifier);
    default:
      return false;
  }
}

void BitmapEdit::keyPressEvent(QKeyEvent* event) {
  // Selecting, copying and pasting work as in any field; what a paste
  // brings in is filtered like typed text.
  const bool editingShortcut =
      event->matches(QKeySequence::SelectAll) || event->matches(QKeySequence::Copy) ||
      event->matches(QKeySequence::Cut) || event->matches(QKeySequence::Paste) ||
      event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo);
  if (numeric_ && !editingShortcut && !numericKeyAllowed(event->key(), event->modifiers())) {
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void BitmapEdit::keyReleaseEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
    postControlMessage(parentWidget(), EditNotifyMsg, 13, 0);
  QLineEdit::keyReleaseEvent(event);
}

void BitmapEdit::onTextChanged() {
  if (filterText()) return;
  update();
  postControlMessage(parentWidget(), EditNotifyMsg, 0, 0);
}

void BitmapEdit::focusOutEvent(QFocusEvent* event) {
  postControlMessage(parentWidget(), SkinContext::instance().bitmapEditKillFocusMessage(), 0, 0);
  QLineEdit::focusOutEvent(event);
}

void BitmapEdit::enterEvent(QEnterEvent* event) {
  SkinContext::instance().announceHelpText(help_);
  QLineEdit::enterEvent(event);
}

}  // namespace skin
