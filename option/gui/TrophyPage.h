#pragma once

#include <QPointer>
#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "OptionPage.h"
#include "PageContext.h"
#include "option/MakerSite.h"
#include "option/TrophyPageModel.h"
#include "option/TrophyShare.h"
#include "skin/SkinPage.h"

namespace skin {
class GifPlayer;
class SkinButton;
}  // namespace skin

namespace option {

class MainDialogModel;
class TrophyIcon;

// The Trophy page: shows TrophyPageModel, pages through views and trophies,
// resets the counters after asking, and shares the trophy shown.
class TrophyPage : public skin::SkinPage, public OptionPage {
  Q_OBJECT
 public:
  explicit TrophyPage(const PageContext& context);
  ~TrophyPage() override;

  QWidget* widget() override { return this; }
  void refresh() override;
  void applyHelpTexts(const HelpTexts& texts) override;

  TrophyPageModel& model() { return model_; }
  skin::SkinButton* button(const char* layout) const;
  TrophyIcon* shownTrophy() const { return shown_; }
  TrophyIcon* icon(int trophy) const { return icons_.at(static_cast<std::size_t>(trophy)); }
  skin::GifPlayer* levelPicture(int level) const;
  const QString& notice() const { return notice_; }
  bool sharing() const { return sharing_; }

  // Test hooks: the answer of the reset confirmation instead of asking, and
  // the transfer instead of libcurl.
  void setConfirmReset(std::function<bool()> confirm) { confirmReset_ = std::move(confirm); }
  void setHttpGet(TrophyShare::HttpGet get) { httpGet_ = std::move(get); }

 signals:
  // A share ended: the address opened, or empty when it was refused.
  void shareFinished(const QString& opened);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void showTrophy();
  void showLevel(int previous);
  void reset();
  void share();
  void shareAnswered(const std::string& answer);

  MainDialogModel& dialog_;
  TrophyPageModel model_;
  MakerSite site_;
  std::array<skin::SkinButton*, 6> buttons_{};
  std::array<skin::GifPlayer*, TrophyPageModel::kTrophyCount> levels_{};
  TrophyIcon* shown_ = nullptr;
  std::array<TrophyIcon*, TrophyPageModel::kTrophyCount> icons_{};
  std::array<QString, TrophyPageModel::kTrophyCount> trophyHelp_;
  QImage bar_;
  QString notice_;
  bool sharing_ = false;
  std::function<bool()> confirmReset_;
  TrophyShare::HttpGet httpGet_ = [](const std::string& url, const std::atomic<bool>& cancel) {
    return curlHttpGet(url, cancel);
  };
  // The share transfer under way, if any: told to stop and waited for when
  // the page goes, so no transfer outlives the program's libraries.
  std::thread transfer_;
  std::shared_ptr<std::atomic<bool>> cancelTransfer_;
};

}  // namespace option
