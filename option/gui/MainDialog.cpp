#include "MainDialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPainter>
#include <QPixmap>

#include "LanguageListDialog.h"
#include "PageRegistry.h"
#include "ProfileFileActions.h"
#include "WindowsProfileDialog.h"
#include "option/Languages.h"
#include "option/VersionText.h"
#include "skin/ColorDotsIndicator.h"
#include "skin/GifPlayer.h"
#include "skin/LayoutEntry.h"
#include "skin/MainWindowLayout.h"
#include "skin/SkinButton.h"
#include "skin/SkinContext.h"
#include "skin/SkinLayout.h"
#include "skin/SkinResourceIds.h"
#include "skin/SkinResources.h"

namespace option {

namespace mw = skin::mainwindow;

namespace {

constexpr int kNoticeMs = 8000;

// The main window's help ids, in the order of its controls.
constexpr int kTabHelp = 1003;          // ..1008
constexpr int kFileButtonHelp = 1009;   // ..1012
constexpr int kProfileTabHelp = 1013;   // ..1017
constexpr int kProfileNameHelp = 1018;  // ..1022
constexpr int kMarkerOffHelp = 1023, kMarkerOnHelp = 1024;
constexpr int kMinimizeHelp = 1001, kExitHelp = 1002;
constexpr int kOkHelp = 1025, kApplyHelp = 1026, kCancelHelp = 1027;

QColor toColor(const Rgb& c) { return QColor(c.red, c.green, c.blue); }

}  // namespace

MainDialog::MainDialog(const std::string& programFolder, platform::DesktopMouse& desktop)
    : model_(programFolder, *this), desktop_(desktop) {
  using skin::SkinResources::bitmap;
  setWindowTitle(QString::fromLatin1(kTitle));
  setObjectName(QStringLiteral("MainDialog"));
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  // The settings first: they need no picture, and the start's pictures are
  // still being decoded (see main).
  model_.start();
  const QImage face = bitmap(skin::res::kMainFace);
  // The first paint needs the face and, for the selected tabs, the pressed
  // sheet; hover and disabled follow right after it (completeSheets).
  sheets_ = skin::PageSheets(face, QImage(), bitmap(skin::res::kMainPressed), QImage());
  setFace(face);
  setMaskBitmap(face);
  resize(mw::kWidth, mw::kHeight);
  skin::SkinContext::instance().setMainWindow(this);

  buildControls();
  noticeTimer_.setSingleShot(true);
  connect(&noticeTimer_, &QTimer::timeout, this, [this] { showHelpText(); });
  refresh();
  applyLanguage();
  // The pointer reaching a button completes the sheets before the button
  // handles it, so a control never shows a state it has no picture for.
  qApp->installEventFilter(this);
}

MainDialog::~MainDialog() {
  // Pages go before the controls they may refer to.
  for (auto& page : pages_) page.reset();
}

void MainDialog::buildControls() {
  auto button = [this](const char* layout) {
    return new skin::SkinButton(skin::parseLayout(layout), this);
  };
  factories_ = pageFactories();
  for (int kind = 0; kind < OptionPage::kCount; ++kind) {
    const auto k = static_cast<std::size_t>(kind);
    tabs_[k] = button(mw::kTabs[kind]);
    connect(tabs_[k], &skin::SkinButton::clicked, this, [this, kind] { showPage(kind); });
  }
  ensurePage(visiblePage_);
  const char* files[4] = {mw::kCreate, mw::kLoad, mw::kSave, mw::kEdit};
  for (std::size_t i = 0; i < fileButtons_.size(); ++i) {
    fileButtons_[i] = button(files[i]);
    const auto which = static_cast<ProfileFileActions::Button>(i);
    connect(fileButtons_[i], &skin::SkinButton::clicked, this,
            [this, which] { ProfileFileActions(model_, *this, this).run(which); });
  }

  for (int slot = 0; slot < 5; ++slot) {
    const auto s = static_cast<std::size_t>(slot);
    profileTabs_[s] = button(mw::kProfileTabs[slot]);
    connect(profileTabs_[s], &skin::SkinButton::clicked, this,
            [this, slot] { model_.selectProfile(slot); });
    names_[s] = button(mw::kProfileNames[slot]);
    connect(names_[s], &skin::SkinButton::clicked, this,
            [this, slot] { model_.selectProfile(slot); });
    markerOff_[s] = button(mw::kWindowsProfile[slot]);
    markerOn_[s] = button(mw::kWindowsProfile[slot]);
    for (skin::SkinButton* marker : {markerOff_[s], markerOn_[s]})
      connect(marker, &skin::SkinButton::clicked, this,
              [this, slot] { windowsMarkerClicked(slot); });
    indicators_[s] =
        new skin::ColorDotsIndicator(skin::parseLayout(mw::kProfileColors[slot]), this);
    for (int flow = 0; flow < 5; ++flow) {
      // Loaded when first shown: decoding 25 animations would slow the start.
      auto* player = new skin::GifPlayer(skin::parseLayout(mw::kProfileColorFlows[slot]), this);
      player->hide();
      flows_[s][static_cast<std::size_t>(flow)] = player;
    }
  }

  language_ = new skin::SkinButton(skin::parseLayout(mw::kLanguage), this);
  connect(language_, &skin::SkinButton::clicked, this, &MainDialog::chooseLanguage);
  minimize_ = button(mw::kMinimize);
  connect(minimize_, &skin::SkinButton::clicked, this, &QWidget::showMinimized);
  exit_ = button(mw::kExit);
  connect(exit_, &skin::SkinButton::clicked, this, &QDialog::reject);
  ok_ = button(mw::kOk);
  connect(ok_, &skin::SkinButton::clicked, this, [this] {
    save();
    accept();
  });
  apply_ = button(mw::kApply);
  connect(apply_, &skin::SkinButton::clicked, this, &MainDialog::save);
  cancel_ = button(mw::kCancel);
  connect(cancel_, &skin::SkinButton::clicked, this, &QDialog::reject);

  // The header's edition badge; refresh shows it for a mouse of type 1 only.
  mouseType_ = new QLabel(this);
  mouseType_->setObjectName(QStringLiteral("MouseType"));
  mouseType_->setGeometry(skin::layoutRect(skin::parseLayout(mw::kMouseType)));
  mouseType_->setPixmap(
      QPixmap::fromImage(skin::cutImage(sheets_.pressed(), mouseType_->geometry())));
  mouseType_->setAttribute(Qt::WA_TransparentForMouseEvents);
  mouseType_->hide();

  quickHelp_ = new QLabel(this);
  quickHelp_->setObjectName(QStringLiteral("QuickHelp"));
  quickHelp_->setGeometry(skin::layoutRect(skin::parseLayout(mw::kQuickHelp)));
  quickHelp_->setFont(skin::SkinResources::arialFont(13));
  quickHelp_->setStyleSheet(QStringLiteral("color: rgb(200, 208, 216); background: transparent;"));
  quickHelp_->setAttribute(Qt::WA_TransparentForMouseEvents);
  cutControlPictures();
}

void MainDialog::cutControlPictures() {
  for (skin::SkinButton* b : tabs_) b->setSheets(sheets_);
  for (skin::SkinButton* b : fileButtons_) b->setSheets(sheets_);
  // The lit Windows-profile marker is drawn on the pressed sheet in every
  // state but disabled.
  const skin::PageSheets markerOnSheets(sheets_.pressed(), sheets_.pressed(), sheets_.pressed(),
                                        sheets_.disabled());
  for (std::size_t s = 0; s < 5; ++s) {
    profileTabs_[s]->setSheets(sheets_);
    names_[s]->setSheets(sheets_);
    markerOff_[s]->setSheets(sheets_);
    markerOn_[s]->setSheets(markerOnSheets);
  }
  for (skin::SkinButton* b : {minimize_, exit_, ok_, apply_, cancel_}) b->setSheets(sheets_);
}

void MainDialog::completeSheets() {
  if (sheetsComplete_) return;
  sheetsComplete_ = true;
  qApp->removeEventFilter(this);
  using skin::SkinResources::bitmap;
  sheets_ = skin::PageSheets(sheets_.normal(), bitmap(skin::res::kMainHover), sheets_.pressed(),
                             bitmap(skin::res::kMainDisabled));
  cutControlPictures();
}

bool MainDialog::eventFilter(QObject* watched, QEvent* event) {
  // Only the window's own buttons show its hover pictures: the pointer over
  // the background or a page leaves the completion to after the first paint.
  const QEvent::Type type = event->type();
  if ((type == QEvent::Enter || type == QEvent::MouseMove || type == QEvent::MouseButtonPress) &&
      watched->parent() == this && qobject_cast<skin::SkinButton*>(watched))
    completeSheets();
  return skin::SkinDialog::eventFilter(watched, event);
}

OptionPage* MainDialog::page(int kind) {
  if (kind < 0 || kind >= OptionPage::kCount) return nullptr;
  return &ensurePage(kind);
}

OptionPage& MainDialog::ensurePage(int kind) {
  std::unique_ptr<OptionPage>& page = pages_.at(static_cast<std::size_t>(kind));
  if (page) return *page;
  page = factories_.at(static_cast<std::size_t>(kind))(PageContext{model_, desktop_, this});
  page->widget()->setVisible(kind == visiblePage_);
  // Until the window's first refresh and language the page waits for them
  // like the others; afterwards it catches up here.
  if (languageApplied_) {
    page->applyHelpTexts(help_);
    page->refresh();
  }
  return *page;
}

void MainDialog::refreshPage(int kind) {
  if (OptionPage* built = builtPage(kind)) built->refresh();
}

skin::SkinButton* MainDialog::windowsMarker(int slot, bool on) const {
  const auto s = static_cast<std::size_t>(slot);
  return on ? markerOn_.at(s) : markerOff_.at(s);
}

skin::GifPlayer* MainDialog::colorFlow(int slot, int flow) const {
  return flows_.at(static_cast<std::size_t>(slot)).at(static_cast<std::size_t>(flow - 1));
}

platform::LRESULT MainDialog::handleMessage(platform::UINT msg, platform::WPARAM wParam,
                                            platform::LPARAM lParam) {
  if (msg == platform::WM_CLOSE) {
    // The mouse went away or the Monitor ended: a dialog open over the
    // window (a calibration, a trial, a question) ends with it as Cancel does.
    for (QWidget* modal = QApplication::activeModalWidget(); modal && modal != this;) {
      modal->close();
      QWidget* next = QApplication::activeModalWidget();
      if (next == modal) break;
      modal = next;
    }
    reject();
    return 0;
  }
  const bool openRequest = msg == platform::WM_COMMAND && platform::LOWORD(wParam) == 6001;
  if (openRequest || (msg == platform::WM_ACTIVATE && wParam == platform::WA_ACTIVE)) {
    bringToFront();
    return 0;
  }
  return model_.handle(msg, wParam, lParam);
}

void MainDialog::bringToFront() {
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
}

skin::LRESULT MainDialog::handleControlMessage(skin::UINT msg, skin::WPARAM wParam,
                                               skin::LPARAM lParam) {
  if (msg == skin::HelpTextMsg || msg == MainDialogModel::kLightChanged)
    model_.handle(msg, wParam, lParam);
  return skin::SkinDialog::handleControlMessage(msg, wParam, lParam);
}

void MainDialog::showPage(int kind) {
  if (kind < 0 || kind >= OptionPage::kCount) return;
  OptionPage& shown = ensurePage(kind);
  if (OptionPage* hidden = builtPage(visiblePage_); hidden && hidden != &shown)
    hidden->widget()->hide();
  visiblePage_ = kind;
  shown.widget()->show();
  for (int k = 0; k < OptionPage::kCount; ++k)
    tabs_[static_cast<std::size_t>(k)]->setSelected(k == kind);
}

void MainDialog::refresh() {
  refreshStrip();
  for (auto& page : pages_)
    if (page) page->refresh();
  showLanguageFlag();
  for (int k = 0; k < OptionPage::kCount; ++k)
    tabs_[static_cast<std::size_t>(k)]->setSelected(k == visiblePage_);
  mouseType_->setVisible(model_.working().MouseType == 1);
}

void MainDialog::refreshStrip() {
  for (int slot = 0; slot < 5; ++slot) {
    const auto s = static_cast<std::size_t>(slot);
    const MainDialogModel::SlotView v = model_.slot(slot);
    profileTabs_[s]->setSelected(v.selected);
    markerOn_[s]->setVisible(v.windowsProfile);
    markerOff_[s]->setVisible(!v.windowsProfile);
    names_[s]->setCaption(QString::fromUtf8(v.name.c_str()));
    names_[s]->setSelected(v.selected);
    for (int z = 0; z < 4; ++z)
      indicators_[s]->setColor(z, toColor(v.colors[static_cast<std::size_t>(z)]));
    for (int flow = 1; flow <= 5; ++flow) {
      skin::GifPlayer* player = colorFlow(slot, flow);
      if (flow == v.colorFlow) {
        if (player->frameCount() == 0)
          player->loadFile(QString::fromLatin1(skin::res::kColorFlowAnimations[flow - 1]));
        player->show();
        player->raise();
        if (!player->isPlaying()) player->play();
      } else if (player->isVisible() || player->isPlaying()) {
        player->stop();
        player->hide();
      }
    }
  }
}

void MainDialog::refreshMainPage() { refreshPage(OptionPage::Main); }
void MainDialog::refreshAdvancedPage() { refreshPage(OptionPage::Advanced); }
void MainDialog::refreshTrophyPage() { refreshPage(OptionPage::Trophy); }
void MainDialog::repaintColorIndicators() { refreshStrip(); }
void MainDialog::firmwareVersionChanged() { update(QRect(300, 8, 120, 24)); }

void MainDialog::showHelpText() {
  if (noticeTimer_.isActive()) return;  // a save notice is showing
  quickHelp_->setStyleSheet(QStringLiteral("color: rgb(200, 208, 216); background: transparent;"));
  quickHelp_->setText(skin::SkinContext::instance().helpText());
}

void MainDialog::showNotice(const QString& text) {
  saveNotice_ = text;
  quickHelp_->setStyleSheet(QStringLiteral("color: rgb(255, 190, 80); background: transparent;"));
  quickHelp_->setText(text);
  noticeTimer_.start(kNoticeMs);
}

void MainDialog::save() {
  completeSheets();  // OK and Apply are drawn disabled meanwhile
  QApplication::setOverrideCursor(Qt::WaitCursor);
  ok_->setEnabled(false);
  apply_->setEnabled(false);
  ok_->repaint();
  apply_->repaint();
  const apply::ApplySession::Outcome outcome = model_.save(apply::ApplySession::Mode::Apply);
  refreshMainPage();
  refreshAdvancedPage();
  QApplication::restoreOverrideCursor();
  ok_->setEnabled(true);
  apply_->setEnabled(true);
  saveNotice_.clear();
  if (!outcome.filesSaved)
    showNotice(QStringLiteral("The settings files could not be written."));
  else if (!outcome.complete())
    showNotice(QString::fromUtf8(apply::ApplySession::describe(outcome.result)));
}

void MainDialog::windowsMarkerClicked(int slot) {
  if (!model_.windowsProfileClicked(slot)) return;
  bool ok = false;
  if (nextWindowsAnswer_) {
    ok = *nextWindowsAnswer_;
    nextWindowsAnswer_.reset();
  } else {
    WindowsProfileDialog dialog(this);
    dialog.move(geometry().center() - dialog.rect().center());
    ok = dialog.exec() == QDialog::Accepted;
  }
  if (ok) model_.confirmWindowsProfile(slot);
}

void MainDialog::chooseLanguage() {
  int chosen = -1;
  if (nextLanguageAnswer_) {
    chosen = *nextLanguageAnswer_;
    nextLanguageAnswer_.reset();
  } else {
    LanguageListDialog list(this);
    list.move(LanguageListDialog::placeFor(language_->mapToGlobal(QPoint(0, 0))));
    chosen = list.exec();
  }
  if (chosen < 0 || chosen >= kLanguageCount) return;
  model_.setLanguage(chosen);
  applyLanguage();
}

void MainDialog::showLanguageFlag() {
  const int lang = model_.language();
  if (lang == shownFlag_) return;  // every refresh asks; decode only a change
  shownFlag_ = lang;
  language_->setPictures({skin::SkinResources::bitmap(skin::res::languageFlag(lang, 0)),
                          skin::SkinResources::bitmap(skin::res::languageFlag(lang, 1)),
                          skin::SkinResources::bitmap(skin::res::languageFlag(lang, 2)),
                          skin::SkinResources::bitmap(skin::res::languageFlag(lang, 0))});
}

void MainDialog::applyLanguage() {
  const int lang = model_.language();
  showLanguageFlag();
  help_.load(model_.programFolder(), lang, allHelpIds());
  auto apply = [this](skin::SkinButton* b, int id, const char* layout) {
    const auto text = help_.text(id);
    b->setHelpText(text ? QString::fromStdString(*text)
                        : skin::layoutHelp(skin::parseLayout(layout)));
  };
  for (int k = 0; k < OptionPage::kCount; ++k)
    apply(tabs_[static_cast<std::size_t>(k)], kTabHelp + k, mw::kTabs[k]);
  const char* files[4] = {mw::kCreate, mw::kLoad, mw::kSave, mw::kEdit};
  for (int i = 0; i < 4; ++i)
    apply(fileButtons_[static_cast<std::size_t>(i)], kFileButtonHelp + i, files[i]);
  for (int slot = 0; slot < 5; ++slot) {
    const auto s = static_cast<std::size_t>(slot);
    apply(profileTabs_[s], kProfileTabHelp + slot, mw::kProfileTabs[slot]);
    apply(names_[s], kProfileNameHelp + slot, mw::kProfileNames[slot]);
    apply(markerOff_[s], kMarkerOffHelp, mw::kWindowsProfile[slot]);
    apply(markerOn_[s], kMarkerOnHelp, mw::kWindowsProfile[slot]);
  }
  apply(minimize_, kMinimizeHelp, mw::kMinimize);
  apply(exit_, kExitHelp, mw::kExit);
  apply(ok_, kOkHelp, mw::kOk);
  apply(apply_, kApplyHelp, mw::kApply);
  apply(cancel_, kCancelHelp, mw::kCancel);
  for (auto& page : pages_)
    if (page) page->applyHelpTexts(help_);
  languageApplied_ = true;
}

void MainDialog::paintEvent(QPaintEvent* event) {
  if (!sheetsComplete_ && !completionQueued_) {
    // After this paint has reached the screen.
    completionQueued_ = true;
    QTimer::singleShot(0, this, &MainDialog::completeSheets);
  }
  skin::SkinDialog::paintEvent(event);
  QPainter painter(this);
  painter.setFont(skin::SkinResources::arialFont(14));
  painter.setPen(QColor(232, 236, 240));
  const QFontMetrics metrics(painter.font());
  painter.drawText(QPoint(mw::kSoftwareVersionX, mw::kSoftwareVersionY + metrics.ascent()),
                   QString::fromLatin1(kSoftwareVersion));
  painter.drawText(QPoint(mw::kFirmwareVersionX, mw::kFirmwareVersionY + metrics.ascent()),
                   QString::fromStdString(model_.firmwareText()));
}

void MainDialog::closeEvent(QCloseEvent* event) {
  // Closing by the window system is Cancel: nothing is saved.
  if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
  event->accept();
  reject();
}

}  // namespace option
