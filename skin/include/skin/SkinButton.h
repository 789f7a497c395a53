#pragma once

#include <QAbstractButton>
#include <QImage>

#include "skin/LayoutEntry.h"
#include "skin/PageSheets.h"

namespace skin {

// The skinned button: push button, check box (check mode), radio-group member
// and tab (the owner sets `selected`). Its pictures are cut from the window's
// sheets; it tracks the mouse, reports hover with ButtonHoverMsg and the help
// text, and answers a click with WM_COMMAND to its parent (sent, after a
// check-mode button toggled). Qt's clicked() is emitted as well.
class SkinButton : public QAbstractButton {
  Q_OBJECT
 public:
  enum class Picture { Normal, Hover, Pressed, Disabled };

  explicit SkinButton(QWidget* parent = nullptr);
  // Placed and named by the layout string; the help text comes from it too.
  SkinButton(const LayoutEntry& layout, QWidget* parent);

  // Cuts the four pictures at the button's own rectangle.
  void setSheets(const PageSheets& sheets);
  void setPictures(const ControlPictures& pictures);
  const ControlPictures& pictures() const { return pictures_; }

  void setCaption(const QString& caption);
  const QString& caption() const { return caption_; }
  void setHelpText(const QString& help) { help_ = help; }
  const QString& helpText() const { return help_; }
  void setCheckMode(bool on) { checkMode_ = on; }
  bool checkMode() const { return checkMode_; }
  // Repaints only when the value changes.
  void setSelected(bool selected);
  bool isSelected() const { return selected_; }
  void setHover(bool hover);
  bool isHover() const { return hover_; }
  void setHandCursor(bool on);
  void setTrademark(bool on);
  void setNotifyIndex(int index) { notifyIndex_ = index; }
  int notifyIndex() const { return notifyIndex_; }
  // A default button starts hovered and announces itself once.
  void setDefaultButton();

  // The picture the button paints in its present state.
  Picture currentPicture() const;

 protected:
  void paintEvent(QPaintEvent*) override;
  void enterEvent(QEnterEvent*) override;
  void leaveEvent(QEvent*) override;
  void mouseMoveEvent(QMouseEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void focusOutEvent(QFocusEvent*) override;

 private:
  void notifyHover(bool entered);
  void onClicked();
  const QImage& picture(Picture which) const;

  ControlPictures pictures_;
  QString caption_;
  QString help_;
  int notifyIndex_ = 0;
  bool handCursor_ = false;
  bool selected_ = false;
  bool checkMode_ = false;
  bool hover_ = false;
  bool trademark_ = false;
};

}  // namespace skin
