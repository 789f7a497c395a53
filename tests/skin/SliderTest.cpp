#include <gtest/gtest.h>

#include <QTest>

#include "SkinTestSupport.h"
#include "skin/CPHSlider.h"
#include "skin/CclickHSlider.h"

using namespace skintest;
using skin::CclickHSlider;

namespace {

class SliderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ensureApp();
    slider = new CclickHSlider(
        makeThumb(17, 21), skin::parseLayout("Pointer Speed,414,200,216,21,Speed"), &owner, 302);
    slider->setRange(1, 11);
    slider->setSnap(true);
  }
  std::vector<int> reported() {
    drain();
    std::vector<int> out;
    for (const Message& m : owner.of(skin::SliderValueMsg)) {
      EXPECT_EQ(m.lParam, 302) << "the owner sees the track's control id";
      out.push_back(static_cast<int>(m.wParam));
    }
    return out;
  }

  RecordingOwner owner;
  CclickHSlider* slider = nullptr;
};

}  // namespace

TEST_F(SliderTest, ThumbIsShapedByItsTopLeftColour) {
  skin::CPHSlider* thumb = slider->thumb();
  ASSERT_NE(thumb, nullptr);
  EXPECT_EQ(thumb->size(), QSize(17, 21));
  EXPECT_FALSE(thumb->mask().contains(QPoint(0, 0)));
  EXPECT_FALSE(thumb->mask().contains(QPoint(16, 5)));
  EXPECT_TRUE(thumb->mask().contains(QPoint(8, 10)));
}

TEST_F(SliderTest, ClicksAtBothEndsReportMinimumAndMaximum) {
  // The thumb rests at the left end, so a click there lands on the thumb.
  QTest::mouseClick(slider->thumb(), Qt::LeftButton, {}, QPoint(1, 10));
  EXPECT_EQ(reported(), (std::vector<int>{1}));
  owner.messages.clear();

  QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(slider->width() - 1, 10));
  EXPECT_EQ(reported(), (std::vector<int>{11}));
  EXPECT_EQ(slider->value(), 11);
  EXPECT_EQ(slider->thumb()->x(), slider->width() - 17);
}

TEST_F(SliderTest, TrackClickWithoutSnapTruncates) {
  slider->setSnap(false);
  // 1 + 150 * 10 / 216 = 7.94...
  QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(150, 10));
  EXPECT_EQ(reported(), (std::vector<int>{7}));
  owner.messages.clear();
  slider->setSnap(true);
  QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(150, 10));
  EXPECT_EQ(reported(), (std::vector<int>{8}));
}

TEST_F(SliderTest, DraggingPastEitherEndStaysInsideAndReportsTheLimits) {
  skin::CPHSlider* thumb = slider->thumb();
  QTest::mousePress(thumb, Qt::LeftButton, {}, QPoint(8, 10));
  QTest::mouseMove(thumb, QPoint(8 + 100, 10));
  QTest::mouseMove(thumb, QPoint(8 + 900, 10));  // far beyond the right end
  EXPECT_EQ(thumb->x(), slider->width() - 17);
  QTest::mouseRelease(thumb, Qt::LeftButton, {}, thumb->mapFromParent(QPoint(900, 10)));
  std::vector<int> values = reported();
  ASSERT_GE(values.size(), 3u);
  EXPECT_EQ(values[0], 1 + 100 * 10 / (216 - 17));  // integer arithmetic during the drag
  EXPECT_EQ(values[values.size() - 2], 11);
  EXPECT_EQ(values.back(), 11);
  owner.messages.clear();

  QTest::mousePress(thumb, Qt::LeftButton, {}, QPoint(8, 10));
  QTest::mouseMove(thumb, QPoint(-800, 10));
  EXPECT_EQ(thumb->x(), 0);
  QTest::mouseRelease(thumb, Qt::LeftButton, {}, QPoint(8, 10));
  values = reported();
  ASSERT_FALSE(values.empty());
  EXPECT_EQ(values.back(), 1);
  EXPECT_EQ(slider->value(), 1);
}

TEST_F(SliderTest, ReleaseSnapsTheThumbToTheExactPlaceOfItsValue) {
  skin::CPHSlider* thumb = slider->thumb();
  QTest::mousePress(thumb, Qt::LeftButton, {}, QPoint(8, 10));
  QTest::mouseMove(thumb, QPoint(8 + 95, 10));  // 95 px: 1 + 95*10/199 = 5.77 -> 6 on release
  QTest::mouseRelease(thumb, Qt::LeftButton, {}, QPoint(8, 10));
  EXPECT_EQ(reported().back(), 6);
  EXPECT_EQ(thumb->x(), thumb->positionFor(6));
  EXPECT_EQ(thumb->positionFor(6), (216 - 17) * 5 / 10);
}

TEST_F(SliderTest, SetPositionClampsAndAMissingThumbMeansNoSlider) {
  slider->setPosition(99);
  EXPECT_EQ(slider->value(), 11);
  slider->setPosition(-4);
  EXPECT_EQ(slider->value(), 1);

  CclickHSlider broken(QImage(), skin::parseLayout("Broken,0,0,100,20,"), &owner, 5);
  EXPECT_FALSE(broken.isValid());
  EXPECT_EQ(broken.value(), 0);
  broken.setPosition(3);
  QTest::mouseClick(&broken, Qt::LeftButton, {}, QPoint(50, 5));
  drain();
  EXPECT_TRUE(owner.of(skin::SliderValueMsg).empty());
}

TEST_F(SliderTest, FilledGrooveRunsUpToTheMiddleOfTheThumbAndFollowsIt) {
  QImage background(800, 400, QImage::Format_RGB32), fill(800, 400, QImage::Format_RGB32);
  background.fill(Qt::black);
  fill.fill(Qt::blue);
  slider->setBackground(background);
  slider->setFill(fill);
  // The thumb's own pixels aside, the track shows the fill left of the thumb's
  // middle and the background right of it; the thumb sits at rows 0..20, so
  // look at column pixels the thumb does not cover.
  auto filledUpTo = [&] {
    const QImage shown = slider->grab().toImage();
    const int row = 10;
    int last = -1;
    for (int x = 0; x < shown.width(); ++x) {
      const int thumbLeft = slider->thumb()->x();
      if (x >= thumbLeft && x < thumbLeft + 17) continue;
      if (shown.pixelColor(x, row) == QColor(Qt::blue)) last = x;
    }
    return last;
  };
  slider->setPosition(1);
  EXPECT_EQ(filledUpTo(), -1) << "at the minimum nothing left of the thumb is filled";
  slider->setPosition(6);
  const int middle = slider->thumb()->x() + 8;
  EXPECT_EQ(filledUpTo(), slider->thumb()->x() - 1);
  EXPECT_LT(filledUpTo(), middle);
  slider->setPosition(11);
  EXPECT_EQ(filledUpTo(), slider->width() - 18) << "the whole groove left of the thumb";
  // Dragging moves the fill with the thumb.
  slider->setPosition(1);
  QTest::mousePress(slider->thumb(), Qt::LeftButton, {}, QPoint(8, 10));
  QTest::mouseMove(slider->thumb(), QPoint(8 + 60, 10));
  EXPECT_EQ(filledUpTo(), slider->thumb()->x() - 1);
  QTest::mouseRelease(slider->thumb(), Qt::LeftButton, {}, QPoint(8 + 60, 10));
}
