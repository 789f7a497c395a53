#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

#include "SkinTestSupport.h"
#include "skin/BitmapEdit.h"
#include "skin/DpiSpinEdit.h"
#include "skin/SkinButton.h"
#include "skin/SkinContext.h"

using namespace skintest;

namespace {

class SpinEditTest : public ::testing::Test {
 protected:
  void SetUp() override { ensureApp(); }

  template <typename Spin>
  Spin* makeSpin(int minimum, int maximum) {
    auto* spin = new Spin(skin::parseLayout("SAligment Spin,237,130,51,17,"), &owner, 600);
    spin->setRange(minimum, maximum);
    drain();
    owner.messages.clear();
    return spin;
  }
  // Types like a person: the program handles each keystroke before the next.
  void type(skin::SpinEdit* spin, const QString& keys) {
    for (const QChar c : keys) {
      QTest::keyClick(spin->edit(), c.toLatin1());
      drain();
    }
  }
  void press(skin::SpinEdit* spin, Qt::Key key) {
    QTest::keyClick(spin->edit(), key);
    drain();
  }
  std::vector<int> reports() {
    drain();
    for (const Message& m : owner.of(skin::SpinValueMsg)) EXPECT_EQ(m.lParam, 600);
    return owner.values(skin::SpinValueMsg);
  }

  RecordingOwner owner;
};

}  // namespace

TEST_F(SpinEditTest, ValueBelowMinimumIsKeptQuietlyUntilEnterClampsIt) {
  auto* spin = makeSpin<skin::SpinEdit>(-5, 5);
  type(spin, "-");
  EXPECT_EQ(spin->edit()->text(), "-");
  EXPECT_EQ(reports(), (std::vector<int>{0})) << "a lone sign stays and reports 0";
  owner.messages.clear();

  type(spin, "7");
  EXPECT_EQ(spin->edit()->text(), "-7");
  EXPECT_EQ(spin->value(), -7);
  EXPECT_TRUE(reports().empty());

  press(spin, Qt::Key_Return);
  EXPECT_EQ(spin->edit()->text(), "-5");
  EXPECT_EQ(spin->value(), -5);
  ASSERT_FALSE(reports().empty());
  EXPECT_EQ(reports().back(), -5);
}

TEST_F(SpinEditTest, LeadingZerosGoAndTooLargeValuesAreCapped) {
  auto* spin = makeSpin<skin::SpinEdit>(-5, 5);
  type(spin, "0");
  EXPECT_EQ(spin->edit()->text(), "0");
  type(spin, "5");
  EXPECT_EQ(spin->edit()->text(), "5");
  EXPECT_EQ(reports().back(), 5);

  auto* wide = makeSpin<skin::SpinEdit>(0, 50);
  type(wide, "9");
  type(wide, "9");
  EXPECT_EQ(wide->edit()->text(), "50");
  EXPECT_EQ(wide->value(), 50);
}

TEST_F(SpinEditTest, ZeroBelowTheMinimumBecomesTheMinimumAtOnce) {
  auto* spin = makeSpin<skin::SpinEdit>(100, 6400);
  type(spin, "0");
  EXPECT_EQ(spin->edit()->text(), "100");
  EXPECT_EQ(reports().back(), 100);
}

TEST_F(SpinEditTest, NumericFieldDropsOtherKeysAndCharacters) {
  auto* spin = makeSpin<skin::SpinEdit>(0, 999);
  type(spin, "1a2");
  EXPECT_EQ(spin->edit()->text(), "12");
  EXPECT_EQ(spin->edit()->maxLength(), 3);
  spin->edit()->setText("4x5");  // pasted text is filtered too
  drain();
  EXPECT_EQ(spin->edit()->text(), "45");
  EXPECT_FALSE(skin::BitmapEdit::numericKeyAllowed(Qt::Key_Minus, Qt::KeypadModifier));
  EXPECT_TRUE(skin::BitmapEdit::numericKeyAllowed(Qt::Key_Minus, Qt::NoModifier));
  EXPECT_TRUE(skin::BitmapEdit::numericKeyAllowed(Qt::Key_7, Qt::KeypadModifier));
  EXPECT_FALSE(skin::BitmapEdit::numericKeyAllowed(Qt::Key_Space, Qt::NoModifier));
}

TEST_F(SpinEditTest, NumericFieldSelectsCopiesAndPastesLikeAnyField) {
  auto* spin = makeSpin<skin::SpinEdit>(0, 999);
  type(spin, "456");
  QTest::keyClick(spin->edit(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(spin->edit()->selectedText(), "456");
  QTest::keyClick(spin->edit(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "456");
  type(spin, "7");  // typing replaces the selection
  EXPECT_EQ(spin->edit()->text(), "7");

  QGuiApplication::clipboard()->setText("1 2x");
  QTest::keyClick(spin->edit(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(spin->edit(), Qt::Key_V, Qt::ControlModifier);
  drain();
  EXPECT_EQ(spin->edit()->text(), "12");
  EXPECT_EQ(reports().back(), 12);
}

TEST_F(SpinEditTest, ArrowsStepWithinTheRange) {
  auto* spin = makeSpin<skin::SpinEdit>(0, 10);
  spin->setStep(4);
  spin->setValue(5);
  drain();
  owner.messages.clear();
  QTest::mouseClick(spin->upArrow(), Qt::LeftButton, {}, QPoint(2, 2));
  EXPECT_EQ(spin->edit()->text(), "9");
  QTest::mouseClick(spin->upArrow(), Qt::LeftButton, {}, QPoint(2, 2));
  EXPECT_EQ(spin->edit()->text(), "10");
  QTest::mouseClick(spin->upArrow(), Qt::LeftButton, {}, QPoint(2, 2));
  EXPECT_EQ(spin->value(), 10);
  QTest::mouseClick(spin->downArrow(), Qt::LeftButton, {}, QPoint(2, 2));
  EXPECT_EQ(spin->edit()->text(), "6");
  EXPECT_EQ(reports().back(), 6);
}

TEST_F(SpinEditTest, DpiFieldShowsTheTopStepsAsTheyAreSold) {
  auto* spin = makeSpin<skin::DpiSpinEdit>(400, 2800);
  type(spin, "2500");
  EXPECT_EQ(spin->edit()->text(), "3200");
  EXPECT_EQ(spin->value(), 2400);
  EXPECT_EQ(reports().back(), 2400);

  spin->edit()->clear();
  drain();
  type(spin, "3900");
  EXPECT_EQ(spin->edit()->text(), "4000");
  EXPECT_EQ(spin->value(), 2800);

  spin->setValue(2000);
  drain();
  EXPECT_EQ(spin->edit()->text(), "2000");
  spin->setStep(400);
  QTest::mouseClick(spin->upArrow(), Qt::LeftButton, {}, QPoint(2, 2));
  drain();
  EXPECT_EQ(spin->edit()->text(), "3200");
  EXPECT_EQ(spin->value(), 2400);

  EXPECT_EQ(skin::DpiSpinEdit::storedFromTyped(2000), 2000);
  EXPECT_EQ(skin::DpiSpinEdit::storedFromTyped(2001), 2400);
  EXPECT_EQ(skin::DpiSpinEdit::storedFromTyped(3201), 2800);
  EXPECT_EQ(skin::DpiSpinEdit::storedFromTyped(4000), 2800);
}

TEST(BitmapEdit, NotifiesChangesEnterAndFocusLoss) {
  ensureApp();
  skin::SkinContext::instance().registerMessages([](std::string_view name) -> skin::UINT {
    return name == "BitmapEdit_KillFocus" ? 0xC123 : 0;
  });
  RecordingOwner owner;
  skin::BitmapEdit edit(skin::parseLayout("EDIT_PROFILE_NAME,10,10,120,18,"), &owner);
  EXPECT_EQ(edit.textColor(), QColor(36, 36, 36));
  EXPECT_EQ(edit.backgroundColor(), QColor(Qt::white));
  QTest::keyClicks(&edit, "ab");
  drain();
  EXPECT_EQ(owner.values(skin::EditNotifyMsg), (std::vector<int>{0, 0}));
  QTest::keyClick(&edit, Qt::Key_Return);
  drain();
  EXPECT_EQ(owner.values(skin::EditNotifyMsg).back(), 13);

  QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
  QCoreApplication::sendEvent(&edit, &focusOut);
  drain();
  EXPECT_EQ(owner.of(0xC123).size(), 1u);
}
