#include "CalibrationWizardDialog.h"

#include <QPainter>

#include "CalibrationPanel.h"
#include "apply/MonitorAddress.h"
#include "platform/Window.h"
#include "skin/CalibrationWizardLayout.h"
#include "skin/GifPlayer.h"
#include "skin/LayoutEntry.h"
#include "skin/PageSheets.h"
#include "skin/SkinButton.h"
#include "skin/SkinResourceIds.h"
#include "skin/SkinResources.h"

namespace option {
namespace {

namespace cw = skin::calibration;
using Panel = CalibrationWizard::Panel;

void postToMonitor(platform::UINT msg, platform::LPARAM lParam) {
  const platform::HWND monitor = platform::FindWindow(apply::kMonitorTitle);
  if (monitor != platform::kNoWindow) platform::PostMessage(monitor, msg, 0, lParam);
}

QRect rectOf(const char* layout) {
  const skin::LayoutEntry e = skin::parseLayout(layout);
  return QRect(e.left, e.top, e.width(), e.height());
}

}  // namespace

CalibrationWizardDialog::CalibrationWizardDialog(QWidget* parent, Post post)
    : skin::SkinDialog(parent),
      wizard_(CalibrationWizard::Ports{post ? std::move(post) : Post(postToMonitor),
                                       [this] { reloadPicture(); }, [this] { showPanel(); },
                                       [this](CalibrationWizard::Ending ending) {
                                         done(ending == CalibrationWizard::Ending::Ok ? Accepted
                                                                                      : Rejected);
                                       }}) {
  using skin::SkinResources::bitmap;
  namespace res = skin::res;
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  setObjectName(QStringLiteral("CalibrationWizardDialog"));
  setWindowTitle(QString::fromLatin1(CalibrationWizard::kTitle));
  const QImage face = bitmap(res::kCalibrationWizardFace);
  setFace(face);
  setMaskBitmap(face);
  stepStart_ = bitmap(res::kCalibrationStepStart);
  stepRunning_ = bitmap(res::kCalibrationStepRunning);
  const skin::PageSheets sheets(face, bitmap(res::kCalibrationWizardFace + 1),
                                bitmap(res::kCalibrationWizardFace + 2), face);
  exit_ = new skin::SkinButton(skin::parseLayout(cw::kExit), this);
  cancel_ = new skin::SkinButton(skin::parseLayout(cw::kCancel), this);
  for (skin::SkinButton* b : {exit_, cancel_}) {
    b->setSheets(sheets);
    connect(b, &skin::SkinButton::clicked, this, [this] { wizard_.cancel(); });
  }

  // Panels with a button: face, hover and pressed at +0..+2.
  auto makePanel = [&](Panel which, int number, bool picture, const char* button,
                       const char* name) -> skin::SkinButton* {
    const QImage panelFace = bitmap(number);
    auto* panel = new CalibrationPanel(panelFace, picture, this);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setGeometry(cw::kPanelLeft, cw::kPanelTop, cw::kPanelWidth, cw::kPanelHeight);
    panels_[static_cast<std::size_t>(which)] = panel;
    if (!button) return nullptr;
    auto* b = new skin::SkinButton(skin::parseLayout(button), panel);
    b->setSheets(skin::PageSheets(panelFace, bitmap(number + 1), bitmap(number + 2), panelFace));
    return b;
  };
  start_ = makePanel(Panel::Start, res::kCalibrationStartPanel, false, cw::kStart,
                     "CalibrationStartPanel");
  makePanel(Panel::Progress, res::kCalibrationProgressPanel, true, nullptr,
            "CalibrationProgressPanel");
  retry_ = makePanel(Panel::Retry, res::kCalibrationRetryPanel, true, cw::kRetry,
                     "CalibrationRetryPanel");
  continue_ = makePanel(Panel::Success, res::kCalibrationSuccessPanel, true, cw::kContinue,
                        "CalibrationSuccessPanel");
  connect(start_, &skin::SkinButton::clicked, this, [this] { wizard_.start(); });
  connect(retry_, &skin::SkinButton::clicked, this, [this] { wizard_.retry(); });
  connect(continue_, &skin::SkinButton::clicked, this, [this] { wizard_.finish(); });

  progress_ = new skin::GifPlayer(skin::parseLayout(cw::kProgressBar), panel(Panel::Progress));
  progress_->loadFile(QString::fromLatin1(skin::res::kProgressAnimation));

  wizard_.open();
  reloadPicture();
  showPanel();
}

CalibrationWizardDialog::~CalibrationWizardDialog() { progress_->stop(); }

bool CalibrationWizardDialog::run(QWidget* parent) {
  CalibrationWizardDialog dialog(parent);
  return dialog.exec() == Accepted;
}

void CalibrationWizardDialog::showPanel() {
  const Panel current = wizard_.panel();
  for (std::size_t i = 0; i < panels_.size(); ++i)
    panels_[i]->setVisible(static_cast<Panel>(i) == current);
  if (current == Panel::Progress)
    progress_->play();
  else
    progress_->stop();
  update();
}

void CalibrationWizardDialog::reloadPicture() {
  // A missing or unreadable file shows nothing in the frame.
  picture_ =
      QImage(skin::SkinResources::resolve(QString::fromLatin1(CalibrationWizard::kPictureFile)));
  for (CalibrationPanel* panel : panels_) panel->setSensorPicture(picture_);
  update();
}

void CalibrationWizardDialog::done(int result) {
  // Escape, a window close or a caller's reject end the wizard as Cancel
  // does, so the sampling stops with it.
  if (wizard_.ending() == CalibrationWizard::Ending::Open) {
    wizard_.cancel();
    return;
  }
  progress_->stop();
  picture_ = QImage();
  for (CalibrationPanel* panel : panels_) panel->setSensorPicture(QImage());
  QDialog::done(result);
}

void CalibrationWizardDialog::paintEvent(QPaintEvent* event) {
  skin::SkinDialog::paintEvent(event);
  const int step = wizard_.step();
  const QImage& lit = step == 0 ? stepStart_ : stepRunning_;
  if (lit.isNull() || step < 0 || step > 2) return;
  const QRect r = rectOf(cw::kSteps[step]);
  QPainter p(this);
  p.drawImage(r.topLeft(), lit, r);
}

}  // namespace option
