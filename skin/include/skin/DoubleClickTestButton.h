#pragma once

#include <QImage>
#include <QWidget>

#include "skin/LayoutEntry.h"

namespace skin {

class GifPlayer;

// The field on which the user tries out the double-click speed: a picture
// that, on a double-click, plays a short clip once over itself together with
// a sound. A single click does nothing.
class DoubleClickTestButton : public QWidget {
  Q_OBJECT
 public:
  // Picture, clip and sound default to the skin's files (SkinResourceIds.h).
  DoubleClickTestButton(const LayoutEntry& layout, QWidget* parent);

  void setClipFile(const QString& path) { clipFile_ = path; }
  void setSoundFile(const QString& path) { soundFile_ = path; }
  const QImage& picture() const { return picture_; }
  // The clip player, created by the first double-click.
  GifPlayer* clip() const { return clip_; }

 signals:
  void doubleClicked();

 protected:
  void paintEvent(QPaintEvent*) override;
  void mouseDoubleClickEvent(QMouseEvent*) override;

 private:
  QImage picture_;
  QString clipFile_;
  QString soundFile_;
  GifPlayer* clip_ = nullptr;
};

}  // namespace skin
