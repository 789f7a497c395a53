#pragma once

#include <QWidget>
#include <cstdint>

#include "macros/MacroManagerModel.h"

class QLineEdit;
class QListWidget;

namespace skin {
class SkinButton;
}

namespace option {

// The list editor: the recorder's button, the delay and play-count switches,
// the play count and the key-sequence list with its context menu. While it
// records it holds the keyboard (an X grab through the toolkit), so every
// key comes here and none reaches another program.
class KeySequencePanel : public QWidget {
  Q_OBJECT
 public:
  KeySequencePanel(macros::MacroManagerModel& model, QWidget* parent);

  // The selected macro changed: show its events, switch and count.
  void reload();
  bool recording() const { return model_.recorder().recording(); }
  void startRecording(int mode);  // 0 new, 1 before, 2 after the selected row
  void stopRecording();

  // One key from the keyboard while recording: `linuxKeyCode` names the
  // physical key (X keycode - 8), `milliseconds` is a monotonic time.
  void keyInput(int linuxKeyCode, bool release, std::uint64_t milliseconds);
  // A context-menu command (ids 1001..1005, 1020..1034) on the list's row.
  void menuCommand(int command, int row);

  QListWidget* list() const { return list_; }
  QLineEdit* playCountEdit() const { return playCount_; }
  skin::SkinButton* recordButton() const { return record_; }
  skin::SkinButton* delaySwitch() const { return delay_; }
  skin::SkinButton* playCountSwitch() const { return loop_; }

 signals:
  // Recording started or stopped: the manager's other controls follow.
  void recordingChanged(bool recording);
  // The notice to show instead of a command without a macro.
  void noticeNeeded(int notice);

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void refill();
  void finishRecording();
  void showMenu(const QPoint& at);
  void editDelay(int row);
  bool macroCheck();
  void stored();

  macros::MacroManagerModel& model_;
  skin::SkinButton* record_;
  skin::SkinButton* delay_;
  skin::SkinButton* loop_;
  QLineEdit* playCount_;
  QListWidget* list_;
  QLineEdit* delayEdit_ = nullptr;
};

}  // namespace option
