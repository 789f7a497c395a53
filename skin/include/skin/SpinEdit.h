#pragma once

#include <QWidget>

#include "skin/LayoutEntry.h"
#include "skin/PageSheets.h"
#include "skin/SkinOwner.h"

namespace skin {

class BitmapEdit;
class SkinButton;

// A number field with up and down arrows. Typing is corrected as the user
// goes (leading zeros dropped, values above the maximum capped, a zero below
// the minimum raised to it) and Enter clamps to the range. Every accepted
// value is reported to the owner (the parent widget) with SpinValueMsg(value,
// control id); a value below the minimum typed without Enter is kept but not
// reported.
class SpinEdit : public QWidget, public SkinOwner {
  Q_OBJECT
 public:
  SpinEdit(const LayoutEntry& layout, QWidget* owner, int controlId);
  ~SpinEdit() override;

  // Cuts the spin's pictures at its rectangle; the arrows take their parts.
  void setSheets(const PageSheets& sheets);
  void setRange(int minimum, int maximum);
  void setStep(int step) { step_ = step; }
  void setValue(int value);
  int value() const { return value_; }
  int minimum() const { return minimum_; }
  int maximum() const { return maximum_; }
  int controlId() const { return controlId_; }
  void setHelpText(const QString& help);

  BitmapEdit* edit() const { return edit_; }
  SkinButton* upArrow() const { return up_; }
  SkinButton* downArrow() const { return down_; }

  LRESULT handleControlMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 protected:
  // How typed and stored values relate; the identity here.
  virtual long long typedCap() const { return maximum_; }
  virtual int toStored(long long typed) const { return static_cast<int>(typed); }
  virtual int toShown(int stored) const { return stored; }

  void paintEvent(QPaintEvent*) override;
  void enterEvent(QEnterEvent*) override;

 private:
  void onEditNotify(WPARAM how);
  void step(int direction);
  void replaceText(const QString& text);

  BitmapEdit* edit_;
  SkinButton* up_;
  SkinButton* down_;
  QImage background_;
  int controlId_;
  int value_ = 0;
  int minimum_ = 0;
  int maximum_ = 10;
  int step_ = 1;
  QString help_;
};

}  // namespace skin
