#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace monitor {

// The desktop's media players as the session bus shows them (MPRIS): each
// running player owns a bus name "org.mpris.MediaPlayer2.<name>[.instance]".
class MediaPlayerBus {
 public:
  virtual ~MediaPlayerBus() = default;
  // Bus names of the running players.
  virtual std::vector<std::string> players() = 0;
  // "Playing", "Paused", "Stopped"; empty when the player does not answer.
  virtual std::string playbackStatus(const std::string& player) = 0;
  // A method of the player interface without arguments (Next, Previous,
  // PlayPause, Play, Pause, Stop).
  virtual bool control(const std::string& player, std::string_view method) = 0;
  // Brings the player's window to the front.
  virtual bool raise(const std::string& player) = 0;
};

}  // namespace monitor
