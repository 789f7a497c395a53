#pragma once

#include <QString>
#include <QWidget>

// A dark board on which the gallery lays out rows of controls, each with a
// caption, and renders them into one picture.
class GalleryBoard : public QWidget {
 public:
  explicit GalleryBoard(int width);

  // Starts a new row with a heading; returns its top.
  int beginRow(const QString& heading, int height);
  // Places a control in the current row with a caption under it.
  void place(QWidget* control, const QString& caption);
  QImage render();

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  struct Caption {
    QRect rect;
    QString text;
    bool heading;
  };
  std::vector<Caption> captions_;
  int rowTop_ = 0;
  int rowHeight_ = 0;
  int nextX_ = 0;
  int bottom_ = 16;
};
