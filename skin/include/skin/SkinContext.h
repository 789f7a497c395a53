#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <string_view>

#include "skin/ControlMessages.h"

namespace skin {

// What all skinned controls of one program share: the main window that hears
// about help texts, the one help text itself, the program folder the pictures
// come from, and the services a control borrows from the program (sound,
// shell, registered message numbers). One per program, created on first use
// on the user-interface thread.
class SkinContext {
 public:
  static SkinContext& instance();

  // Registers the controls' own named messages through the program's message
  // layer; call once at program start, before any window exists.
  void registerMessages(const std::function<UINT(std::string_view)>& registerWindowMessage);
  UINT bitmapEditKillFocusMessage() const { return killFocusMessage_; }

  void setMainWindow(QWidget* window) { mainWindow_ = window; }
  QWidget* mainWindow() const { return mainWindow_; }

  const QString& helpText() const { return helpText_; }
  // A control the mouse entered: copies its help text when different and
  // posts HelpTextMsg(1) to the main window.
  void announceHelpText(const QString& text);
  // A button the mouse left: empties the help text, posts HelpTextMsg(0).
  void clearHelpText();

  // Folder of the pictures and files, with a trailing '/'. Defaults to the
  // folder of the running program.
  QString programFolder() const;
  void setProgramFolder(const QString& folder);

  // Plays a sound file asynchronously; silent until the program installs a player.
  void setSoundPlayer(std::function<void(const QString& path)> player) {
    soundPlayer_ = std::move(player);
  }
  void playSound(const QString& path) const;
  // Opens a file or address with the desktop's "open" action.
  void setShellOpener(std::function<void(const QString& target)> opener) {
    shellOpener_ = std::move(opener);
  }
  void shellOpen(const QString& target) const;

  // One pause shared by every scrolling LinkLabel.
  bool scrollPaused() const { return scrollPaused_; }
  void setScrollPaused(bool paused) { scrollPaused_ = paused; }

 private:
  SkinContext() = default;

  UINT killFocusMessage_ = platform::kFirstRegisteredMessage + 0x0FFF;
  QPointer<QWidget> mainWindow_;
  QString helpText_;
  QString programFolder_;
  std::function<void(const QString&)> soundPlayer_;
  std::function<void(const QString&)> shellOpener_;
  bool scrollPaused_ = false;
};

}  // namespace skin
