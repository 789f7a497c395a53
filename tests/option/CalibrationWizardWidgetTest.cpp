#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <filesystem>
#include <vector>

#include "CalibrationConfirmDialog.h"
#include "CalibrationPanel.h"
#include "CalibrationWizardDialog.h"
#include "WidgetTestSession.h"
#include "platform/Window.h"
#include "skin/SkinButton.h"
#include "skin/SkinContext.h"
#include "skin/SkinProgressBar.h"

namespace option {
namespace {

using testing::drain;
using Panel = CalibrationWizard::Panel;
namespace fs = std::filesystem;

class CalibrationWizardWidgetTest : public ::testing::Test {
 protected:
  CalibrationWizardWidgetTest() {
    // The suite's skin and animation, and a sensor picture of the test's own.
    for (const char* shared : {"skin", "Gif"})
      fs::create_directory_symlink(fs::path(VESK_SUITE_DIR) / shared, fs::path(folder_) / shared);
    fs::create_directories(folder_ + "Wave");
    skin::SkinContext::instance().setProgramFolder(QString::fromStdString(folder_));
  }
  void writePicture(QRgb colour) {
    QImage picture(30, 30, QImage::Format_Indexed8);
    picture.setColorTable({colour});
    picture.fill(0);
    ASSERT_TRUE(picture.save(QString::fromStdString(folder_ + "Wave/sensorImage.bmp"), "BMP"));
  }
  // As the Monitor answers: posted to the wizard found by its title.
  static void fromMonitor(platform::UINT msg, platform::LPARAM lParam = 0) {
    const platform::HWND wizard = platform::FindWindow(CalibrationWizard::kTitle);
    ASSERT_NE(wizard, platform::kNoWindow);
    platform::PostMessage(wizard, msg, 0, lParam);
    platform::PumpMessages();
    drain();
  }
  static void click(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
    drain();
  }
  static Panel shown(CalibrationWizardDialog& d) {
    Panel visible = Panel::Start;
    int count = 0;
    for (Panel p : {Panel::Start, Panel::Progress, Panel::Retry, Panel::Success}) {
      if (d.panel(p)->isVisible()) {
        visible = p;
        ++count;
      }
    }
    EXPECT_EQ(count, 1) << "exactly one panel shows";
    return visible;
  }

  testing::WidgetTestSession session_;
  const std::string& folder_ = session_.folder;
  std::vector<std::pair<platform::UINT, platform::LPARAM>> posts_;
  CalibrationWizardDialog::Post post_ = [this](platform::UINT m, platform::LPARAM l) {
    posts_.emplace_back(m, l);
  };
};

TEST_F(CalibrationWizardWidgetTest, PanelsFollowTheRunAndThePictureIsReloaded) {
  writePicture(qRgb(200, 40, 40));
  CalibrationWizardDialog dialog(nullptr, post_);
  dialog.show();
  drain();
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Vesk ORB Optical SFCCalibrateDlg"));
  EXPECT_FALSE(dialog.face().isNull()) << "the wizard's art is drawn";
  EXPECT_EQ(shown(dialog), Panel::Start);

  click(dialog.startButton());
  EXPECT_EQ(shown(dialog), Panel::Progress);
  EXPECT_EQ(posts_, (std::vector<std::pair<platform::UINT, platform::LPARAM>>{{1229, 0}}));

  writePicture(qRgb(20, 220, 90));
  fromMonitor(CalibrationWizard::kPictureStoredMsg);
  ASSERT_FALSE(dialog.sensorPicture().isNull());
  EXPECT_EQ(dialog.sensorPicture().pixel(3, 3), qRgb(20, 220, 90));
  // Drawn stretched into the panel's frame.
  const QImage panel = dialog.panel(Panel::Progress)->grab().toImage();
  EXPECT_EQ(panel.pixel(120, 90), qRgb(20, 220, 90));

  fromMonitor(CalibrationWizard::kOutcomeMsg, 2);
  EXPECT_EQ(shown(dialog), Panel::Retry);
  click(dialog.retryButton());
  EXPECT_EQ(shown(dialog), Panel::Progress);
  EXPECT_EQ(posts_.back(), std::make_pair(platform::UINT{1231}, platform::LPARAM{1}));
  fromMonitor(CalibrationWizard::kOutcomeMsg, 1);
  EXPECT_EQ(shown(dialog), Panel::Success);
  click(dialog.continueButton());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(dialog.sensorPicture().isNull()) << "the picture is released with the wizard";
}

TEST_F(CalibrationWizardWidgetTest, MissingPictureAndEscapeDuringSampling) {
  CalibrationWizardDialog dialog(nullptr, post_);
  dialog.show();
  drain();
  click(dialog.startButton());
  fromMonitor(CalibrationWizard::kPictureStoredMsg);
  EXPECT_TRUE(dialog.sensorPicture().isNull()) << "no file, nothing drawn";
  QTest::keyClick(&dialog, Qt::Key_Escape);
  drain();
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_EQ(dialog.wizard().ending(), CalibrationWizard::Ending::Cancelled);
  EXPECT_FALSE(dialog.wizard().sampling()) << "Escape stops the picture requests";
}

TEST_F(CalibrationWizardWidgetTest, ConfirmationCountsDownAndRefusesWhenLeftAlone) {
  {
    CalibrationConfirmDialog confirm;
    EXPECT_EQ(confirm.bar()->position(), 15);
    for (int i = 0; i < 14; ++i) confirm.tick();
    EXPECT_EQ(confirm.bar()->position(), 1);
    EXPECT_EQ(confirm.result(), 0) << "still open";
    confirm.tick();
    EXPECT_EQ(confirm.result(), QDialog::Rejected);
  }
  {
    CalibrationConfirmDialog confirm;
    confirm.show();
    drain();
    confirm.tick();
    click(confirm.acceptButton());
    EXPECT_EQ(confirm.result(), QDialog::Accepted);
    EXPECT_EQ(confirm.countdown().remaining(), 14);
  }
  {
    CalibrationConfirmDialog confirm;
    confirm.show();
    drain();
    click(confirm.exitButton());
    EXPECT_EQ(confirm.result(), QDialog::Rejected);
  }
}

}  // namespace
}  // namespace option
