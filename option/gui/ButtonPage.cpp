#include "ButtonPage.h"

#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QTimer>

#include "ButtonPageDialogs.h"
#include "option/MainDialogModel.h"
#include "skin/ButtonPageLayout.h"
#include "skin/CoolMenu.h"
#include "skin/LayoutEntry.h"
#include "skin/MainWindowLayout.h"
#include "skin/PageSheets.h"
#include "skin/SkinButton.h"
#include "skin/SkinLayout.h"
#include "skin/SkinResourceIds.h"
#include "skin/SkinResources.h"

namespace option {
namespace {

namespace bp = skin::buttonpage;
namespace res = skin::res;

// Where the highlight pictures of the two layers sit on the page.
const QPoint kLeftPictureAt(191, 32);
const QPoint kRightPictureAt(582, 32);

skin::ControlPictures barPictures(bool fixed) {
  using skin::SkinResources::bitmap;
  const QRect bar(0, 0, bp::kBarWidth, bp::kBarHeight);
  const skin::PageSheets set =
      fixed ? skin::PageSheets::fromResources(res::kFixedBarNormal, res::kFixedBarHover,
                                              res::kFixedBarPressed, res::kFixedBarDisabled)
            : skin::PageSheets::fromResources(res::kAssignableBarNormal, res::kAssignableBarHover,
                                              res::kAssignableBarPressed,
                                              res::kAssignableBarDisabled);
  return set.cut(bar);
}

void fill(skin::CoolMenu& menu, const std::vector<ButtonMenuItem>& items) {
  for (const ButtonMenuItem& item : items) {
    if (!item.submenu.empty()) {
      skin::CoolMenu* sub = menu.addSubmenu(QString::fromStdString(item.text), item.mark);
      sub->setItemWidth(item.minWidth);
      fill(*sub, item.submenu);
    } else if (item.isSeparator()) {
      menu.addItem({}, 0);
    } else {
      menu.addItem(QString::fromStdString(item.text), item.command, item.mark);
    }
  }
}

}  // namespace

ButtonPage::ButtonPage(const PageContext& context, ButtonAssignDialogs* dialogs)
    : skin::SkinPage(context.parent) {
  using skin::SkinResources::bitmap;
  setObjectName(QStringLiteral("ButtonPage"));
  if (!dialogs) {
    ownDialogs_ = std::make_unique<ButtonPageDialogs>(this, context.model.programFolder());
    dialogs = ownDialogs_.get();
  }
  MainDialogModel& main = context.model;
  model_ = std::make_unique<ButtonPageModel>(
      main.working(), [&main] { return main.shownProfile(); }, main.programFolder(),
      main.deviceInfo(), *dialogs);

  fixedBar_ = barPictures(true);
  assignableBar_ = barPictures(false);
  faceRight_ = bitmap(res::kButtonPageFace);
  faceLeft_ = bitmap(res::kButtonPageFaceLeftHanded);
  setFace(faceRight_);
  setMaskBitmap(bitmap(res::kPageMask));
  setGeometry(skin::layoutRect(skin::parseLayout(skin::mainwindow::kPagePosition)));
  const skin::PageSheets sheets(faceRight_, bitmap(res::kButtonPageHover),
                                bitmap(res::kButtonPagePressed), bitmap(res::kButtonPageDisabled));

  for (int slot = 0; slot < ButtonPageModel::kSlots; ++slot) {
    auto* b = new skin::SkinButton(skin::parseLayout(bp::kBars[slot]), this);
    b->setObjectName(QStringLiteral("ButtonBar%1").arg(slot + 1));
    b->setNotifyIndex(ButtonPageModel::kFirstNotifyIndex + slot);
    connect(b, &skin::SkinButton::clicked, this, [this, slot] { barClicked(slot); });
    bars_[static_cast<std::size_t>(slot)] = b;
  }
  const char* orientation[2] = {bp::kRightHanded, bp::kLeftHanded};
  for (int i = 0; i < 2; ++i) {
    auto* b = new skin::SkinButton(skin::parseLayout(orientation[i]), this);
    b->setSheets(sheets);
    connect(b, &skin::SkinButton::clicked, this, [this, i] {
      model_->setOrientation(i);
      applyOrientation();
    });
    orientation_[static_cast<std::size_t>(i)] = b;
  }
  macroManager_ = new skin::SkinButton(skin::parseLayout(bp::kMacroManager), this);
  macroManager_->setObjectName(QStringLiteral("MacroManagerButton"));
  macroManager_->setSheets(sheets);
  connect(macroManager_, &skin::SkinButton::clicked, this, [dialogs] {
    static const settings::ButtonSlot kNoSlot{};
    dialogs->openMacroManager(ButtonAssignDialogs::MacroManagerMode::Ordinary, -1, kNoSlot);
  });

  for (QLabel** label : {&leftPicture_, &rightPicture_}) {
    *label = new QLabel(this);
    (*label)->resize(res::kButtonHighlightWidth, res::kButtonHighlightHeight);
    (*label)->setAttribute(Qt::WA_TransparentForMouseEvents);
    (*label)->hide();
  }
  leftPicture_->setObjectName(QStringLiteral("HighlightLeft"));
  rightPicture_->setObjectName(QStringLiteral("HighlightRight"));
  leftPicture_->move(kLeftPictureAt);
  rightPicture_->move(kRightPictureAt);

  runMenu_ = [](skin::CoolMenu& menu, const QPoint& at) { return menu.execCommand(at); };
  refresh();
}

ButtonPage::~ButtonPage() = default;

void ButtonPage::refresh() {
  model_->hidePicture();
  showPicture();
  refreshBars();
  applyOrientation();
}

void ButtonPage::applyHelpTexts(const HelpTexts&) {}

void ButtonPage::refreshBars() {
  for (int slot = 0; slot < ButtonPageModel::kSlots; ++slot) {
    skin::SkinButton* b = bars_[static_cast<std::size_t>(slot)];
    b->setPictures(model_->isFixed(slot) ? fixedBar_ : assignableBar_);
    b->setCaption(QString::fromStdString(model_->displayName(slot)));
    b->repaint();
  }
}

void ButtonPage::applyOrientation() {
  const int o = model_->orientation();
  for (int i = 0; i < 2; ++i) orientation_[static_cast<std::size_t>(i)]->setSelected(i == o);
  setFace(o == 0 ? faceRight_ : faceLeft_);
  // The drawings of the two mice, and any highlight showing over them.
  showPicture();
  update();
}

const QImage& ButtonPage::highlight(int picture) {
  const int number = res::buttonHighlight(picture, model_->orientation() != 0);
  auto found = highlights_.find(number);
  if (found == highlights_.end())
    found = highlights_.emplace(number, skin::SkinResources::bitmap(number)).first;
  return found->second;
}

void ButtonPage::showPicture() {
  const int picture = model_->shownPicture();
  leftPicture_->hide();
  rightPicture_->hide();
  if (picture == ButtonPageModel::kNoPicture) return;
  QLabel* label = picture < 12 ? leftPicture_ : rightPicture_;
  label->setPixmap(QPixmap::fromImage(highlight(picture)));
  label->show();
}

skin::LRESULT ButtonPage::handleControlMessage(skin::UINT msg, skin::WPARAM wParam,
                                               skin::LPARAM lParam) {
  if (msg == skin::ButtonHoverMsg) {
    const int index = static_cast<int>(lParam);
    if (model_->pictureFor(index) != ButtonPageModel::kNoPicture) {
      model_->hover(wParam == 1, index);
      showPicture();
    }
    return 0;
  }
  return skin::SkinPage::handleControlMessage(msg, wParam, lParam);
}

std::unique_ptr<skin::CoolMenu> ButtonPage::buildMenu(int slot) {
  const ButtonMenu built = model_->menuFor(slot);
  auto menu = std::make_unique<skin::CoolMenu>(this);
  menu->setItemWidth(built.minWidth);
  fill(*menu, built.items);
  return menu;
}

void ButtonPage::barClicked(int slot) {
  if (!model_->barClicked(slot)) return;
  model_->reloadLists();
  skin::SkinButton* b = bar(slot);
  const std::unique_ptr<skin::CoolMenu> menu = buildMenu(slot);
  const int command = runMenu_(*menu, b->mapToGlobal(QPoint(0, b->height())));
  // A click that closed the menu on this same bar must not open it again.
  const bool closedOnBar = (QGuiApplication::mouseButtons() & Qt::LeftButton) &&
                           b->rect().contains(b->mapFromGlobal(QCursor::pos()));
  model_->menuClosed(slot, closedOnBar);
  // Only a press replayed onto the bar is the closing click; when none came,
  // the bar's next click is the user's own.
  if (closedOnBar)
    QTimer::singleShot(0, this, [this, b, slot] {
      if (!b->isDown()) model_->menuClosed(slot, false);
    });
  if (command != 0 && model_->choose(slot, command)) refreshBars();
  // The bar under the cursor shows its state anew, and the page takes the focus back.
  for (skin::SkinButton* other : bars_) other->update();
  setFocus();
}

}  // namespace option
