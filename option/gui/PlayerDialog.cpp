#include "PlayerDialog.h"

#include "skin/SkinButton.h"
#include "skin/SkinResourceIds.h"

namespace option {

namespace dl = skin::dialogs;

PlayerDialog::PlayerDialog(int mediaOption, QWidget* parent)
    : SmallDialog({skin::res::kPlayerDialog, dl::kPlayerSize, QStringLiteral("Select Player")},
                  parent) {
  setObjectName(QStringLiteral("PlayerDialog"));
  const QString names[kPlayerCount] = {QStringLiteral("Windows Media Player"),
                                       QStringLiteral("iTunes"), QStringLiteral("VLC"),
                                       QStringLiteral("Winamp")};
  for (int player = 0; player < kPlayerCount; ++player) {
    players_[player] = addButton(dl::kPlayerChoices[player], names[player]);
    connect(players_[player], &skin::SkinButton::clicked, this, [this, player] { choose(player); });
  }
  addClosingButtons(dl::kPlayerOk, dl::kPlayerCancel, dl::kPlayerExit);
  choose(playerOf(mediaOption));
}

int PlayerDialog::playerOf(int mediaOption) {
  return mediaOption >= 0 && mediaOption < kPlayerCount ? mediaOption : 0;
}

std::optional<int> PlayerDialog::ask(int mediaOption, QWidget* parent) {
  PlayerDialog dialog(mediaOption, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.choice();
}

void PlayerDialog::choose(int player) {
  choice_ = player;
  for (int i = 0; i < kPlayerCount; ++i) players_[i]->setSelected(i == player);
}

}  // namespace option
