#pragma once

#include <QImage>
#include <QRect>

namespace skin {

// The four state pictures of one control, cut from its window's sheets.
struct ControlPictures {
  QImage normal;
  QImage hover;
  QImage pressed;
  QImage disabled;
};

// A window's full-size sheets: the face (at rest, labels included) and the
// hover, pressed and disabled drawings of the same window. Controls cut their
// pictures out once, at creation, so painting is a plain copy. Sheets may be
// shared between several sets (QImage is implicitly shared).
class PageSheets {
 public:
  PageSheets() = default;
  PageSheets(QImage normal, QImage hover, QImage pressed, QImage disabled);
  // Loads four numbered bitmaps (see SkinResourceIds.h).
  static PageSheets fromResources(int normal, int hover, int pressed, int disabled);

  // A missing sheet leaves its picture empty; parts of the rectangle outside
  // a sheet come out transparent.
  ControlPictures cut(const QRect& rect) const;
  // The sub-rectangle rect of pictures cut before (for parts of a control).
  static ControlPictures cut(const ControlPictures& from, const QRect& rect);

  const QImage& normal() const { return normal_; }
  const QImage& hover() const { return hover_; }
  const QImage& pressed() const { return pressed_; }
  const QImage& disabled() const { return disabled_; }

 private:
  QImage normal_, hover_, pressed_, disabled_;
};

QImage cutImage(const QImage& sheet, const QRect& rect);

}  // namespace skin
