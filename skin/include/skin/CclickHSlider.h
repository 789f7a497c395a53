#pragma once

#include <QImage>
#include <QWidget>

#include "skin/LayoutEntry.h"
#include "skin/SkinOwner.h"

namespace skin {

class CPHSlider;

// A skinned horizontal slider: the track paints its background picture, a
// click on it jumps there, and the thumb is dragged. The owner (the parent
// widget) sees SliderValueMsg(value, control id): a stream of values while
// dragging and a final one on release.
class CclickHSlider : public QWidget, public SkinOwner {
  Q_OBJECT
 public:
  // Without a thumb picture the slider is not created: it stays hidden and
  // invalid and reports value 0.
  CclickHSlider(const QImage& thumb, const LayoutEntry& layout, QWidget* owner, int controlId);
  // The thumb is the numbered bitmap (SkinResourceIds.h).
  CclickHSlider(int thumbBitmap, const LayoutEntry& layout, QWidget* owner, int controlId);

  bool isValid() const { return thumb_ != nullptr; }
  // The background is cut from the sheet at the track's rectangle.
  void setBackground(const QImage& sheet);
  // The groove drawn filled, cut from the sheet at the track's rectangle
  // (the pressed sheet of the skin art): shown from the start of the track
  // up to the middle of the thumb, so the slider shows how far it is set.
  // Without it the thumb alone shows the value.
  void setFill(const QImage& sheet);
  void setRange(int minimum, int maximum);
  void setSnap(bool snap);
  void setPosition(int value);
  int value() const;
  int minimum() const { return minimum_; }
  int maximum() const { return maximum_; }
  int controlId() const { return controlId_; }
  void setHelpText(const QString& help) { help_ = help; }
  const QString& helpText() const { return help_; }
  CPHSlider* thumb() const { return thumb_; }

  LRESULT handleControlMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void enterEvent(QEnterEvent*) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QImage background_;
  QImage fill_;
  CPHSlider* thumb_ = nullptr;
  int controlId_;
  int minimum_ = 0;
  int maximum_ = 10;
  bool snap_ = false;
  QString help_;
};

}  // namespace skin
