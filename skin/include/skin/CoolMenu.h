#pragma once

#include <QMenu>
#include <memory>

namespace skin {

// The skinned popup menu used by every popup of the programs: a frame of one
// RGB 53,160,222 line and two black lines inside it, items 16 pixels high in
// the menu's font, a mark flag (text in RGB 68,192,255), a trademark flag (a
// small "TM" after the text) and an arrow for submenus. Items carry a command
// number (QAction::data); command 0 is a separator.
class CoolMenu : public QMenu {
  Q_OBJECT
 public:
  explicit CoolMenu(QWidget* parent = nullptr);
  ~CoolMenu() override;

  QAction* addItem(const QString& text, int command, bool mark = false, bool trademark = false);
  CoolMenu* addSubmenu(const QString& text, bool mark = false, bool trademark = false);
  // The menu is at least this wide (wider when a text needs it).
  void setItemWidth(int width);
  int itemWidth() const { return itemWidth_; }

  static void setMark(QAction* action, bool on);
  static bool hasMark(const QAction* action);
  static void setTrademark(QAction* action, bool on);
  static bool hasTrademark(const QAction* action);
  static int command(const QAction* action);

  // Shows the menu at a global position and returns the chosen command, 0 for none.
  int execCommand(const QPoint& globalPos);

  static constexpr int kItemHeight = 16;
  static constexpr int kFrameWidth = 3;
  static constexpr int kArrowFromRight = 21;

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  class Style;
  Style* style_;
  int itemWidth_ = 140;
};

}  // namespace skin
