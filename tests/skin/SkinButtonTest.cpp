#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "SkinTestSupport.h"
#include "skin/PageSheets.h"
#include "skin/SkinButton.h"
#include "skin/SkinContext.h"
#include "skin/SkinLayout.h"

using namespace skintest;
using skin::SkinButton;

namespace {

class SkinButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ensureApp();
    skin::SkinContext::instance().setMainWindow(&main);
    skin::SkinContext::instance().clearHelpText();
    drain();
    main.messages.clear();
  }
  void TearDown() override { skin::SkinContext::instance().setMainWindow(nullptr); }

  RecordingOwner main;
  RecordingOwner owner;
};

skin::ControlPictures solidPictures(QSize size) {
  auto solid = [&](QColor c) {
    QImage i(size, QImage::Format_RGB32);
    i.fill(c);
    return i;
  };
  return {solid(Qt::black), solid(Qt::blue), solid(Qt::red), solid(Qt::gray)};
}

}  // namespace

TEST_F(SkinButtonTest, CheckModeTogglesOnReleaseAndSendsCommandEachTime) {
  SkinButton button(skin::parseLayout("Enable Advanced Setting,15,92,190,16,Turn it on"), &owner);
  button.setCheckMode(true);
  EXPECT_EQ(button.objectName(), "Enable Advanced Setting");
  EXPECT_EQ(button.geometry(), QRect(15, 92, 190, 16));
  EXPECT_EQ(button.helpText(), "Turn it on");

  QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_FALSE(button.isSelected()) << "a press alone changes nothing";
  EXPECT_TRUE(owner.of(skin::WM_COMMAND).empty());

  QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_TRUE(button.isSelected());
  ASSERT_EQ(owner.of(skin::WM_COMMAND).size(), 1u);
  EXPECT_EQ(owner.of(skin::WM_COMMAND)[0], (Message{skin::WM_COMMAND, 0, skin::toLParam(&button)}));

  QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_FALSE(button.isSelected());
  EXPECT_EQ(owner.of(skin::WM_COMMAND).size(), 2u);
}

TEST_F(SkinButtonTest, PushModeReportsEveryClickWithoutLatching) {
  SkinButton button(skin::parseLayout("Apply,640,563,72,30,Apply the setting to the device"),
                    &owner);
  QSignalSpy clicked(&button, &QAbstractButton::clicked);
  QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(3, 3));
  QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(3, 3));
  EXPECT_FALSE(button.isSelected());
  EXPECT_EQ(owner.of(skin::WM_COMMAND).size(), 2u);
  EXPECT_EQ(clicked.count(), 2);
}

TEST_F(SkinButtonTest, PictureChoiceFollowsModeAndState) {
  SkinButton push(&owner);
  EXPECT_EQ(push.currentPicture(), SkinButton::Picture::Normal);
  push.setHover(true);
  EXPECT_EQ(push.currentPicture(), SkinButton::Picture::Hover);
  push.setSelected(true);
  EXPECT_EQ(push.currentPicture(), SkinButton::Picture::Pressed);
  push.setEnabled(false);
  EXPECT_EQ(push.currentPicture(), SkinButton::Picture::Hover) << "hover still wins over disabled";
  push.setHover(false);
  EXPECT_EQ(push.currentPicture(), SkinButton::Picture::Disabled);

  SkinButton check(&owner);
  check.setCheckMode(true);
  check.setSelected(true);
  check.setHover(true);
  EXPECT_EQ(check.currentPicture(), SkinButton::Picture::Pressed);
  check.setSelected(false);
  EXPECT_EQ(check.currentPicture(), SkinButton::Picture::Hover);
  check.setEnabled(false);
  EXPECT_EQ(check.currentPicture(), SkinButton::Picture::Disabled);
}

TEST_F(SkinButtonTest, PicturesAreCutFromTheSheetsAtTheButtonsRectangle) {
  QImage face(100, 50, QImage::Format_RGB32);
  face.fill(Qt::black);
  face.setPixelColor(20, 10, Qt::green);
  const skin::PageSheets sheets(face, face, face, QImage());
  SkinButton button(skin::parseLayout("B,20,10,30,30,"), &owner);
  button.setSheets(sheets);
  EXPECT_EQ(button.pictures().normal.size(), QSize(30, 30));
  EXPECT_EQ(button.pictures().normal.pixelColor(0, 0), QColor(Qt::green));
  EXPECT_TRUE(button.pictures().disabled.isNull()) << "a missing sheet leaves its picture empty";

  // Reaching past the sheet: the outside part is transparent.
  const auto outside = sheets.cut(QRect(90, 40, 20, 20));
  EXPECT_EQ(outside.normal.size(), QSize(20, 20));
  EXPECT_EQ(outside.normal.pixelColor(15, 15).alpha(), 0);
}

TEST_F(SkinButtonTest, RepeatedLayoutNamesAreNumbered) {
  SkinButton first(skin::parseLayout("B4,33,59,158,17,"), &owner);
  SkinButton second(skin::parseLayout("B4,424,59,158,17,"), &owner);
  SkinButton third(skin::parseLayout("B4,424,80,158,17,"), &owner);
  EXPECT_EQ(first.objectName(), "B4");
  EXPECT_EQ(second.objectName(), "B4#2");
  EXPECT_EQ(third.objectName(), "B4#3");
  EXPECT_EQ(owner.findChild<SkinButton*>("B4#2"), &second);
}

TEST_F(SkinButtonTest, MovingStraightFromOneButtonToAnotherReportsLeaveBeforeEnter) {
  auto* a = new SkinButton(skin::parseLayout("A,10,10,50,20,First help"), &owner);
  auto* b = new SkinButton(skin::parseLayout("B,60,10,50,20,Second help"), &owner);
  a->setNotifyIndex(200);
  b->setNotifyIndex(201);
  a->setPictures(solidPictures(a->size()));
  b->setPictures(solidPictures(b->size()));
  owner.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));

  QTest::mouseMove(&owner, QPoint(30, 20));
  drain();
  EXPECT_TRUE(a->isHover());
  EXPECT_EQ(skin::SkinContext::instance().helpText(), "First help");
  QTest::mouseMove(&owner, QPoint(80, 20));
  drain();
  EXPECT_FALSE(a->isHover());
  EXPECT_TRUE(b->isHover());
  EXPECT_EQ(skin::SkinContext::instance().helpText(), "Second help");

  const std::vector<Message> expected = {{skin::ButtonHoverMsg, 1, 200},
                                         {skin::ButtonHoverMsg, 0, 200},
                                         {skin::ButtonHoverMsg, 1, 201}};
  EXPECT_EQ(owner.of(skin::ButtonHoverMsg), expected);
  // The main window heard about the help text each time: set, cleared, set.
  EXPECT_EQ(main.values(skin::HelpTextMsg), (std::vector<int>{1, 0, 1}));

  QTest::mouseMove(&owner, QPoint(300, 200));
  drain();
  EXPECT_FALSE(b->isHover());
  EXPECT_EQ(skin::SkinContext::instance().helpText(), "");
  owner.hide();
}

TEST_F(SkinButtonTest, DefaultButtonStartsHoveredAndAnnouncesItself) {
  SkinButton button(skin::parseLayout("BUTTON_OK,72,200,56,24,Confirm"), &owner);
  button.setNotifyIndex(7);
  button.setDefaultButton();
  drain();
  EXPECT_TRUE(button.isHover());
  EXPECT_EQ(owner.of(skin::ButtonHoverMsg), (std::vector<Message>{{skin::ButtonHoverMsg, 1, 7}}));
}
