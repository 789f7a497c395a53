// vesk-skin-gallery OUTDIR: renders every skinned control in each of its
// states, a popup menu, animation frames, the main window with its Main page
// and the popup dialogs with their shapes applied, and the language flags, to
// PNG files, using the skin art of the program folder; then the Configuration
// program's Color, Trophy and Update pages and the Firmware updater's window
// and dialogs as those programs build them.
#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QPainter>
#include <cstdio>
#include <vector>

#include "CalibrationScenes.h"
#include "DialogScenes.h"
#include "GalleryBoard.h"
#include "OptionPage.h"
#include "ProgramScenes.h"
#include "UpdaterScenes.h"
#include "WindowArt.h"
#include "WindowScenes.h"
#include "skin/BitmapEdit.h"
#include "skin/CPHSlider.h"
#include "skin/CclickHSlider.h"
#include "skin/ColorDotsIndicator.h"
#include "skin/CoolMenu.h"
#include "skin/DoubleClickTestButton.h"
#include "skin/DpiSpinEdit.h"
#include "skin/GifAnimation.h"
#include "skin/GifPlayer.h"
#include "skin/LinkLabel.h"
#include "skin/MainWindowLayout.h"
#include "skin/PageSheets.h"
#include "skin/RegionFromBitmap.h"
#include "skin/SkinButton.h"
#include "skin/SkinComboBox.h"
#include "skin/SkinContext.h"
#include "skin/SkinDialog.h"
#include "skin/SkinProgressBar.h"
#include "skin/SkinResourceIds.h"
#include "skin/SkinResources.h"
#include "skin/SpinEdit.h"
#include "skin/StateImage.h"

using namespace skin;
namespace mw = skin::mainwindow;

namespace {

QString outDir;
int written = 0;
int notWritten = 0;

void save(const QImage& image, const QString& name) {
  const QString path = outDir + QLatin1Char('/') + name;
  if (!image.save(path)) {
    std::fprintf(stderr, "vesk-skin-gallery: cannot write %s\n", qPrintable(path));
    ++notWritten;
    return;
  }
  ++written;
}

LayoutEntry at(const char* layout) { return parseLayout(layout); }

// Cut from the main window's sheets at the control's own place there.
ControlPictures picturesAt(const PageSheets& sheets, const char* layout) {
  const LayoutEntry e = at(layout);
  return sheets.cut(QRect(e.left, e.top, e.width(), e.height()));
}

SkinButton* button(const ControlPictures& pictures, const QString& name) {
  auto* b = new SkinButton;
  b->setObjectName(name);
  b->resize(pictures.normal.size());
  b->setPictures(pictures);
  return b;
}

// A small sample window drawn by the art generator's own table machinery,
// for the kinds of controls the main window does not have.
const char* const kSampleCheck = "Check,0,0,150,16,";
const char* const kSampleRadio = "Radio,0,20,150,16,";
const char* const kSampleTrack = "Track,0,40,180,21,";
const char* const kSampleDpiTrack = "Dpi track,0,66,180,5,";
const char* const kSampleSpin = "Spin,0,80,51,17,";

PageSheets sampleSheets() {
  skinart::WindowArt art;
  art.size = QSize(200, 100);
  art.background = [](QPainter& p, const QSize& size) {
    p.fillRect(QRect(QPoint(0, 0), size), QColor(13, 14, 17));
  };
  art.controls = {{kSampleCheck, skinart::ArtKind::CheckBox, "Enable acceleration"},
                  {kSampleRadio, skinart::ArtKind::Radio, "Breathing"},
                  {kSampleTrack, skinart::ArtKind::SliderTrack, {}},
                  {kSampleDpiTrack, skinart::ArtKind::SliderTrack, {}},
                  {kSampleSpin, skinart::ArtKind::Spin, {}}};
  return PageSheets(skinart::renderSheet(art, skinart::State::Normal),
                    skinart::renderSheet(art, skinart::State::Hover),
                    skinart::renderSheet(art, skinart::State::Pressed),
                    skinart::renderSheet(art, skinart::State::Disabled));
}

void hoverLabel(LinkLabel* label) {
  QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
  QCoreApplication::sendEvent(label, &enter);
}

void renderMainWindow(const PageSheets& sheets) {
  SkinDialog window(nullptr, sheets.normal(), sheets.normal());
  window.setObjectName(QStringLiteral("MainDialog"));
  SkinContext::instance().setMainWindow(&window);
  std::vector<SkinButton*> tabs;
  for (const char* layout : mw::kTabs) {
    auto* tab = new SkinButton(at(layout), &window);
    tab->setSheets(sheets);
    tabs.push_back(tab);
  }
  tabs[0]->setSelected(true);
  tabs[2]->setHover(true);
  for (const char* layout : {mw::kCreate, mw::kLoad, mw::kSave, mw::kEdit, mw::kOk, mw::kApply,
                             mw::kCancel, mw::kMinimize, mw::kExit}) {
    (new SkinButton(at(layout), &window))->setSheets(sheets);
  }
  const QString names[5] = {"FPS Arena", "MMO Raid", "Desktop", "Racing", "Default 5"};
  const PageSheets markerOn(sheets.pressed(), sheets.pressed(), sheets.pressed(),
                            sheets.disabled());
  for (int slot = 0; slot < 5; ++slot) {
    auto* tab = new SkinButton(at(mw::kProfileTabs[slot]), &window);
    tab->setSheets(sheets);
    tab->setSelected(slot == 0);
    auto* name = new SkinButton(at(mw::kProfileNames[slot]), &window);
    name->setSheets(sheets);
    name->setCaption(names[slot]);
    name->setSelected(slot == 0);
    auto* marker = new SkinButton(at(mw::kWindowsProfile[slot]), &window);
    marker->setSheets(slot == 2 ? markerOn : sheets);
    if (slot == 3) {
      auto* flow = new GifPlayer(at(mw::kProfileColorFlows[slot]), &window);
      flow->loadFile(QString::fromLatin1(res::kColorFlowAnimations[1]));
    } else {
      auto* dots = new ColorDotsIndicator(at(mw::kProfileColors[slot]), &window);
      const QColor zones[5][4] = {
          {Qt::red, Qt::red, QColor(255, 60, 0), QColor(255, 60, 0)},
          {QColor(0, 200, 255), QColor(0, 120, 255), QColor(0, 200, 255), QColor(0, 120, 255)},
          {QColor(0, 255, 120), QColor(0, 255, 120), QColor(0, 255, 120), QColor(0, 255, 120)},
          {},
          {Qt::black, Qt::black, Qt::black, Qt::black}};
      for (int zone = 0; zone < 4; ++zone) dots->setColor(zone, zones[slot][zone]);
    }
  }
  auto* language = new SkinButton(at(mw::kLanguage), &window);
  language->setPictures({SkinResources::bitmap(res::languageFlag(1, 0)),
                         SkinResources::bitmap(res::languageFlag(1, 1)),
                         SkinResources::bitmap(res::languageFlag(1, 2)),
                         SkinResources::bitmap(res::languageFlag(1, 0))});
  auto* help = new LinkLabel(at(mw::kQuickHelp), &window);
  help->setGeometry(help->geometry().adjusted(8, 0, -8, 0));
  help->setText(QStringLiteral("Advanced settings for the selected device"));
  help->setTextColor(QColor(224, 224, 224));
  for (const auto& [x, text] :
       {std::pair{mw::kSoftwareVersionX, "1.06"}, std::pair{mw::kFirmwareVersionX, "1.05"}}) {
    auto* version = new LinkLabel(at("Version,0,0,60,17,"), &window);
    version->move(x, mw::kSoftwareVersionY);
    version->setFont(SkinResources::arialFont(14));
    version->setText(QString::fromLatin1(text));
  }
  gallery::buildMainPage(&window);
  save(gallery::shapedGrab(&window, sheets.normal()), QStringLiteral("main-window.png"));
  for (const auto& [sheet, name] : {std::pair{&sheets.hover(), "main-sheet-hover.png"},
                                    std::pair{&sheets.pressed(), "main-sheet-pressed.png"},
                                    std::pair{&sheets.disabled(), "main-sheet-disabled.png"}})
    save(*sheet, QString::fromLatin1(name));
  SkinContext::instance().setMainWindow(nullptr);
}

void renderControls(const PageSheets& sheets) {
  GalleryBoard board(980);
  struct Saved {
    QWidget* widget;
    QString file;
  };
  std::vector<Saved> singles;
  auto four = [&](const char* layout, const QString& kind, bool checkMode) {
    const ControlPictures pictures = picturesAt(sheets, layout);
    board.beginRow(kind, pictures.normal.height());
    const char* states[4] = {"normal", "hover", "pressed", "disabled"};
    for (int s = 0; s < 4; ++s) {
      SkinButton* b = button(pictures, kind);
      b->setCheckMode(checkMode);
      if (s == 1) b->setHover(true);
      if (s == 2) b->setSelected(true);
      if (s == 3) b->setEnabled(false);
      board.place(
          b, checkMode && s == 2 ? QStringLiteral("selected") : QString::fromLatin1(states[s]));
      singles.push_back(
          {b, QStringLiteral("%1-%2.png").arg(kind.toLower().replace(' ', '-'), states[s])});
    }
  };
  four(mw::kCreate, QStringLiteral("Push button"), false);
  four(mw::kOk, QStringLiteral("Dialog button"), false);
  four(mw::kTabs[1], QStringLiteral("Page tab"), true);
  four(mw::kProfileTabs[0], QStringLiteral("Profile slot"), true);
  four(mw::kWindowsProfile[0], QStringLiteral("Windows marker"), false);
  four(mw::kExit, QStringLiteral("Close"), false);
  const PageSheets samples = sampleSheets();
  auto fourSample = [&](const char* layout, const QString& kind) {
    const ControlPictures pictures = picturesAt(samples, layout);
    board.beginRow(kind, pictures.normal.height());
    const char* states[4] = {"normal", "hover", "selected", "disabled"};
    for (int s = 0; s < 4; ++s) {
      SkinButton* b = button(pictures, kind);
      b->setCheckMode(true);
      if (s == 1) b->setHover(true);
      if (s == 2) b->setSelected(true);
      if (s == 3) b->setEnabled(false);
      board.place(b, QString::fromLatin1(states[s]));
      singles.push_back(
          {b, QStringLiteral("%1-%2.png").arg(kind.toLower().replace(' ', '-'), states[s])});
    }
  };
  fourSample(kSampleCheck, QStringLiteral("Check box"));
  fourSample(kSampleRadio, QStringLiteral("Radio member"));

  board.beginRow(QStringLiteral("Sliders"), 24);
  const std::pair<int, int> thumbs[4] = {{res::kThumbLarge, 2},
                                         {res::kThumbLargeAlt, 8},
                                         {res::kThumbSmall, 11},
                                         {res::kThumbDpi, 40}};
  for (const auto& [thumb, value] : thumbs) {
    const bool dpi = thumb == res::kThumbDpi;
    auto* slider = new CclickHSlider(thumb, at(dpi ? kSampleDpiTrack : kSampleTrack), nullptr, 1);
    slider->setRange(1, dpi ? 64 : 11);
    slider->setBackground(samples.normal());
    slider->setPosition(value);
    board.place(slider, QStringLiteral("thumb %1, value %2").arg(thumb).arg(value));
  }

  board.beginRow(QStringLiteral("Edit fields"), 20);
  auto* text = new BitmapEdit(at("Name,0,0,150,18,"), nullptr);
  text->setText(QStringLiteral("FPS Arena"));
  board.place(text, QStringLiteral("text"));
  auto* numeric = new BitmapEdit(at("Number,0,0,60,18,"), nullptr);
  numeric->setColors(Qt::white, Qt::black);
  numeric->setNumeric(true);
  numeric->setText(QStringLiteral("1600"));
  board.place(numeric, QStringLiteral("numeric"));
  auto* spin = new SpinEdit(at(kSampleSpin), nullptr, 1);
  spin->setSheets(
      PageSheets(samples.normal(), samples.hover(), samples.pressed(), samples.disabled()));
  spin->setRange(-30, 30);
  spin->setValue(-12);
  board.place(spin, QStringLiteral("spin -30..30"));
  auto* spinHover = new SpinEdit(at(kSampleSpin), nullptr, 2);
  spinHover->setSheets(samples);
  spinHover->setRange(0, 10);
  spinHover->setValue(7);
  spinHover->upArrow()->setHover(true);
  board.place(spinHover, QStringLiteral("arrow hover"));
  auto* dpi = new DpiSpinEdit(at(kSampleSpin), nullptr, 3);
  dpi->setSheets(samples);
  dpi->setRange(100, 2800);
  dpi->setValue(2400);
  board.place(dpi, QStringLiteral("DPI 2400 shown"));

  board.beginRow(QStringLiteral("Indicators"), 34);
  board.place(new ColorDotsIndicator(at("Dots,0,0,23,23,"), nullptr),
              QStringLiteral("colour dots"));
  auto* dots = new ColorDotsIndicator(at("Dots,0,0,23,23,"), nullptr);
  dots->setColor(0, QColor(53, 160, 222));
  dots->setColor(1, QColor(0, 255, 120));
  dots->setColor(2, QColor(255, 180, 0));
  dots->setColor(3, QColor(220, 0, 255));
  board.place(dots, QStringLiteral("four zones"));
  for (int state = 0; state < 3; ++state) {
    auto* image = new StateImage(at("State,0,0,32,17,"), nullptr);
    image->setImages(SkinResources::bitmap(res::languageFlag(4, 0)),
                     SkinResources::bitmap(res::languageFlag(4, 1)),
                     SkinResources::bitmap(res::languageFlag(4, 2)));
    image->setState(state);
    board.place(image, QStringLiteral("state %1").arg(state));
  }
  for (int position : {0, 12, 30}) {
    auto* bar = new SkinProgressBar(at("Progress bar,0,0,128,15,"), nullptr);
    bar->setRange(0, 30);
    bar->setPosition(position);
    board.place(bar, QStringLiteral("progress %1/30").arg(position));
  }

  board.beginRow(QStringLiteral("Lists and links"), 22);
  auto* combo = new SkinComboBox(at("Combo,0,0,150,20,"), nullptr);
  combo->addItems({QStringLiteral("Windows Media Player"), QStringLiteral("Winamp")});
  board.place(combo, QStringLiteral("combo box"));
  auto* link = new LinkLabel(at("Link,0,0,170,16,"), nullptr);
  link->setText(QStringLiteral("support@vesk.example"));
  link->setLinkMode(true);
  board.place(link, QStringLiteral("link"));
  auto* linkHover = new LinkLabel(at("Link,0,0,170,16,"), nullptr);
  linkHover->setText(QStringLiteral("support@vesk.example"));
  linkHover->setLinkMode(true);
  board.place(linkHover, QStringLiteral("link under the mouse"));
  hoverLabel(linkHover);
  auto* label = new LinkLabel(at("Text,0,0,170,16,"), nullptr);
  label->setText(QStringLiteral("Firmware 1.05 installed"));
  board.place(label, QStringLiteral("plain text"));

  board.beginRow(QStringLiteral("Pictures"), 34);
  board.place(new DoubleClickTestButton(at("Double Click Test,0,0,42,23,"), nullptr),
              QStringLiteral("double-click test"));
  auto* clip = new GifPlayer(at("Clip,0,0,42,23,"), nullptr);
  clip->loadFile(QString::fromLatin1(res::kDoubleClickClip));
  board.place(clip, QStringLiteral("its clip"));
  auto* progress = new GifPlayer(at("Progress bar,0,0,128,15,"), nullptr);
  progress->loadFile(QString::fromLatin1(res::kProgressAnimation));
  board.place(progress, QStringLiteral("progress animation"));
  auto* level = new GifPlayer(at("Level,0,0,220,34,"), nullptr);
  level->loadFile(QString::asprintf(res::kLevelAnimationFormat, 9));
  board.place(level, QStringLiteral("trophy level 9"));

  board.show();
  QCoreApplication::processEvents();
  save(board.render(), QStringLiteral("controls.png"));
  for (const Saved& s : singles) save(s.widget->grab().toImage(), s.file);
}

void renderMenu() {
  GalleryBoard board(420);
  board.beginRow(QStringLiteral("Popup menu"), 150);
  auto* menu = new CoolMenu;
  menu->setItemWidth(176);
  menu->addItem(QStringLiteral("Left Button"), 1);
  QAction* marked = menu->addItem(QStringLiteral("Right Button"), 2, true);
  menu->addItem(QStringLiteral("Middle Button"), 3);
  menu->addItem(QString(), 0);
  CoolMenu* macros = menu->addSubmenu(QStringLiteral("Macro"));
  macros->addItem(QStringLiteral("Reload"), 10);
  menu->addItem(QStringLiteral("Vesk Chorus"), 4, false, true);
  menu->addItem(QStringLiteral("Profile Cycle"), 5);
  menu->popup(QPoint(30, 30));
  QCoreApplication::processEvents();
  menu->setActiveAction(marked);
  QCoreApplication::processEvents();
  const QImage image = menu->grab().toImage();
  save(image, QStringLiteral("popup-menu.png"));
  menu->close();
  delete menu;
}

void renderAnimationFrames() {
  const std::pair<QString, int> animations[] = {
      {QString::fromLatin1(res::kProgressAnimation), 6},
      {QString::asprintf(res::kLevelAnimationFormat, 13), 4},
      {QString::fromLatin1(res::kColorFlowAnimations[0]), 6},
      {QString::fromLatin1(res::kColorFlowAnimations[3]), 6},
      {QString::fromLatin1(res::kDoubleClickClip), 6}};
  QImage strip(760, 260, QImage::Format_ARGB32_Premultiplied);
  strip.fill(QColor(13, 14, 17));
  QPainter p(&strip);
  int y = 12;
  for (const auto& [file, count] : animations) {
    GifAnimation animation;
    animation.load(SkinResources::fileData(file));
    int x = 12;
    for (int frame = 0; frame < count; ++frame) {
      for (int step = 0; step < 3; ++step) animation.advance();
      p.drawImage(x, y, animation.canvas());
      x += animation.size().width() + 10;
    }
    if (file == QString::fromLatin1(res::kProgressAnimation))
      save(animation.canvas(), QStringLiteral("gif-frame.png"));
    y += animation.size().height() + 12;
  }
  p.end();
  save(strip, QStringLiteral("animation-frames.png"));
}

// The Button Assign page's 60 highlight pictures, right hand above left,
// at half size: each lights one button of the drawing.
void renderButtonHighlights() {
  const int w = res::kButtonHighlightWidth / 2, h = res::kButtonHighlightHeight / 2;
  QImage sheet(12 * (w + 4) + 4, 10 * (h + 4) + 4, QImage::Format_RGB32);
  sheet.fill(QColor(13, 14, 17));
  QPainter p(&sheet);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  for (int hand = 0; hand < 2; ++hand)
    for (int picture = 0; picture < res::kButtonHighlightCount; ++picture) {
      const int row = hand * 5 + picture / 12, column = picture % 12;
      p.drawImage(QRect(4 + column * (w + 4), 4 + row * (h + 4), w, h),
                  SkinResources::bitmap(res::buttonHighlight(picture, hand == 1)));
    }
  p.end();
  save(sheet, QStringLiteral("button-highlights.png"));
}

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: vesk-skin-gallery OUTDIR\n");
    return 2;
  }
  outDir = QString::fromLocal8Bit(argv[1]);
  if (!QDir().mkpath(outDir)) {
    std::fprintf(stderr, "vesk-skin-gallery: cannot create %s\n", qPrintable(outDir));
    return 1;
  }
  const PageSheets sheets = PageSheets::fromResources(res::kMainFace, res::kMainHover,
                                                      res::kMainPressed, res::kMainDisabled);
  if (sheets.normal().isNull()) {
    std::fprintf(stderr, "vesk-skin-gallery: no skin art in %s (build the vesk_skin_art target)\n",
                 qPrintable(SkinContext::instance().programFolder()));
    return 1;
  }
  renderMainWindow(sheets);
  save(gallery::windowsProfileDialog(), QStringLiteral("dialog-windows-profile.png"));
  save(gallery::languageList(), QStringLiteral("dialog-language-list.png"));
  save(gallery::languageFlags(), QStringLiteral("language-flags.png"));
  save(gallery::programMainWindow(), QStringLiteral("program-main-window.png"));
  save(gallery::programWindowsProfileDialog(), QStringLiteral("program-windows-profile.png"));
  save(gallery::programLanguageList(), QStringLiteral("program-language-list.png"));
  for (const auto& [image, name] : gallery::smallDialogs()) save(image, name);
  for (const auto& [image, name] : gallery::calibrationDialogs()) save(image, name);
  for (const auto& [kind, name] :
       {std::pair{option::OptionPage::ButtonAssign, "program-button-page.png"},
        std::pair{option::OptionPage::Advanced, "program-advanced-page.png"},
        std::pair{option::OptionPage::Color, "program-color-page.png"},
        std::pair{option::OptionPage::Trophy, "program-trophy-page.png"},
        std::pair{option::OptionPage::Update, "program-update-page.png"}})
    save(gallery::programPage(kind), QString::fromLatin1(name));
  save(gallery::programTrophyResetDialog(), QStringLiteral("program-trophy-reset.png"));
  save(gallery::updaterWindow(), QStringLiteral("updater-window.png"));
  for (const auto& [kind, picture] : gallery::updaterDialogs())
    save(picture, QStringLiteral("updater-%1.png").arg(kind));
  for (const auto& [number, name] :
       {std::pair{res::kMainPageFace, "main-page-sheet-face.png"},
        std::pair{res::kMainPageHover, "main-page-sheet-hover.png"},
        std::pair{res::kMainPagePressed, "main-page-sheet-pressed.png"}})
    save(SkinResources::bitmap(number), QString::fromLatin1(name));
  renderControls(sheets);
  renderMenu();
  renderAnimationFrames();
  renderButtonHighlights();
  std::printf("vesk-skin-gallery: %d pictures in %s\n", written, qPrintable(outDir));
  if (notWritten > 0) {
    std::fprintf(stderr, "vesk-skin-gallery: %d pictures not written\n", notWritten);
    return 1;
  }
  return 0;
}

// fontconfig keeps its configuration for the life of the process; in
// sanitizer builds that one allocation pair is not reported as ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so.1\n"; }
