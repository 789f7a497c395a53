#pragma once

#include <QImage>
#include <QWidget>
#include <vector>

#include "macros/MacroManagerModel.h"
#include "macros/MacroTimeline.h"
#include "macros/TimelineView.h"

class QScrollBar;

namespace skin {
class SkinButton;
}

namespace option {

// The timeline editor: one row per key held, a bar from its press to its
// release under a ruler; bars are added (the next key names a new bar's
// key), deleted, and stretched by dragging their edges.
class TimelinePanel : public QWidget {
  Q_OBJECT
 public:
  TimelinePanel(macros::MacroManagerModel& model, QWidget* parent);

  // The selected macro's events become bars.
  void load();
  // The bars become the selected macro's events.
  void store();
  const std::vector<macros::TimelineBar>& bars() const { return bars_; }
  const macros::TimelineView& view() const { return view_; }

  void addBar();
  void deleteBar();
  void zoom(bool in);
  bool waitingForKey() const { return waiting_ >= 0; }
  // The key that names the bar waiting for one (X keycode - 8).
  void keyInput(int linuxKeyCode);

  skin::SkinButton* addButton() const { return add_; }
  skin::SkinButton* deleteButton() const { return delete_; }

 signals:
  // A new bar waits for its key: the manager's other controls follow.
  void waitingChanged(bool waiting);
  void noticeNeeded(int notice);

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent*) override;
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;

 private:
  void syncScrollBars();
  int rowAt(int y) const;

  macros::MacroManagerModel& model_;
  QImage face_;
  std::vector<macros::TimelineBar> bars_;
  macros::TimelineView view_;
  skin::SkinButton* add_;
  skin::SkinButton* delete_;
  skin::SkinButton* zoomIn_;
  skin::SkinButton* zoomOut_;
  QScrollBar* horizontal_;
  QScrollBar* vertical_;
  int waiting_ = -1;
  int dragBar_ = -1;
  bool dragStart_ = false;
};

}  // namespace option
