#pragma once

#include <string>

#include "monitor/MediaPlayerBus.h"
#include "platform/Shell.h"
#include "settings/SettingsImage.h"

namespace monitor {

// The media buttons (functions 32..36) drive the player the profile's
// MediaOption names:
//   0  the active player: the one playing, else the one last seen playing,
//      else any running player
//   1  Rhythmbox, the desktop's music library player
//   2  VLC
//   3  Audacious, with a play-state flag: play/pause sends Play, then Pause
// 32 brings the player to the front, or starts it when it is not running;
// 33..36 send Previous, Next, PlayPause and Stop to a running player only.
// Nothing happens while the button's press flag is set.
class MediaPlayers {
 public:
  enum Function : unsigned { Open = 32, Previous = 33, Next = 34, PlayPause = 35, Stop = 36 };

  MediaPlayers(MediaPlayerBus* bus, platform::Shell& shell) : bus_(bus), shell_(shell) {}

  void onMediaFunction(unsigned function, unsigned pressFlag, const settings::Profile& profile);
  bool audaciousPlaying() const { return audaciousPlaying_; }

  // "org.mpris.MediaPlayer2." + this, for options 1..3; empty for others.
  static std::string playerName(int option);
  // The program started for option 32 when no player runs.
  static std::string programOf(int option);

 private:
  std::string findPlayer(int option);

  MediaPlayerBus* bus_;
  platform::Shell& shell_;
  std::string lastPlaying_;
  bool audaciousPlaying_ = false;
};

}  // namespace monitor
