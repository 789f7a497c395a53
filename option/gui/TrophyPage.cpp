#include "TrophyPage.h"

#include <QCoreApplication>
#include <QPainter>
#include <chrono>
#include <thread>

#include "TrophyIcon.h"
#include "TrophyResetDialog.h"
#include "option/HelpTexts.h"
#include "option/MainDialogModel.h"
#include "skin/GifPlayer.h"
#include "skin/LayoutEntry.h"
#include "skin/MainWindowLayout.h"
#include "skin/PageSheets.h"
#include "skin/SkinButton.h"
#include "skin/SkinContext.h"
#include "skin/SkinLayout.h"
#include "skin/SkinResourceIds.h"
#include "skin/SkinResources.h"
#include "skin/TrophyPageLayout.h"

namespace option {
namespace {

namespace tp = skin::trophypage;

constexpr const char* kButtons[6] = {tp::kPreviousView, tp::kNextView, tp::kPreviousTrophy,
                                     tp::kNextTrophy,   tp::kShare,    tp::kReset};
constexpr int kFirstTrophyHelp = 1091;
constexpr const char* kViewNames[3] = {"TOTAL", "PER HOUR", "PER DAY"};

// How each trophy is earned, for its hover text until the help texts name it.
constexpr const char* kTrophyHow[13] = {"1,000 profile and DPI changes",
                                        "10,000 profile and DPI changes",
                                        "25,000 profile and DPI changes",
                                        "50,000 clicks",
                                        "500,000 clicks",
                                        "1,000,000 clicks",
                                        "10,000 distance points",
                                        "500,000 distance points",
                                        "1,000,000 distance points",
                                        "30,000 scroll steps",
                                        "200,000 scroll steps",
                                        "500,000 scroll steps",
                                        "every other trophy"};

QString defaultTrophyHelp(int t) {
  return QStringLiteral("%1: earned for %2")
      .arg(QLatin1String(tp::kTrophyNames[t]), QLatin1String(kTrophyHow[t]));
}

QImage trophyPicture(int t, bool earned) {
  return skin::SkinResources::bitmap(
      (earned ? skin::res::kTrophyEarnedBase : skin::res::kTrophyLockedBase) + t);
}

QFont textFont(TrophyPageModel::Font font) {
  switch (font) {
    case TrophyPageModel::Font::Narrow: {
      QFont f(QStringLiteral("Liberation Sans Narrow"));
      f.setPixelSize(14);
      return f;
    }
    case TrophyPageModel::Font::Bold:
      return skin::SkinResources::arialFont(14, 0, QFont::Bold);
    case TrophyPageModel::Font::Title:
      break;
  }
  return skin::SkinResources::arialFont(15, 0, QFont::Bold);
}

}  // namespace

TrophyPage::TrophyPage(const PageContext& context)
    : skin::SkinPage(context.parent),
      dialog_(context.model),
      model_(context.model.working(), context.model.programFolder()),
      site_(MakerSite::load(context.model.programFolder())) {
  using skin::SkinResources::bitmap;
  setObjectName(QStringLiteral("TrophyPage"));
  const QImage face = bitmap(skin::res::kTrophyPageFace);
  setFace(face);
  setMaskBitmap(bitmap(skin::res::kPageMask));
  setGeometry(skin::layoutRect(skin::parseLayout(skin::mainwindow::kPagePosition)));
  const skin::PageSheets sheets(face, bitmap(skin::res::kTrophyPageHover),
                                bitmap(skin::res::kTrophyPagePressed), face);
  bar_ = bitmap(skin::res::kLevelBar);

  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    auto* b = new skin::SkinButton(skin::parseLayout(kButtons[i]), this);
    b->setSheets(sheets);
    b->setHandCursor(true);
    buttons_[i] = b;
  }
  connect(buttons_[0], &skin::SkinButton::clicked, this, [this] {
    model_.previousView();
    update();
  });
  connect(buttons_[1], &skin::SkinButton::clicked, this, [this] {
    model_.nextView();
    update();
  });
  connect(buttons_[2], &skin::SkinButton::clicked, this, [this] {
    model_.previousTrophy();
    showTrophy();
  });
  connect(buttons_[3], &skin::SkinButton::clicked, this, [this] {
    model_.nextTrophy();
    showTrophy();
  });
  connect(buttons_[4], &skin::SkinButton::clicked, this, &TrophyPage::share);
  connect(buttons_[5], &skin::SkinButton::clicked, this, &TrophyPage::reset);

  const skin::LayoutEntry barPlace = skin::parseLayout(tp::kLevelBar);
  for (int level = 1; level <= TrophyPageModel::kTrophyCount; ++level) {
    auto* gif = new skin::GifPlayer(barPlace, this);
    gif->setObjectName(QStringLiteral("Level%1").arg(level));
    gif->loadFile(QString::asprintf(skin::res::kLevelAnimationFormat, level));
    gif->hide();
    levels_[static_cast<std::size_t>(level - 1)] = gif;
  }
  shown_ = new TrophyIcon(skin::layoutRect(skin::parseLayout(tp::kShownTrophy)), this);
  shown_->setObjectName(QStringLiteral("ShownTrophy"));
  for (int t = 0; t < TrophyPageModel::kTrophyCount; ++t) {
    auto* icon =
        new TrophyIcon(QRect(tp::iconX(t), tp::iconY(t), tp::kIconSize, tp::kIconSize), this);
    icon->setObjectName(QStringLiteral("Trophy%1").arg(t + 1));
    icons_[static_cast<std::size_t>(t)] = icon;
    trophyHelp_[static_cast<std::size_t>(t)] = defaultTrophyHelp(t);
  }
}

TrophyPage::~TrophyPage() {
  if (cancelTransfer_) cancelTransfer_->store(true);
  if (transfer_.joinable()) transfer_.join();
}

skin::SkinButton* TrophyPage::button(const char* layout) const {
  for (std::size_t i = 0; i < buttons_.size(); ++i)
    if (std::string_view(kButtons[i]) == layout) return buttons_[i];
  return nullptr;
}

skin::GifPlayer* TrophyPage::levelPicture(int level) const {
  if (level < 1 || level > TrophyPageModel::kTrophyCount) return nullptr;
  return levels_[static_cast<std::size_t>(level - 1)];
}

void TrophyPage::refresh() {
  const int previous = model_.level();
  if (model_.refresh()) showLevel(previous);
  showTrophy();
}

void TrophyPage::showLevel(int previous) {
  if (skin::GifPlayer* old = levelPicture(previous)) {
    old->stop();
    old->hide();
  }
  if (skin::GifPlayer* now = levelPicture(model_.level())) {
    now->show();
    now->play();
  }
  update(skin::layoutRect(skin::parseLayout(tp::kLevelArea)));
  update(skin::layoutRect(skin::parseLayout(tp::kLevelBar)));
}

void TrophyPage::showTrophy() {
  const int t = model_.trophy();
  shown_->setPicture(trophyPicture(t, model_.earned(t)));
  shown_->setHelpText(trophyHelp_[static_cast<std::size_t>(t)]);
  for (int i = 0; i < TrophyPageModel::kTrophyCount; ++i) {
    TrophyIcon* icon = icons_[static_cast<std::size_t>(i)];
    icon->setPicture(trophyPicture(i, model_.earned(i)));
    icon->setHelpText(trophyHelp_[static_cast<std::size_t>(i)]);
  }
  update();
}

void TrophyPage::paintEvent(QPaintEvent* event) {
  skin::SkinPage::paintEvent(event);
  QPainter p(this);
  const QRect barPlace = skin::layoutRect(skin::parseLayout(tp::kLevelBar));
  const int lit = model_.barWidth(barPlace.width());
  if (lit > 0 && !bar_.isNull())
    p.drawImage(barPlace.topLeft(), bar_, QRect(0, 0, lit, barPlace.height()));
  p.setPen(QColor(240, 240, 240));
  for (const TrophyPageModel::Text& text : model_.texts()) {
    const QFont font = textFont(text.font);
    p.setFont(font);
    p.drawText(QPoint(text.x, text.y + QFontMetrics(font).ascent()),
               QString::fromStdString(text.text));
  }
  p.setFont(skin::SkinResources::arialFont(12, 0, QFont::Bold));
  p.setPen(QColor(53, 160, 222));
  p.drawText(skin::layoutRect(skin::parseLayout(tp::kViewTitle)), Qt::AlignCenter,
             QString::fromLatin1(kViewNames[model_.view()]));
  const int t = model_.trophy();
  p.setFont(skin::SkinResources::arialFont(13, 0, QFont::Bold));
  p.setPen(model_.earned(t) ? QColor(240, 240, 240) : QColor(150, 156, 166));
  p.drawText(QRect(264, 218, 245, 18), Qt::AlignCenter, QString::fromLatin1(tp::kTrophyNames[t]));
  if (!notice_.isEmpty()) {
    p.setFont(skin::SkinResources::arialFont(11));
    p.setPen(QColor(230, 160, 90));
    p.drawText(QRect(264, 238, 245, 36), Qt::AlignCenter | Qt::TextWordWrap, notice_);
  }
}

void TrophyPage::reset() {
  bool ok = false;
  if (confirmReset_) {
    ok = confirmReset_();
  } else {
    TrophyResetDialog dialog(this);
    if (QWidget* top = window()) dialog.move(top->geometry().center() - dialog.rect().center());
    ok = dialog.exec() == QDialog::Accepted;
  }
  if (!ok) return;
  const settings::UsageInfo& block = model_.resetCounters();
  notice_ = dialog_.resetStatistics(block)
                ? QString()
                : QStringLiteral("The counters are reset here but could not be stored.");
  refresh();
}

void TrophyPage::share() {
  if (sharing_) return;
  sharing_ = true;
  buttons_[4]->setEnabled(false);
  notice_ = QStringLiteral("Asking the trophy service\u2026");
  update();
  const auto now = std::time(nullptr);
  const std::string url = TrophyShare::requestUrl(site_.trophyService, model_.trophy(), now,
                                                  static_cast<std::uint32_t>(now));
  // The transfer runs on a thread of its own so the window never freezes;
  // the answer comes back through the event loop, and is dropped when the
  // page is gone by then.
  // The previous transfer has answered (sharing_ was clear) and its thread
  // is at most returning.
  if (transfer_.joinable()) transfer_.join();
  cancelTransfer_ = std::make_shared<std::atomic<bool>>(false);
  QPointer<TrophyPage> page(this);
  transfer_ = std::thread([page, url, get = httpGet_, cancel = cancelTransfer_] {
    std::string answer = get(url, *cancel);
    if (cancel->load()) return;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [page, answer = std::move(answer)] {
          if (page) page->shareAnswered(answer);
        },
        Qt::QueuedConnection);
  });
}

void TrophyPage::shareAnswered(const std::string& answer) {
  sharing_ = false;
  buttons_[4]->setEnabled(true);
  const std::string address = TrophyShare::safeAddress(answer);
  if (address.empty()) {
    notice_ = answer.empty() ? QStringLiteral("The trophy service did not answer.")
                             : QStringLiteral(
                                   "The trophy service answered with an address "
                                   "that is not safe to open.");
  } else {
    notice_.clear();
    skin::SkinContext::instance().shellOpen(QString::fromStdString(address));
  }
  update();
  emit shareFinished(QString::fromStdString(address));
}

void TrophyPage::applyHelpTexts(const HelpTexts& texts) {
  for (int t = 0; t < TrophyPageModel::kTrophyCount; ++t) {
    const auto text = texts.text(kFirstTrophyHelp + t);
    trophyHelp_[static_cast<std::size_t>(t)] =
        text ? QString::fromStdString(*text) : defaultTrophyHelp(t);
  }
  constexpr int kButtonHelp[6] = {1104, 1105, 1106, 1107, 1108, 1109};
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    const auto text = texts.text(kButtonHelp[i]);
    if (text) buttons_[i]->setHelpText(QString::fromStdString(*text));
  }
  showTrophy();
}

}  // namespace option
