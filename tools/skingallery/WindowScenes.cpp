#include "WindowScenes.h"

#include <QCoreApplication>
#include <QPainter>

#include "FlagArt.h"
#include "skin/CclickHSlider.h"
#include "skin/DoubleClickTestButton.h"
#include "skin/LayoutEntry.h"
#include "skin/MainPageLayout.h"
#include "skin/MainWindowLayout.h"
#include "skin/PageSheets.h"
#include "skin/RegionFromBitmap.h"
#include "skin/SkinButton.h"
#include "skin/SkinDialog.h"
#include "skin/SkinPage.h"
#include "skin/SkinResourceIds.h"
#include "skin/SkinResources.h"
#include "skin/SmallDialogLayouts.h"
#include "skin/SpinEdit.h"
#include "skin/StateImage.h"

using namespace skin;

namespace gallery {

namespace mp = skin::mainpage;
namespace row = skin::mainpage::dpirow;

namespace {

LayoutEntry at(const char* layout) { return parseLayout(layout); }

LayoutEntry entryOf(const row::Box& box) {
  LayoutEntry e;
  e.left = box.left;
  e.top = box.top;
  e.right = box.right;
  e.bottom = box.bottom;
  return e;
}

QRect rectOf(const LayoutEntry& e) { return QRect(e.left, e.top, e.width(), e.height()); }

CclickHSlider* slider(int thumb, const LayoutEntry& place, QWidget* owner, const PageSheets& sheets,
                      int minimum, int maximum, int value) {
  auto* s = new CclickHSlider(thumb, place, owner, 0);
  s->setRange(minimum, maximum);
  s->setSnap(true);
  s->setBackground(sheets.normal());
  s->setFill(sheets.pressed());
  s->setPosition(value);
  return s;
}

SpinEdit* spin(const LayoutEntry& place, QWidget* owner, const PageSheets& sheets, int minimum,
               int maximum, int value) {
  auto* s = new SpinEdit(place, owner, 0);
  s->setSheets(sheets);
  s->setRange(minimum, maximum);
  s->setValue(value);
  return s;
}

struct SampleLevel {
  int x, y;
  bool enabled, linked;
};

// One DPI row: its picture (pressed while current) with its parts over it,
// each cut from the row's own pictures.
void buildDpiRow(QWidget* page, const PageSheets& sheets, int level, const SampleLevel& sample,
                 bool current) {
  const LayoutEntry place = at(mp::kDpiRows[level]);
  const ControlPictures own = sheets.cut(rectOf(place));
  auto* rowWidget = new StateImage(place, page);
  rowWidget->setImages(own.normal, own.normal, own.pressed);
  rowWidget->setState(current ? 2 : 0);
  const PageSheets rowSheets(own.normal, own.hover, own.pressed, own.disabled);

  auto* bar = new SkinButton(entryOf(row::kBar), rowWidget);
  bar->setSheets(rowSheets);
  bar->setSelected(current);
  auto* enable = new SkinButton(entryOf(row::kEnable), rowWidget);
  ControlPictures box = rowSheets.cut(rectOf(entryOf(row::kEnable)));
  box.disabled = box.pressed;
  enable->setPictures(box);
  enable->setCheckMode(true);
  enable->setSelected(sample.enabled);
  enable->setEnabled(!current);
  auto* link = new SkinButton(entryOf(row::kLink), rowWidget);
  ControlPictures chain = rowSheets.cut(rectOf(entryOf(row::kLink)));
  chain.disabled = chain.pressed;
  link->setPictures(chain);
  link->setCheckMode(true);
  link->setSelected(sample.linked);
  slider(res::kThumbDpi, entryOf(row::kSliderX), rowWidget, rowSheets, row::kMinimum, row::kMaximum,
         sample.x);
  slider(res::kThumbDpi, entryOf(row::kSliderY), rowWidget, rowSheets, row::kMinimum, row::kMaximum,
         sample.y);
  spin(entryOf(row::kSpinX), rowWidget, rowSheets, 100, 6400, sample.x * 100)->setStep(100);
  spin(entryOf(row::kSpinY), rowWidget, rowSheets, 100, 6400, sample.y * 100)->setStep(100);
}

SkinButton* pushButton(const char* layout, QWidget* parent, const PageSheets& sheets) {
  auto* b = new SkinButton(at(layout), parent);
  b->setSheets(sheets);
  return b;
}

}  // namespace

QWidget* buildMainPage(QWidget* window) {
  const PageSheets sheets = PageSheets::fromResources(res::kMainPageFace, res::kMainPageHover,
                                                      res::kMainPagePressed, res::kMainPageFace);
  auto* page = new SkinPage(window, sheets.normal(), SkinResources::bitmap(res::kPageMask));
  page->setObjectName(QStringLiteral("MainPage"));
  const LayoutEntry position = at(skin::mainwindow::kPagePosition);
  page->move(position.left, position.top);

  slider(res::kThumbLarge, at(mp::kSensitivity), page, sheets, 1, 11, 7);
  slider(res::kThumbLarge, at(mp::kScrollSpeed), page, sheets, 1, 10, 3);
  slider(res::kThumbLarge, at(mp::kTiltSpeed), page, sheets, 1, 10, 5);
  slider(res::kThumbSmall, at(mp::kDoubleClickSpeed), page, sheets, 1, 11, 7);
  spin(at(mp::kSensitivitySpin), page, sheets, -5, 5, 1);
  auto* notOnePage = pushButton(mp::kNotOnePage, page, sheets);
  notOnePage->setSelected(true);
  pushButton(mp::kOnePage, page, sheets)->setHover(true);
  new DoubleClickTestButton(at(mp::kDoubleClickTest), page);

  const SampleLevel levels[5] = {{4, 4, true, true},
                                 {8, 8, true, true},
                                 {16, 16, true, true},
                                 {32, 24, true, false},
                                 {64, 64, false, true}};
  for (int level = 0; level < 5; ++level)
    buildDpiRow(page, sheets, level, levels[level], level == 2);
  return page;
}

QImage shapedGrab(QWidget* window, const QImage& mask) {
  window->show();
  QCoreApplication::processEvents();
  const QImage grabbed = window->grab().toImage();
  QImage shaped(grabbed.size(), QImage::Format_ARGB32_Premultiplied);
  shaped.fill(Qt::transparent);
  QPainter p(&shaped);
  p.setClipRegion(regionFromBitmap(mask));
  p.drawImage(0, 0, grabbed);
  return shaped;
}

QImage windowsProfileDialog() {
  const PageSheets sheets =
      PageSheets::fromResources(res::kWindowsProfileDialogFace, res::kWindowsProfileDialogHover,
                                res::kWindowsProfileDialogPressed, res::kWindowsProfileDialogFace);
  SkinDialog dialog(nullptr, sheets.normal(), sheets.normal());
  pushButton(dialogs::kWindowsProfileOk, &dialog, sheets)->setHover(true);
  pushButton(dialogs::kWindowsProfileCancel, &dialog, sheets);
  pushButton(dialogs::kWindowsProfileExit, &dialog, sheets);
  return shapedGrab(&dialog, sheets.normal());
}

QImage languageList() {
  const PageSheets sheets =
      PageSheets::fromResources(res::kLanguageListFace, res::kLanguageListHover,
                                res::kLanguageListPressed, res::kLanguageListFace);
  SkinDialog list(nullptr, sheets.normal(), sheets.normal());
  for (int language = 0; language < skinart::kLanguageCount; ++language) {
    SkinButton* entry = pushButton(dialogs::kLanguageEntries[language], &list, sheets);
    if (language == 4) entry->setHover(true);
    if (language == 1) entry->setSelected(true);
  }
  return shapedGrab(&list, sheets.normal());
}

QImage languageFlags() {
  constexpr int kScale = 3, kCellWidth = 32 * 3 * kScale + 40, kCellHeight = 17 * kScale + 26;
  constexpr int kColumns = 3;
  const int rows = (skinart::kLanguageCount + kColumns - 1) / kColumns;
  QImage board(kColumns * kCellWidth + 20, rows * kCellHeight + 20, QImage::Format_RGB32);
  board.fill(QColor(13, 14, 17));
  QPainter p(&board);
  p.setPen(QColor(200, 204, 210));
  p.setFont(SkinResources::arialFont(12));
  for (int language = 0; language < skinart::kLanguageCount; ++language) {
    const int x = 10 + (language % kColumns) * kCellWidth,
              y = 10 + (language / kColumns) * kCellHeight;
    p.drawText(QRect(x, y, kCellWidth, 16), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("%1  %2").arg(language).arg(skinart::languageListName(language)));
    for (int state = 0; state < 3; ++state) {
      const QImage flag = SkinResources::bitmap(res::languageFlag(language, state));
      p.drawImage(QRect(x + state * (32 * kScale + 8), y + 20, 32 * kScale, 17 * kScale), flag);
    }
  }
  return board;
}

}  // namespace gallery
