#pragma once

#include <array>
#include <optional>

#include "SmallDialog.h"

namespace option {

// "Select Player": which media player the profile's media buttons control
// (MediaOption 0 Windows Media Player, 1 iTunes, 2 VLC, 3 Winamp).
class PlayerDialog : public SmallDialog {
  Q_OBJECT
 public:
  static constexpr int kPlayerCount = 4;

  explicit PlayerDialog(int mediaOption, QWidget* parent = nullptr);

  // The chosen player on OK; nothing on Cancel or Exit.
  static std::optional<int> ask(int mediaOption, QWidget* parent);
  // The player a stored value means; values out of range mean the first.
  static int playerOf(int mediaOption);

  int choice() const { return choice_; }
  skin::SkinButton* playerButton(int player) const { return players_[player]; }

 private:
  void choose(int player);

  std::array<skin::SkinButton*, kPlayerCount> players_{};
  int choice_ = 0;
};

}  // namespace option
