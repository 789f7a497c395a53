#include "KeyCombinationDialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWindow>

#include "KeyEventKeys.h"
#include "skin/BitmapEdit.h"
#include "skin/SkinButton.h"
#include "skin/SkinResourceIds.h"

namespace option {

namespace dl = skin::dialogs;

KeyCombinationDialog::KeyCombinationDialog(const KeyCombination& start, QWidget* parent)
    : SmallDialog({skin::res::kKeyCombinationDialog, dl::kKeyCombinationSize,
                   QStringLiteral("Mobe Key Shortcut Dialog"), skin::res::kKeyCombinationFace},
                  parent),
      combination_(start) {
  setObjectName(QStringLiteral("KeyCombinationDialog"));
  setWindowTitle(QStringLiteral("Mobe Key Shortcut Dialog"));
  keyName_ = addEdit(dl::kKeyCombinationName, 32);
  keyName_->setReadOnly(true);
  keyName_->setEnabled(false);
  keyName_->setAlignment(Qt::AlignCenter);
  const QString captions[KeyCombination::kFlagCount] = {
      QStringLiteral("None"), QStringLiteral("Shift"), QStringLiteral("Ctrl"),
      QStringLiteral("Alt"), QStringLiteral("Win")};
  for (int i = 0; i < KeyCombination::kFlagCount; ++i) {
    const auto flag = static_cast<KeyCombination::Flag>(i);
    flags_[i] = addCheckButton(dl::kKeyCombinationFlags[i], captions[i]);
    flags_[i]->setFocusPolicy(Qt::NoFocus);
    connect(flags_[i], &skin::SkinButton::clicked, this, [this, flag] {
      combination_.setFlag(flag, flags_[flag]->isSelected());
      showFlags();
    });
  }
  addClosingButtons(dl::kKeyCombinationOk, dl::kKeyCombinationCancel, dl::kKeyCombinationExit);
  for (skin::SkinButton* b : {ok_, cancel_, exit_}) b->setFocusPolicy(Qt::NoFocus);
  setFocusPolicy(Qt::StrongFocus);
  keyName_->setText(QString::fromStdString(combination_.keyName()));
  showFlags();
}

KeyCombinationDialog::~KeyCombinationDialog() { release(); }

std::optional<KeyCombination> KeyCombinationDialog::ask(const KeyCombination& start,
                                                        QWidget* parent) {
  KeyCombinationDialog dialog(start, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.combination();
}

void KeyCombinationDialog::showFlags() {
  for (int i = 0; i < KeyCombination::kFlagCount; ++i) {
    const auto flag = static_cast<KeyCombination::Flag>(i);
    flags_[i]->setEnabled(combination_.enabled(flag));
    flags_[i]->setSelected(combination_.shownChecked(flag));
  }
}

void KeyCombinationDialog::showEvent(QShowEvent* event) {
  SmallDialog::showEvent(event);
  // Every key of the program comes here first, whichever widget has the focus.
  if (!filtering_) {
    qApp->installEventFilter(this);
    filtering_ = true;
  }
  setFocus();
  grab();
  // The server grants the grab only once the window is viewable.
  if (!grabbed_) QTimer::singleShot(50, this, &KeyCombinationDialog::grab);
}

bool KeyCombinationDialog::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) grab();
  return SmallDialog::event(event);
}

void KeyCombinationDialog::grab() {
  // An active grab takes the keys from every other client, the desktop's
  // screenshot and shortcut keys included.
  if (grabbed_ || !isVisible() || QGuiApplication::platformName() != QLatin1String("xcb")) return;
  QWindow* window = windowHandle();
  grabbed_ = window && window->setKeyboardGrabEnabled(true);
}

void KeyCombinationDialog::hideEvent(QHideEvent* event) {
  release();
  SmallDialog::hideEvent(event);
}

void KeyCombinationDialog::release() {
  if (grabbed_) {
    if (QWindow* window = windowHandle()) window->setKeyboardGrabEnabled(false);
    grabbed_ = false;
  }
  if (filtering_) {
    qApp->removeEventFilter(this);
    filtering_ = false;
  }
}

bool KeyCombinationDialog::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::ShortcutOverride:
      // No shortcut of the program fires while a key is being taken.
      event->accept();
      return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
      takeKey(*static_cast<QKeyEvent*>(event));
      return true;
    default:
      return SmallDialog::eventFilter(watched, event);
  }
}

void KeyCombinationDialog::takeKey(const QKeyEvent& event) {
  const int linuxKey = linuxKeyCodeOf(event);
  const bool taken = linuxKey != 0 ? combination_.takeLinuxKey(linuxKey)
                                   : combination_.takeVirtualKey(virtualKeyOf(event));
  if (taken) keyName_->setText(QString::fromStdString(combination_.keyName()));
}

}  // namespace option
