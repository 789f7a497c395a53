#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QStyleOption>
#include <QTemporaryDir>
#include <QTest>

#include "SkinTestSupport.h"
#include "skin/ColorDotsIndicator.h"
#include "skin/CoolMenu.h"
#include "skin/DoubleClickTestButton.h"
#include "skin/GifPlayer.h"
#include "skin/LinkLabel.h"
#include "skin/PicturePrefetch.h"
#include "skin/RegionFromBitmap.h"
#include "skin/SkinContext.h"
#include "skin/SkinPage.h"
#include "skin/SkinProgressBar.h"
#include "skin/SkinResources.h"

using namespace skintest;

namespace {

QByteArray bytes(const std::vector<std::uint8_t>& d) {
  return QByteArray(reinterpret_cast<const char*>(d.data()), static_cast<qsizetype>(d.size()));
}

qint64 area(const QRegion& region) {
  qint64 sum = 0;
  for (const QRect& r : region) sum += qint64(r.width()) * r.height();
  return sum;
}

}  // namespace

TEST(RegionFromBitmap, KeepsEveryPixelOutsideTheKeyRange) {
  ensureApp();
  QImage mask(40, 30, QImage::Format_RGB32);
  mask.fill(Qt::white);
  for (int y = 5; y < 25; ++y)
    for (int x = 10; x < 30; ++x) mask.setPixel(x, y, qRgb(0, 0, 0));
  mask.setPixel(0, 0, qRgb(252, 255, 255));  // nearly white
  const QRegion exact = skin::regionFromBitmap(mask);
  EXPECT_EQ(area(exact), 20 * 20 + 1);
  EXPECT_TRUE(exact.contains(QPoint(0, 0)));
  EXPECT_FALSE(exact.contains(QPoint(5, 5)));

  const QRegion tolerant = skin::regionFromBitmap(mask, QColor(250, 250, 250), 10);
  EXPECT_EQ(area(tolerant), 20 * 20) << "the key range is capped at 255";

  QImage white(8, 8, QImage::Format_RGB32);
  white.fill(Qt::white);
  EXPECT_TRUE(skin::regionFromBitmap(white).isEmpty());
  EXPECT_TRUE(skin::regionFromBitmap(QImage()).isEmpty());
}

TEST(RegionFromBitmap, ManyRunsAreJoinedAcrossBatches) {
  ensureApp();
  QImage checker(120, 80, QImage::Format_RGB32);  // 4800 one-pixel runs: three batches
  for (int y = 0; y < checker.height(); ++y)
    for (int x = 0; x < checker.width(); ++x)
      checker.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(9, 9, 9));
  const QRegion region = skin::regionFromBitmap(checker);
  EXPECT_EQ(area(region), 120 * 80 / 2);
  EXPECT_TRUE(region.contains(QPoint(0, 0)));
  EXPECT_FALSE(region.contains(QPoint(1, 0)));
  EXPECT_TRUE(region.contains(QPoint(119, 79)));
}

TEST(RegionFromBitmap, RowsOfOneOutlineShareTheirRectangles) {
  ensureApp();
  // A window with two cut corners: the rows between them have one run each.
  QImage mask(200, 100, QImage::Format_RGB32);
  mask.fill(QColor(30, 40, 50));
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3 - y; ++x) {
      mask.setPixel(x, y, qRgb(255, 255, 255));
      mask.setPixel(199 - x, 99 - y, qRgb(255, 255, 255));
    }
  const QRegion region = skin::regionFromBitmap(mask);
  EXPECT_EQ(area(region), 200 * 100 - 2 * 6);
  EXPECT_EQ(region.rectCount(), 3 + 1 + 3) << "the 94 rows between the corners are one rectangle";
  EXPECT_FALSE(region.contains(QPoint(0, 0)));
  EXPECT_TRUE(region.contains(QPoint(3, 0)));
  EXPECT_TRUE(region.contains(QPoint(0, 50)));
  EXPECT_TRUE(region.contains(QPoint(199, 96)));
  EXPECT_FALSE(region.contains(QPoint(199, 99)));

  // A key range of more than one colour finds the same outline.
  EXPECT_EQ(skin::regionFromBitmap(mask, QColor(250, 250, 250), 10), region);
}

TEST(SkinPage, TakesTheSizeOfItsFaceAndTheShapeOfItsMask) {
  ensureApp();
  QImage face(774, 312, QImage::Format_RGB32);
  face.fill(QColor(20, 20, 20));
  QImage mask(774, 312, QImage::Format_RGB32);
  mask.fill(Qt::black);
  mask.setPixel(0, 0, qRgb(255, 255, 255));
  skin::SkinPage page(nullptr, face, mask);
  EXPECT_EQ(page.size(), QSize(774, 312));
  EXPECT_FALSE(page.mask().contains(QPoint(0, 0)));
  EXPECT_TRUE(page.mask().contains(QPoint(1, 0)));
  EXPECT_TRUE(page.testAttribute(Qt::WA_OpaquePaintEvent));
}

TEST(GifPlayer, PlaysOnItsOwnThreadAndStopsPromptly) {
  ensureApp();
  skin::GifPlayer player;
  ASSERT_TRUE(
      player.loadData(bytes(makeGif(2, 2, {{0, 0, 255, 0, 0, 0, 1}, {1, 1, 0, 0, 255, 0, 1}}))));
  EXPECT_TRUE(player.isAnimated());
  EXPECT_EQ(player.frameCount(), 2);
  EXPECT_EQ(player.backgroundColor(), QColor(40, 50, 60));
  player.play();
  EXPECT_TRUE(player.isPlaying());
  player.play();  // again: the old thread is stopped first
  player.stop();
  EXPECT_FALSE(player.isPlaying());
  EXPECT_FALSE(player.currentImage().isNull());
  player.unload();
  EXPECT_EQ(player.frameCount(), 0);
  player.stop();  // stopping nothing is harmless
  EXPECT_FALSE(player.loadFile(QStringLiteral("/nonexistent/folder/none.gif")));
}

TEST(DoubleClickTestButton, DoubleClickPlaysTheClipOnceWithItsSound) {
  ensureApp();
  QTemporaryDir folder;
  ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("Wave")));
  QFile clip(folder.path() + QStringLiteral("/Wave/double_click.gif"));
  ASSERT_TRUE(clip.open(QIODevice::WriteOnly));
  clip.write(bytes(makeGif(2, 2, {{0, 0, 255, 0, 0, 0, 1}, {1, 1, 0, 0, 255, 0, 1}})));
  clip.close();
  skin::SkinContext& context = skin::SkinContext::instance();
  context.setProgramFolder(folder.path());
  std::vector<QString> sounds;
  context.setSoundPlayer([&](const QString& path) { sounds.push_back(path); });

  RecordingOwner owner;
  skin::DoubleClickTestButton button(skin::parseLayout("Double Click Test,330,277,42,23,"), &owner);
  QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(button.clip(), nullptr) << "a single click does nothing";
  EXPECT_TRUE(sounds.empty());

  QTest::mouseDClick(&button, Qt::LeftButton, {}, QPoint(5, 5));
  ASSERT_NE(button.clip(), nullptr);
  skin::GifPlayer* first = button.clip();
  EXPECT_EQ(first->geometry(), button.rect());
  EXPECT_EQ(first->frameCount(), 2) << "the clip was found case-insensitively";
  ASSERT_EQ(sounds.size(), 1u);
  EXPECT_TRUE(sounds[0].endsWith(QStringLiteral("/Wave/double_click.wav")));

  QTest::mouseDClick(&button, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(button.clip(), first) << "the clip player is made once";
  EXPECT_EQ(sounds.size(), 2u);
  first->stop();
  context.setSoundPlayer(nullptr);
  context.setProgramFolder(QString());
}

TEST(PicturePrefetch, HandsEachPictureOutOnceAsTheSkinWouldDecodeIt) {
  ensureApp();
  QTemporaryDir folder;
  ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("skin")));
  QImage opaque(40, 30, QImage::Format_RGB32);
  opaque.fill(QColor(10, 120, 200));
  QImage clear(20, 20, QImage::Format_ARGB32);
  clear.fill(QColor(200, 10, 10, 128));
  ASSERT_TRUE(opaque.save(folder.path() + QStringLiteral("/skin/7.png")));
  ASSERT_TRUE(clear.save(folder.path() + QStringLiteral("/skin/8.png")));
  skin::SkinContext& context = skin::SkinContext::instance();
  context.setProgramFolder(folder.path());
  const QImage seven = skin::SkinResources::bitmap(7);
  const QImage eight = skin::SkinResources::bitmap(8);
  ASSERT_EQ(seven.format(), QImage::Format_RGB32);
  ASSERT_EQ(eight.format(), QImage::Format_ARGB32_Premultiplied);

  for (const int workers : {0, 2}) {  // none: the asking thread decodes them itself
    {
      skin::PicturePrefetch prefetch({7, 8, 9, 7}, workers);
      EXPECT_EQ(skin::SkinResources::bitmap(8), eight) << workers;
      const std::optional<QImage> taken = skin::PicturePrefetch::take(7);
      ASSERT_TRUE(taken) << workers;
      EXPECT_EQ(*taken, seven);
      EXPECT_FALSE(skin::PicturePrefetch::take(7)) << "handed out once";
      EXPECT_EQ(skin::SkinResources::bitmap(7), seven) << "and read again after that";
      EXPECT_FALSE(skin::PicturePrefetch::take(3)) << "a number it does not hold";
      const std::optional<QImage> missing = skin::PicturePrefetch::take(9);
      ASSERT_TRUE(missing);
      EXPECT_TRUE(missing->isNull());
    }
    EXPECT_FALSE(skin::PicturePrefetch::take(8)) << "gone with its prefetch";
  }
  // Dropped unclaimed, even while a worker is at it.
  { skin::PicturePrefetch unclaimed({7, 8}, 1); }
  context.setProgramFolder(QString());
}

TEST(LinkLabel, ScrollingLabelsShareOnePauseAndLinksOpen) {
  ensureApp();
  skin::SkinContext& context = skin::SkinContext::instance();
  context.setScrollPaused(false);
  RecordingOwner owner;
  skin::LinkLabel a(skin::parseLayout("News,0,0,200,20,"), &owner);
  skin::LinkLabel b(skin::parseLayout("News,0,30,200,20,"), &owner);
  a.setText(QStringLiteral("first line\nsecond line"));
  b.setText(QStringLiteral("other"));
  a.setScrolling(true);
  b.setScrolling(true);
  EXPECT_EQ(a.scrollOffset(), 20) << "the text comes in from below";
  const int line = QFontMetrics(skin::SkinResources::arialFont(12)).lineSpacing();
  int steps = 0;
  while (!context.scrollPaused() && steps < 200) {
    a.scrollStep();
    ++steps;
  }
  ASSERT_TRUE(context.scrollPaused());
  EXPECT_EQ(a.scrollOffset(), -line) << "the rest comes once a whole line has passed";
  const int before = b.scrollOffset();
  b.scrollStep();
  EXPECT_EQ(b.scrollOffset(), before) << "every scrolling label rests together";
  context.setScrollPaused(false);
  a.setScrolling(false);
  b.setScrolling(false);

  std::vector<QString> opened;
  context.setShellOpener([&](const QString& target) { opened.push_back(target); });
  skin::LinkLabel link(skin::parseLayout("Mail,0,0,200,20,"), &owner);
  link.setText(QStringLiteral("https://support.example/vesk"));
  QTest::mouseClick(&link, Qt::LeftButton, {}, QPoint(3, 3));
  EXPECT_TRUE(opened.empty()) << "plain labels are not links";
  link.setLinkMode(true);
  QTest::mouseClick(&link, Qt::LeftButton, {}, QPoint(3, 3));
  EXPECT_EQ(opened, (std::vector<QString>{QStringLiteral("https://support.example/vesk")}));
  context.setShellOpener(nullptr);
}

TEST(CoolMenu, ItemsCarryCommandsAndFlagsAndAreSixteenPixelsHigh) {
  ensureApp();
  skin::CoolMenu menu;
  menu.setItemWidth(176);
  QAction* left = menu.addItem(QStringLiteral("Left Button"), 1001, true);
  QAction* separator = menu.addItem(QString(), 0);
  QAction* chorus = menu.addItem(QStringLiteral("Chorus"), 1002, false, true);
  skin::CoolMenu* sub = menu.addSubmenu(QStringLiteral("Macro"));
  sub->addItem(QStringLiteral("One"), 2001);
  EXPECT_TRUE(separator->isSeparator());
  EXPECT_EQ(skin::CoolMenu::command(left), 1001);
  EXPECT_TRUE(skin::CoolMenu::hasMark(left));
  EXPECT_FALSE(skin::CoolMenu::hasTrademark(left));
  EXPECT_TRUE(skin::CoolMenu::hasTrademark(chorus));
  EXPECT_EQ(skin::CoolMenu::command(nullptr), 0);

  const QSize hint = menu.sizeHint();
  EXPECT_GE(hint.width(), 176);
  EXPECT_EQ(menu.actionGeometry(left).height(), skin::CoolMenu::kItemHeight);
  EXPECT_EQ(menu.actionGeometry(chorus).height(), skin::CoolMenu::kItemHeight);
  EXPECT_EQ(menu.actionGeometry(left).top(), skin::CoolMenu::kFrameWidth);
  EXPECT_EQ(menu.style()->pixelMetric(QStyle::PM_MenuPanelWidth, nullptr, &menu), 3);
  const QImage picture = menu.grab().toImage();
  EXPECT_EQ(picture.pixelColor(0, 0), QColor(53, 160, 222)) << "outer frame line";
  EXPECT_EQ(picture.pixelColor(1, 5), QColor(Qt::black));
  EXPECT_EQ(picture.pixelColor(2, 5), QColor(Qt::black));
}

TEST(SmallControls, ProgressBarAndColourDotsKeepTheirValues) {
  ensureApp();
  RecordingOwner owner;
  skin::SkinProgressBar bar(skin::parseLayout("BUTTON_Progress,43,181,436,17,"), &owner);
  bar.setRange(0, 127);
  bar.setPosition(200);
  EXPECT_EQ(bar.position(), 127);
  bar.setPosition(-3);
  EXPECT_EQ(bar.position(), 0);
  bar.setStep(5);
  bar.stepIt();
  EXPECT_EQ(bar.position(), 5);

  skin::ColorDotsIndicator dots(skin::parseLayout("Profile 1 Color,8,514,23,23,"), &owner);
  for (int zone = 0; zone < 4; ++zone) EXPECT_EQ(dots.color(zone), QColor(Qt::red));
  dots.setColor(2, Qt::blue);
  dots.setColor(7, Qt::green);  // no such zone
  EXPECT_EQ(dots.color(2), QColor(Qt::blue));
  EXPECT_EQ(skin::ColorDotsIndicator::dotRect(1), QRect(QPoint(6, 13), QPoint(9, 16)));
}
