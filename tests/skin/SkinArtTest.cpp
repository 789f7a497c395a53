#include <gtest/gtest.h>

#include <QtEndian>
#include <string_view>

#include "AnimationArt.h"
#include "FlagArt.h"
#include "GifEncoder.h"
#include "SharedArt.h"
#include "SkinTestSupport.h"
#include "WaveWriter.h"
#include "WindowArt.h"
#include "skin/GifAnimation.h"
#include "skin/GifFrameSplitter.h"
#include "skin/LayoutEntry.h"
#include "skin/MainPageLayout.h"
#include "skin/MainWindowLayout.h"
#include "skin/RegionFromBitmap.h"

using namespace skintest;

namespace {

// Colours whose channels are multiples of 8 and all different at 5 bits a
// channel survive the encoder's palette unchanged.
QImage noisyPicture(int width, int height, unsigned seed) {
  QImage image(width, height, QImage::Format_RGB32);
  unsigned state = seed;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      state = state * 1103515245u + 12345u;
      const int c = static_cast<int>((state >> 16) % 200);
      image.setPixel(x, y, qRgb((c % 8) * 32, ((c / 8) % 5) * 48, (c / 40) * 40));
    }
  return image;
}

}  // namespace

TEST(GifEncoder, FramesComeBackPixelForPixelThroughSplitterAndDecoder) {
  ensureApp();
  // Enough noise that the code table fills up and starts afresh several times.
  std::vector<skinart::GifEncoder::Frame> frames = {{noisyPicture(150, 80, 1), 5, 1},
                                                    {noisyPicture(150, 80, 2), 12, 3},
                                                    {noisyPicture(150, 80, 3), 0, 2}};
  const QByteArray gif = skinart::GifEncoder::encode(frames, QColor(0, 0, 0));
  const auto split = skin::splitGif({reinterpret_cast<const std::uint8_t*>(gif.constData()),
                                     static_cast<std::size_t>(gif.size())});
  ASSERT_TRUE(split.isGif);
  ASSERT_EQ(split.frames.size(), 3u);
  EXPECT_EQ(split.frames[1].delay, 12);
  EXPECT_EQ(split.frames[1].disposal, 3);
  for (std::size_t i = 0; i < 3; ++i) {
    const auto& part = split.frames[i].gif;
    const QImage decoded =
        QImage::fromData(
            QByteArray(reinterpret_cast<const char*>(part.data()), qsizetype(part.size())), "GIF")
            .convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(decoded.size(), QSize(150, 80));
    EXPECT_EQ(decoded, frames[i].image) << "frame " << i;
  }
}

TEST(GifEncoder, EveryShippedAnimationDecodesWithAllItsFrames) {
  ensureApp();
  const std::vector<std::pair<std::vector<skinart::GifEncoder::Frame>, QSize>> animations = {
      {skinart::progressFrames(), QSize(128, 15)},
      {skinart::levelFrames(13), QSize(220, 34)},
      {skinart::colorFlowFrames(3), QSize(23, 23)},
      {skinart::doubleClickClipFrames(), QSize(42, 23)}};
  for (const auto& [frames, size] : animations) {
    skin::GifAnimation animation;
    ASSERT_TRUE(animation.load(skinart::GifEncoder::encode(frames, QColor(13, 14, 17))));
    EXPECT_EQ(animation.frameCount(), static_cast<int>(frames.size()));
    EXPECT_EQ(animation.size(), size);
  }
}

TEST(WaveWriter, WritesSixteenBitMonoPcm) {
  const auto samples = skinart::doubleClickSound(44100);
  const QByteArray wave = skinart::waveFile(samples, 44100);
  ASSERT_EQ(wave.size(), 44 + qsizetype(samples.size()) * 2);
  EXPECT_EQ(wave.left(4), "RIFF");
  EXPECT_EQ(wave.mid(8, 8), "WAVEfmt ");
  const auto* raw = reinterpret_cast<const uchar*>(wave.constData());
  EXPECT_EQ(qFromLittleEndian<quint16>(raw + 20), 1);  // PCM
  EXPECT_EQ(qFromLittleEndian<quint16>(raw + 22), 1);  // mono
  EXPECT_EQ(qFromLittleEndian<quint32>(raw + 24), 44100u);
  EXPECT_EQ(qFromLittleEndian<quint16>(raw + 34), 16);
  EXPECT_EQ(qFromLittleEndian<quint32>(raw + 40), quint32(samples.size() * 2));
  EXPECT_LT(samples.size(), 44100u / 2) << "a short sound";
}

TEST(MainWindowArt, ShapeKeepsEveryControlAndEveryStateLooksDifferent) {
  ensureApp();
  const skinart::WindowArt art = skinart::mainWindowArt();
  const QImage face = skinart::renderSheet(art, skinart::State::Normal);
  const QImage hover = skinart::renderSheet(art, skinart::State::Hover);
  const QImage pressed = skinart::renderSheet(art, skinart::State::Pressed);
  ASSERT_EQ(face.size(), QSize(skin::mainwindow::kWidth, skin::mainwindow::kHeight));
  const QRegion shape = skin::regionFromBitmap(face);
  EXPECT_FALSE(shape.contains(QPoint(0, 0))) << "the corners are cut away";
  EXPECT_FALSE(shape.contains(QPoint(799, 0)));
  for (const skinart::ArtControl& control : art.controls) {
    const skin::LayoutEntry e = skin::parseLayout(control.layout);
    const QRect r(e.left, e.top, e.width(), e.height());
    EXPECT_EQ(shape.intersected(r), QRegion(r))
        << control.layout << " lies wholly inside the window";
    // The edition badge is a picture, not a control: it has no hover look.
    const bool badge = std::string_view(control.layout) == skin::mainwindow::kMouseType;
    if (!badge) {
      EXPECT_NE(face.copy(r), hover.copy(r)) << control.layout;
    }
    EXPECT_NE(face.copy(r), pressed.copy(r)) << control.layout;
  }
}

TEST(SharedArt, ThumbsHaveTheirSizesAndAKeyColourCorner) {
  ensureApp();
  const QImage thumbs[] = {skinart::sliderThumb(14, 20, QColor(53, 160, 222)),
                           skinart::sliderThumb(17, 21, QColor(60, 136, 191)), skinart::dpiThumb()};
  const QSize sizes[] = {QSize(14, 20), QSize(17, 21), QSize(15, 5)};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(thumbs[i].size(), sizes[i]);
    const QRgb key = thumbs[i].pixel(0, 0);
    int kept = 0;
    for (int y = 0; y < thumbs[i].height(); ++y)
      for (int x = 0; x < thumbs[i].width(); ++x) kept += thumbs[i].pixel(x, y) != key;
    EXPECT_GT(kept, thumbs[i].width() * thumbs[i].height() / 2);
  }
  const QImage mask = skinart::pageMask();
  EXPECT_EQ(mask.size(), QSize(774, 312));
  EXPECT_TRUE(skin::regionFromBitmap(mask).contains(QRect(3, 3, 768, 306)));
}

TEST(PageAndPopupArt, ControlsLieInsideTheShapeAndEveryStateLooksDifferent) {
  ensureApp();
  struct Case {
    skinart::WindowArt art;
    QSize size;
    bool shapedByFace;  // popups: white on the face is cut away; pages use the page mask
  };
  const Case cases[] = {{skinart::mainPageArt(), QSize(774, 312), false},
                        {skinart::advancedPageArt(), QSize(774, 312), false},
                        {skinart::buttonPageArt()[0], QSize(774, 312), false},
                        {skinart::windowsProfileDialogArt(), QSize(304, 240), true},
                        {skinart::languageListArt(), QSize(99, 289), true}};
  for (const Case& c : cases) {
    const QImage face = skinart::renderSheet(c.art, skinart::State::Normal);
    const QImage hover = skinart::renderSheet(c.art, skinart::State::Hover);
    const QImage pressed = skinart::renderSheet(c.art, skinart::State::Pressed);
    ASSERT_EQ(face.size(), c.size) << c.art.name.toStdString();
    const QRegion shape = skin::regionFromBitmap(c.shapedByFace ? face : skinart::pageMask());
    if (c.shapedByFace) {
      EXPECT_NE(shape, QRegion(face.rect())) << "a popup has a cut outline";
    }
    for (const skinart::ArtControl& control : c.art.controls) {
      const skin::LayoutEntry e = skin::parseLayout(control.layout);
      const QRect r(e.left, e.top, e.width(), e.height());
      EXPECT_EQ(shape.intersected(r), QRegion(r)) << control.layout;
      EXPECT_NE(face.copy(r), hover.copy(r)) << control.layout;
      EXPECT_NE(face.copy(r), pressed.copy(r)) << control.layout;
    }
  }
}

TEST(PageAndPopupArt, CurrentDpiLevelShowsOutsideItsParts) {
  // A row paints its pressed picture while it is the current level and its
  // parts cover most of it: the bare rest of the row must still show it.
  ensureApp();
  const skinart::WindowArt art = skinart::mainPageArt();
  const QImage face = skinart::renderSheet(art, skinart::State::Normal);
  const QImage pressed = skinart::renderSheet(art, skinart::State::Pressed);
  namespace row = skin::mainpage::dpirow;
  for (const char* layout : skin::mainpage::kDpiRows) {
    const skin::LayoutEntry e = skin::parseLayout(layout);
    QRegion bare(e.left, e.top, e.width(), e.height());
    for (const row::Box& b : {row::kBar, row::kEnable, row::kLink, row::kSliderX, row::kSliderY,
                              row::kSpinX, row::kSpinY})
      bare -= QRect(e.left + b.left, e.top + b.top, b.right - b.left, b.bottom - b.top);
    int differing = 0;
    for (const QRect& r : bare)
      for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
          differing += face.pixel(x, y) != pressed.pixel(x, y);
    EXPECT_GT(differing, 400) << layout;
  }
}

TEST(FlagArt, SeventeenDistinctFlagsInThreeDistinctStates) {
  ensureApp();
  std::vector<QImage> normals;
  for (int language = 0; language < skinart::kLanguageCount; ++language) {
    const QImage states[3] = {skinart::languageFlagPicture(language, 0),
                              skinart::languageFlagPicture(language, 1),
                              skinart::languageFlagPicture(language, 2)};
    for (const QImage& state : states) EXPECT_EQ(state.size(), QSize(32, 17));
    EXPECT_NE(states[0], states[1]) << language;
    EXPECT_NE(states[0], states[2]) << language;
    EXPECT_NE(states[1], states[2]) << language;
    for (std::size_t other = 0; other < normals.size(); ++other)
      EXPECT_NE(states[0], normals[other]) << language << " looks like " << other;
    normals.push_back(states[0]);
    EXPECT_FALSE(skinart::languageListName(language).isEmpty());
  }
  EXPECT_EQ(skinart::languageFlagPicture(99, 0), normals[1]) << "any other index is English";
  EXPECT_EQ(skinart::languageListName(-1), skinart::languageListName(1));
}

TEST(PageAndPopupArt, ButtonBarsShowFourDistinctStatesAndFixedOnesLookFixed) {
  ensureApp();
  const std::vector<skinart::WindowArt> arts = skinart::buttonPageArt();
  ASSERT_EQ(arts.size(), 4u) << "two faces and two bar sets";
  EXPECT_NE(skinart::renderSheet(arts[0], skinart::State::Normal),
            skinart::renderSheet(arts[1], skinart::State::Normal))
      << "the left-handed face has its own drawing";
  QImage normals[2];
  for (int set = 0; set < 2; ++set) {
    const skinart::WindowArt& bar = arts[2 + set];
    EXPECT_EQ(bar.size, QSize(158, 17));
    QImage states[4];
    for (int s = 0; s < 4; ++s) states[s] = skinart::renderSheet(bar, skinart::kAllStates[s]);
    for (int a = 0; a < 4; ++a)
      for (int b = a + 1; b < 4; ++b) EXPECT_NE(states[a], states[b]) << bar.name.toStdString();
    normals[set] = states[0];
  }
  EXPECT_NE(normals[0], normals[1]) << "fixed and assignable bars differ";
}
