#include "PopupFrame.h"
#include "WindowArt.h"
#include "skin/CalibrationWizardLayout.h"
#include "skin/LayoutEntry.h"
#include "skin/SkinResourceIds.h"

// The sensor calibration wizard: its window with the three step indicators,
// the two highlight sheets of the current step, the four panels (start,
// progress, retry, success) and the 15-second confirmation that follows it.
namespace skinart {

namespace cw = skin::calibration;
namespace res = skin::res;

namespace {

void drawFrame(QPainter& p, const QSize& size, const QString& title) {
  drawPopupFrame(p, size, 30, title, 10);
}

const char* const kStepNames[3] = {"Start", "Calibrate", "Done"};

// A step indicator: a numbered disc and the step's name. Lit: the current
// step (the start step outlined, the later ones filled).
enum class StepLook { Idle, LitStart, LitRunning };
void drawStep(QPainter& p, int index, StepLook look) {
  const QRect r = layoutRect(cw::kSteps[index]);
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(r, color::kBase);
  const QRectF disc(r.left() + 2, r.top() + 5, 20, 20);
  QColor ink = color::kDim;
  if (look == StepLook::Idle) {
    p.setPen(QPen(color::kLine, 1.5));
    p.setBrush(color::kPanel);
  } else if (look == StepLook::LitStart) {
    p.setPen(QPen(color::kAccent, 2));
    p.setBrush(QColor(22, 58, 84));
    ink = color::kBright;
  } else {
    p.setPen(Qt::NoPen);
    p.setBrush(color::kAccent);
    ink = color::kBright;
  }
  p.drawEllipse(disc);
  p.restore();
  drawText(p, disc.toRect(), QString::number(index + 1),
           look == StepLook::LitRunning ? color::kDeep : ink, artFont(12, true));
  drawText(p, QRect(r.left() + 26, r.top(), r.width() - 26, r.height()),
           QString::fromLatin1(kStepNames[index]).toUpper(), ink, artFont(11, true, 0.4),
           Qt::AlignLeft | Qt::AlignVCenter);
}

void drawWizardBackground(QPainter& p, const QSize& size, StepLook lit) {
  drawFrame(p, size, QStringLiteral("Surface calibration"));
  drawText(p, QRect(40, 42, size.width() - 80, 40),
           QStringLiteral("Tune the sensor's tracking to the surface your mouse lies on."),
           color::kText, artFont(13), Qt::AlignLeft | Qt::AlignVCenter);
  // The path between the steps.
  for (int i = 0; i < 2; ++i) {
    const QRect from = layoutRect(cw::kSteps[i]);
    const QRect to = layoutRect(cw::kSteps[i + 1]);
    p.fillRect(QRect(from.right() + 4, from.center().y(), to.left() - from.right() - 8, 1),
               color::kLine);
  }
  for (int i = 0; i < 3; ++i) drawStep(p, i, lit);
  // The panels' place, framed.
  p.save();
  p.setPen(QPen(color::kLineSoft, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(
      QRect(cw::kPanelLeft - 1, cw::kPanelTop - 1, cw::kPanelWidth + 1, cw::kPanelHeight + 1));
  p.restore();
}

// Every panel's body: a soft gradient; the picture-showing panels frame
// the sensor picture's place.
void drawPanelBase(QPainter& p, const QSize& size, bool pictureFrame) {
  QLinearGradient g(0, 0, 0, size.height());
  g.setColorAt(0, QColor(23, 25, 30));
  g.setColorAt(1, QColor(16, 17, 21));
  p.fillRect(QRect(QPoint(0, 0), size), g);
  if (!pictureFrame) return;
  const QRect picture(cw::kPicture[0], cw::kPicture[1], cw::kPicture[2] - cw::kPicture[0],
                      cw::kPicture[3] - cw::kPicture[1]);
  p.fillRect(picture, QColor(8, 9, 11));
  drawBrackets(p, picture.adjusted(-4, -4, 3, 3), 10, color::kAccent);
  drawText(p, QRect(picture.left(), picture.bottom() + 6, picture.width(), 14),
           QStringLiteral("SENSOR PICTURE"), color::kDim, artFont(11, true, 1.2));
}

void paragraph(QPainter& p, const QRect& r, const QString& text, const QColor& c = color::kText,
               int size = 12) {
  drawText(p, r, text, c, artFont(size), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
}

void heading(QPainter& p, const QRect& r, const QString& text, const QColor& c) {
  drawText(p, r, text, c, artFont(15, true), Qt::AlignLeft | Qt::AlignVCenter);
}

void drawStartPanel(QPainter& p, const QSize& size) {
  drawPanelBase(p, size, false);
  heading(p, QRect(27, 14, 380, 24), QStringLiteral("Before you start"), color::kBright);
  paragraph(p, QRect(27, 44, 390, 80),
            QStringLiteral("Lay the mouse on the pad you play on and keep it still. The sensor "
                           "takes five pictures of the surface, two seconds apart, and then tunes "
                           "its tracking to it. This takes about twelve seconds."));
  drawText(p, QRect(224, 132, 200, 28), QStringLiteral("Keep your hand off the mouse"), color::kDim,
           artFont(11), Qt::AlignLeft | Qt::AlignVCenter);
}

void drawProgressPanel(QPainter& p, const QSize& size) {
  drawPanelBase(p, size, true);
  const QRect bar = layoutRect(cw::kProgressBar);
  heading(p, QRect(bar.left(), 20, 200, 26), QStringLiteral("Calibrating..."), color::kBright);
  p.fillRect(bar.adjusted(-1, -1, 1, 1), color::kLine);
  paragraph(p, QRect(bar.left(), bar.bottom() + 14, size.width() - bar.left() - 14, 80),
            QStringLiteral("The sensor is looking at the surface. Keep the mouse still until "
                           "the result shows."));
}

void drawRetryPanel(QPainter& p, const QSize& size) {
  drawPanelBase(p, size, true);
  const QRect button = layoutRect(cw::kRetry);
  heading(p, QRect(button.left(), 20, 200, 26), QStringLiteral("Not calibrated"),
          QColor(236, 120, 128));
  paragraph(p, QRect(button.left(), 52, size.width() - button.left() - 12, 76),
            QStringLiteral("The sensor could not read this surface well enough. Move the mouse "
                           "to a matte, textured pad and try again."));
}

void drawSuccessPanel(QPainter& p, const QSize& size) {
  drawPanelBase(p, size, true);
  const QRect button = layoutRect(cw::kContinue);
  heading(p, QRect(button.left(), 20, 200, 26), QStringLiteral("Calibrated"), color::kAccent);
  paragraph(p, QRect(button.left(), 52, size.width() - button.left() - 12, 76),
            QStringLiteral("Tracking is tuned to this surface. Continue, then keep the "
                           "calibration if the pointer feels right."));
}

void drawConfirmBackground(QPainter& p, const QSize& size) {
  drawFrame(p, size, QStringLiteral("Keep calibration?"));
  drawText(p, QRect(24, 44, size.width() - 48, 26), QStringLiteral("Keep the new calibration?"),
           color::kBright, artFont(15, true), Qt::AlignLeft | Qt::AlignVCenter);
  paragraph(p, QRect(24, 74, size.width() - 48, 32),
            QStringLiteral("Move the mouse and try it. Unless you accept in time, the new "
                           "calibration is discarded."),
            color::kText, 11);
  drawText(p, QRect(54, 109, 126, 20), QStringLiteral("TIME LEFT"), color::kDim,
           artFont(11, true, 1.2), Qt::AlignLeft | Qt::AlignVCenter);
  const QRect bar = layoutRect(cw::kConfirmBar);
  p.fillRect(bar.adjusted(-1, -1, 1, 1), color::kLine);
  p.fillRect(QRect(12, 226, size.width() - 24, 1), color::kLineSoft);
}

WindowArt panelArt(const char* name, QSize size, int face, bool buttons,
                   void (*background)(QPainter&, const QSize&)) {
  WindowArt art;
  art.name = QString::fromLatin1(name);
  art.size = size;
  art.face = face;
  if (buttons) {
    art.hover = face + 1;
    art.pressed = face + 2;
  }
  art.background = background;
  return art;
}

}  // namespace

std::vector<WindowArt> calibrationWizardArt() {
  std::vector<WindowArt> all;
  const QSize wizardSize(cw::kWizardWidth, cw::kWizardHeight);
  WindowArt wizard;
  wizard.name = QStringLiteral("calibration wizard");
  wizard.size = wizardSize;
  wizard.face = res::kCalibrationWizardFace;
  wizard.hover = res::kCalibrationWizardFace + 1;
  wizard.pressed = res::kCalibrationWizardFace + 2;
  wizard.background = [](QPainter& p, const QSize& s) {
    drawWizardBackground(p, s, StepLook::Idle);
  };
  wizard.controls.push_back({cw::kExit, ArtKind::Close, QString()});
  wizard.controls.push_back({cw::kCancel, ArtKind::PushButton, QStringLiteral("Cancel")});
  all.push_back(wizard);

  // The steps' highlights: full-size sheets the wizard cuts the current
  // step's indicator from.
  for (const auto& [number, look] :
       {std::pair{res::kCalibrationStepStart, StepLook::LitStart},
        std::pair{res::kCalibrationStepRunning, StepLook::LitRunning}}) {
    WindowArt lit;
    lit.name = QStringLiteral("calibration step highlight");
    lit.size = wizardSize;
    lit.face = number;
    lit.background = [look](QPainter& p, const QSize& s) { drawWizardBackground(p, s, look); };
    all.push_back(lit);
  }

  const QSize panelSize(cw::kPanelWidth, cw::kPanelHeight);
  WindowArt start = panelArt("calibration start panel", panelSize, res::kCalibrationStartPanel,
                             true, drawStartPanel);
  start.controls.push_back({cw::kStart, ArtKind::PushButton, QStringLiteral("Start")});
  all.push_back(start);
  all.push_back(panelArt("calibration progress panel", panelSize, res::kCalibrationProgressPanel,
                         false, drawProgressPanel));
  WindowArt retry = panelArt("calibration retry panel", panelSize, res::kCalibrationRetryPanel,
                             true, drawRetryPanel);
  retry.controls.push_back({cw::kRetry, ArtKind::PushButton, QStringLiteral("Retry Calibration")});
  all.push_back(retry);
  WindowArt success = panelArt("calibration success panel", panelSize,
                               res::kCalibrationSuccessPanel, true, drawSuccessPanel);
  success.controls.push_back({cw::kContinue, ArtKind::PushButton, QStringLiteral("Continue")});
  all.push_back(success);

  WindowArt confirm =
      panelArt("calibration confirmation", QSize(cw::kConfirmWidth, cw::kConfirmHeight),
               res::kCalibrationConfirm, true, drawConfirmBackground);
  confirm.controls.push_back({cw::kAccept, ArtKind::PushButton, QStringLiteral("Accept")});
  confirm.controls.push_back({cw::kConfirmCancel, ArtKind::PushButton, QStringLiteral("Cancel")});
  confirm.controls.push_back({cw::kConfirmExit, ArtKind::Close, QString()});
  all.push_back(confirm);
  return all;
}

}  // namespace skinart
