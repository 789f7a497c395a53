#pragma once

#include <QLabel>
#include <QTimer>
#include <array>
#include <memory>
#include <optional>

#include "OptionPage.h"
#include "PageRegistry.h"
#include "option/HelpTexts.h"
#include "option/MainDialogModel.h"
#include "skin/PageSheets.h"
#include "skin/SkinDialog.h"

namespace platform {
class DesktopMouse;
}
namespace skin {
class ColorDotsIndicator;
class GifPlayer;
class SkinButton;
}  // namespace skin

namespace option {

// The Configuration program's window: the profile strip, the six page tabs
// and their pages, the language button, OK / Apply / Cancel, the version
// texts and the quick-help strip. It shows MainDialogModel and hands it what
// the user and the Monitor do.
class MainDialog : public skin::SkinDialog, public MainDialogView {
  Q_OBJECT
 public:
  static constexpr const char* kTitle = "NIVARO Vesk ORB Optical Mouse Option";

  MainDialog(const std::string& programFolder, platform::DesktopMouse& desktop);
  ~MainDialog() override;

  MainDialogModel& model() { return model_; }
  // A message of the Monitor (through the program's message window).
  platform::LRESULT handleMessage(platform::UINT msg, platform::WPARAM wParam,
                                  platform::LPARAM lParam);
  // Shows the window in front of the others (the Monitor asked to open us).
  void bringToFront();

  void showPage(int kind);
  int visiblePage() const { return visiblePage_; }
  // The page of a tab; a page not shown yet is built now (hidden).
  OptionPage* page(int kind);
  // The page when it was built already, else null.
  OptionPage* builtPage(int kind) const { return pages_.at(static_cast<std::size_t>(kind)).get(); }
  skin::SkinButton* tab(int kind) const { return tabs_.at(static_cast<std::size_t>(kind)); }
  skin::SkinButton* profileTab(int slot) const {
    return profileTabs_.at(static_cast<std::size_t>(slot));
  }
  skin::SkinButton* windowsMarker(int slot, bool on) const;
  skin::GifPlayer* colorFlow(int slot, int flow) const;
  skin::SkinButton* languageButton() const { return language_; }
  QString quickHelp() const { return quickHelp_->text(); }
  // The header element shown only for a mouse of type 1.
  QWidget* mouseTypeBadge() const { return mouseType_; }
  // The notice of the last save that did not fully reach the mouse; empty
  // when everything arrived.
  QString saveNotice() const { return saveNotice_; }

  // Test hooks: answers for the next dialog instead of asking the user.
  void answerNextWindowsProfileDialog(bool ok) { nextWindowsAnswer_ = ok; }
  void answerNextLanguageChoice(int index) { nextLanguageAnswer_ = index; }

  void save();
  void chooseLanguage();
  // Decodes the hover and disabled sheets the first paint goes without and
  // cuts every control's pictures again; runs once, right after the first
  // paint, or sooner when the pointer reaches a button or a save begins.
  void completeSheets();
  bool sheetsComplete() const { return sheetsComplete_; }

  skin::LRESULT handleControlMessage(skin::UINT msg, skin::WPARAM wParam,
                                     skin::LPARAM lParam) override;

  // MainDialogView: shows the working image again.
  void refresh() override;
  void refreshMainPage() override;
  void refreshAdvancedPage() override;
  void refreshTrophyPage() override;
  void repaintColorIndicators() override;
  void firmwareVersionChanged() override;
  void showHelpText() override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildControls();
  void cutControlPictures();
  // Pages are built when first shown (or asked for): the start decodes and
  // cuts only the sheets of the page on screen.
  OptionPage& ensurePage(int kind);
  void refreshPage(int kind);
  void refreshStrip();
  void applyLanguage();
  void showLanguageFlag();
  void windowsMarkerClicked(int slot);
  void showNotice(const QString& text);

  MainDialogModel model_;
  platform::DesktopMouse& desktop_;
  skin::PageSheets sheets_;
  HelpTexts help_;
  std::array<skin::SkinButton*, OptionPage::kCount> tabs_{};
  std::array<PageFactory, OptionPage::kCount> factories_;
  std::array<std::unique_ptr<OptionPage>, OptionPage::kCount> pages_;
  std::array<skin::SkinButton*, 5> profileTabs_{};
  std::array<skin::SkinButton*, 5> names_{};
  std::array<skin::SkinButton*, 5> markerOff_{};
  std::array<skin::SkinButton*, 5> markerOn_{};
  std::array<skin::ColorDotsIndicator*, 5> indicators_{};
  std::array<std::array<skin::GifPlayer*, 5>, 5> flows_{};
  std::array<skin::SkinButton*, 4> fileButtons_{};  // Create, Load, Save, Edit
  skin::SkinButton* language_ = nullptr;
  skin::SkinButton* minimize_ = nullptr;
  skin::SkinButton* exit_ = nullptr;
  skin::SkinButton* ok_ = nullptr;
  skin::SkinButton* apply_ = nullptr;
  skin::SkinButton* cancel_ = nullptr;
  QLabel* mouseType_ = nullptr;
  QLabel* quickHelp_ = nullptr;
  QTimer noticeTimer_;
  QString saveNotice_;
  int visiblePage_ = OptionPage::Main;
  bool languageApplied_ = false;
  bool sheetsComplete_ = false;
  bool completionQueued_ = false;
  int shownFlag_ = -1;
  std::optional<bool> nextWindowsAnswer_;
  std::optional<int> nextLanguageAnswer_;
};

}  // namespace option
