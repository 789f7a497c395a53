#include "CalibrationScenes.h"

#include <QCoreApplication>
#include <cstdint>

#include "CalibrationConfirmDialog.h"
#include "CalibrationPanel.h"
#include "CalibrationWizardDialog.h"
#include "FactoryResetDialog.h"
#include "WindowScenes.h"
#include "skin/SkinButton.h"
#include "skin/SkinResourceIds.h"
#include "skin/SkinResources.h"

namespace gallery {

namespace {

using Panel = option::CalibrationWizard::Panel;

// A sensor picture as the Monitor stores one from a textured pad: grey
// levels around the middle with grain, each byte rotated left by two bits.
QImage sampleSensorPicture() {
  QImage picture(30, 30, QImage::Format_Grayscale8);
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 30; ++x) {
      const auto value = static_cast<std::uint8_t>(96 + (x * 7 + y * 13 + 15) % 64);
      picture.scanLine(y)[x] = static_cast<std::uint8_t>(value << 2 | value >> 6);
    }
  }
  return picture;
}

QImage grab(QWidget* dialog, const QImage& mask) {
  QImage image = shapedGrab(dialog, mask);
  dialog->hide();
  return image;
}

}  // namespace

std::vector<std::pair<QImage, QString>> calibrationDialogs() {
  namespace res = skin::res;
  using skin::SkinResources::bitmap;
  std::vector<std::pair<QImage, QString>> all;
  const QImage wizardMask = bitmap(res::kCalibrationWizardFace);
  {
    option::CalibrationWizardDialog wizard(nullptr, [](platform::UINT, platform::LPARAM) {});
    wizard.startButton()->setHover(true);
    all.emplace_back(grab(&wizard, wizardMask), QStringLiteral("calibration-start.png"));
    wizard.startButton()->setHover(false);

    const QImage picture = sampleSensorPicture();
    for (Panel p : {Panel::Progress, Panel::Retry, Panel::Success})
      wizard.panel(p)->setSensorPicture(picture);
    wizard.wizard().start();
    all.emplace_back(grab(&wizard, wizardMask), QStringLiteral("calibration-sampling.png"));
    wizard.wizard().handle(option::CalibrationWizard::kOutcomeMsg, 0, 2);
    all.emplace_back(grab(&wizard, wizardMask), QStringLiteral("calibration-retry.png"));
    wizard.wizard().retry();
    wizard.wizard().handle(option::CalibrationWizard::kOutcomeMsg, 0, 1);
    wizard.continueButton()->setHover(true);
    all.emplace_back(grab(&wizard, wizardMask), QStringLiteral("calibration-success.png"));
    wizard.wizard().cancel();
  }
  {
    option::CalibrationConfirmDialog confirm;
    for (int second = 0; second < 4; ++second) confirm.tick();
    confirm.acceptButton()->setHover(true);
    all.emplace_back(grab(&confirm, bitmap(res::kCalibrationConfirm)),
                     QStringLiteral("calibration-confirm.png"));
  }
  {
    option::FactoryResetDialog reset;
    reset.cancelButton()->setHover(true);
    all.emplace_back(grab(&reset, bitmap(res::kFactoryResetDialog)),
                     QStringLiteral("dialog-factory-reset.png"));
  }
  return all;
}

}  // namespace gallery
