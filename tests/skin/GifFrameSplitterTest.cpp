#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <random>

#include "SkinTestSupport.h"
#include "skin/GifAnimation.h"
#include "skin/GifFrameSplitter.h"

using namespace skintest;

namespace {

QByteArray bytes(const std::vector<std::uint8_t>& d) {
  return QByteArray(reinterpret_cast<const char*>(d.data()), static_cast<qsizetype>(d.size()));
}

}  // namespace

TEST(GifFrameSplitter, OneFrameIsAGifOfOneFrameAndAStillPicture) {
  ensureApp();
  const auto data = makeGif(1, 1, {{0, 0, 200, 0, 0, 7, 0}});
  const auto split = skin::splitGif(data);
  EXPECT_TRUE(split.isGif);
  ASSERT_EQ(split.frames.size(), 1u);
  EXPECT_EQ(split.frames[0].delay, 7);

  skin::GifAnimation animation;
  ASSERT_TRUE(animation.load(bytes(data)));
  EXPECT_FALSE(animation.isAnimated());
  EXPECT_EQ(animation.canvas().pixelColor(0, 0), QColor(200, 0, 0));
}

TEST(GifFrameSplitter, SeveralFramesKeepOffsetsDelaysAndDisposalAndDecodeAlone) {
  ensureApp();
  const auto data =
      makeGif(4, 3, {{0, 0, 255, 0, 0, 0, 1}, {3, 2, 0, 255, 0, 10, 2}, {1, 1, 0, 0, 255, 50, 3}});
  const auto split = skin::splitGif(data);
  ASSERT_TRUE(split.isGif);
  EXPECT_EQ(split.screenWidth, 4);
  EXPECT_EQ(split.screenHeight, 3);
  ASSERT_TRUE(split.background.has_value());
  EXPECT_EQ(*split.background, (skin::GifRgb{40, 50, 60}));
  ASSERT_EQ(split.frames.size(), 3u);
  const QColor expected[3] = {QColor(255, 0, 0), QColor(0, 255, 0), QColor(0, 0, 255)};
  const int delays[3] = {0, 10, 50}, disposals[3] = {1, 2, 3}, lefts[3] = {0, 3, 1},
            tops[3] = {0, 2, 1};
  for (int i = 0; i < 3; ++i) {
    const skin::GifFrame& f = split.frames[static_cast<std::size_t>(i)];
    EXPECT_EQ(f.delay, delays[i]);
    EXPECT_EQ(f.disposal, disposals[i]);
    EXPECT_EQ(f.left, lefts[i]);
    EXPECT_EQ(f.top, tops[i]);
    const QImage alone = QImage::fromData(bytes(f.gif), "GIF");
    ASSERT_FALSE(alone.isNull()) << "frame " << i;
    EXPECT_EQ(alone.size(), QSize(1, 1));
    EXPECT_EQ(alone.pixelColor(0, 0), expected[i]);
  }
}

TEST(GifFrameSplitter, FrameDelaysBecomeWaitsWithAFloorForShortOnes) {
  EXPECT_EQ(skin::GifAnimation::waitMs(0), 100);
  EXPECT_EQ(skin::GifAnimation::waitMs(4), 100);
  EXPECT_EQ(skin::GifAnimation::waitMs(5), 50);
  EXPECT_EQ(skin::GifAnimation::waitMs(50), 500);
}

TEST(GifAnimation, RestorePreviousPutsBackWhatLayUnderTheFrame) {
  ensureApp();
  const QColor background(40, 50, 60), red(255, 0, 0), blue(0, 0, 255), green(0, 255, 0);
  // Green stays; red is drawn over it with "restore previous"; blue follows elsewhere.
  skin::GifAnimation animation;
  ASSERT_TRUE(animation.load(bytes(makeGif(
      2, 2, {{0, 0, 0, 255, 0, 10, 1}, {0, 0, 255, 0, 0, 10, 3}, {1, 1, 0, 0, 255, 10, 1}}))));
  ASSERT_TRUE(animation.isAnimated());
  EXPECT_EQ(animation.background(), background);
  EXPECT_EQ(animation.canvas().pixelColor(1, 0), background);

  EXPECT_EQ(animation.advance(), 100);
  EXPECT_EQ(animation.canvas().pixelColor(0, 0), green);
  animation.advance();
  EXPECT_EQ(animation.canvas().pixelColor(0, 0), red);
  animation.advance();
  EXPECT_EQ(animation.canvas().pixelColor(0, 0), green) << "the area under the red frame came back";
  EXPECT_EQ(animation.canvas().pixelColor(1, 1), blue);
  EXPECT_TRUE(animation.atLastFrame());

  // After the last frame the picture starts again from the background.
  animation.advance();
  EXPECT_EQ(animation.currentFrame(), 0);
  EXPECT_EQ(animation.canvas().pixelColor(1, 1), background);
}

TEST(GifAnimation, RestoreBackgroundClearsTheFrameArea) {
  ensureApp();
  skin::GifAnimation animation;
  ASSERT_TRUE(
      animation.load(bytes(makeGif(2, 1, {{0, 0, 255, 0, 0, 10, 2}, {1, 0, 0, 0, 255, 10, 1}}))));
  animation.advance();
  animation.advance();
  EXPECT_EQ(animation.canvas().pixelColor(0, 0), QColor(40, 50, 60));
  EXPECT_EQ(animation.canvas().pixelColor(1, 0), QColor(0, 0, 255));
}

TEST(GifFrameSplitter, DataThatIsNotAGifIsAStillPictureOrNothing) {
  ensureApp();
  QImage png(3, 2, QImage::Format_RGB32);
  png.fill(QColor(1, 2, 3));
  QByteArray encoded;
  QBuffer buffer(&encoded);
  buffer.open(QIODevice::WriteOnly);
  ASSERT_TRUE(png.save(&buffer, "PNG"));
  const auto* raw = reinterpret_cast<const std::uint8_t*>(encoded.constData());
  EXPECT_FALSE(skin::splitGif({raw, static_cast<std::size_t>(encoded.size())}).isGif);

  skin::GifAnimation animation;
  ASSERT_TRUE(animation.load(encoded));
  EXPECT_FALSE(animation.isAnimated());
  EXPECT_EQ(animation.size(), QSize(3, 2));

  EXPECT_FALSE(animation.load(QByteArray("GIF88a this is no picture at all")));
  EXPECT_TRUE(animation.isEmpty());
  EXPECT_FALSE(animation.load(QByteArray()));
  EXPECT_EQ(animation.advance(), 100);  // harmless on nothing
}

TEST(GifFrameSplitter, TruncatedDataKeepsTheCompleteFramesOnly) {
  ensureApp();
  const auto full =
      makeGif(3, 3, {{0, 0, 255, 0, 0, 5, 1}, {1, 1, 0, 255, 0, 5, 1}, {2, 2, 0, 0, 255, 5, 1}});
  std::size_t previous = 0;
  for (std::size_t length = 0; length <= full.size(); ++length) {
    const std::vector<std::uint8_t> cut(full.begin(), full.begin() + static_cast<long>(length));
    const auto split = skin::splitGif(cut);
    EXPECT_GE(split.frames.size(), previous) << "at length " << length;
    EXPECT_LE(split.frames.size(), 3u);
    previous = split.frames.size();
    skin::GifAnimation animation;
    animation.load(bytes(cut));
    for (int i = 0; i < 4; ++i) animation.advance();
  }
  EXPECT_EQ(previous, 3u);
}

TEST(GifFrameSplitter, MutatedDataNeverCrashesTheSplitterOrThePlayer) {
  ensureApp();
  const auto original =
      makeGif(4, 4, {{0, 0, 255, 0, 0, 5, 3}, {1, 1, 0, 255, 0, 5, 2}, {2, 2, 0, 0, 255, 5, 1}});
  std::mt19937 random(20261208);
  for (int round = 0; round < 500; ++round) {
    auto data = original;
    const int edits = 1 + static_cast<int>(random() % 4);
    for (int e = 0; e < edits; ++e) {
      const std::size_t at = random() % data.size();
      switch (random() % 3) {
        case 0:
          data[at] = static_cast<std::uint8_t>(random());
          break;
        case 1:
          data.erase(data.begin() + static_cast<long>(at));
          break;
        default:
          data.insert(data.begin() + static_cast<long>(at), static_cast<std::uint8_t>(random()));
          break;
      }
      if (data.empty()) data.push_back(0);
    }
    const auto split = skin::splitGif(data);
    for (const auto& frame : split.frames) ASSERT_GE(frame.gif.size(), 13u);
    skin::GifAnimation animation;
    animation.load(bytes(data));
    EXPECT_LE(animation.size().width(), skin::GifAnimation::kMaxCanvas.width());
    for (int i = 0; i < 5; ++i) animation.advance();
  }
}
