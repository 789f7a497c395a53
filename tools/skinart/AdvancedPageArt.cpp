#include "PopupFrame.h"
#include "WindowArt.h"
#include "skin/AdvancedPageLayout.h"
#include "skin/LayoutEntry.h"
#include "skin/SkinResourceIds.h"
#include "skin/SmallDialogLayouts.h"

// The Advanced page: angle snapping, split X/Y sensitivity, sensor alignment,
// tracking calibration, lift-off distance and polling rate on the left; sound
// feedback and the desktop pointer on the right; the factory reset.
namespace skinart {

namespace ap = skin::advancedpage;

namespace {

void label(QPainter& p, const QRect& r, const QString& text, int flags = Qt::AlignCenter) {
  drawText(p, r, text, color::kDim, artFont(11, true, 0.6), flags);
}

// Value labels under a slider, at the thumb's centre for each value.
void scale(QPainter& p, const char* layout, int thumbWidth, int minimum, int maximum,
           const std::vector<std::pair<int, QString>>& labels) {
  const QRect track = layoutRect(layout);
  for (const auto& [value, text] : labels) {
    const qreal x = track.left() +
                    qreal(track.width() - thumbWidth) * (value - minimum) / (maximum - minimum) +
                    thumbWidth / 2.0;
    p.fillRect(QRectF(x - 0.5, track.bottom() + 1, 1, 3), QColor(110, 118, 130));
    label(p, QRect(qRound(x) - 22, track.bottom() + 4, 44, 13), text);
  }
}

void drawAdvancedBackground(QPainter& p, const QSize& size) {
  drawBackdrop(p, QRect(QPoint(0, 0), size));
  drawPanel(p, QRect(5, 5, 378, size.height() - 10));
  drawPanel(p, QRect(388, 5, size.width() - 393, size.height() - 10));

  drawSectionLabel(p, QPoint(14, 20), QStringLiteral("Angle snapping"));
  scale(p, ap::kSnapSlider, 17, 1, 6, {{1, "1"}, {2, "2"}, {3, "3"}, {4, "4"}, {5, "5"}, {6, "6"}});

  drawSectionLabel(p, QPoint(14, 84), QStringLiteral("X / Y sensitivity"));

  drawSectionLabel(p, QPoint(14, 118), QStringLiteral("Sensor alignment"));
  scale(p, ap::kAlignmentSlider, 17, 0, 60, {{0, "-30\u00b0"}, {30, "0\u00b0"}, {60, "+30\u00b0"}});
  label(p, QRect(233, 114, 60, 13), QStringLiteral("ANGLE"), Qt::AlignLeft | Qt::AlignVCenter);

  const QRect recalibrate = layoutRect(ap::kRecalibrate);
  p.fillRect(QRect(14, recalibrate.top() + 4, 3, 12), color::kAccent);
  label(p, QRect(22, recalibrate.top(), recalibrate.left() - 26, recalibrate.height()),
        QStringLiteral("SURFACE"), Qt::AlignLeft | Qt::AlignVCenter);
  label(p, QRect(recalibrate.right() + 8, recalibrate.top(), 200, recalibrate.height()),
        QStringLiteral("tune to your mouse pad"), Qt::AlignLeft | Qt::AlignVCenter);

  drawSectionLabel(p, QPoint(14, 210), QStringLiteral("Lift-off distance"));

  const QRect firstRate = layoutRect(ap::kPollingRates[0]);
  p.fillRect(QRect(14, firstRate.top() + 4, 3, 12), color::kAccent);
  drawText(p, QRect(22, firstRate.top(), firstRate.left() - 24, firstRate.height()),
           QStringLiteral("POLLING RATE"), color::kDim, artFont(11, true, 1.2),
           Qt::AlignLeft | Qt::AlignVCenter);

  drawSectionLabel(p, QPoint(397, 34), QStringLiteral("Sound feedback"));
  const QRect volume = layoutRect(ap::kSoundVolume);
  label(p, QRect(405, volume.top(), volume.left() - 410, volume.height()), QStringLiteral("VOLUME"),
        Qt::AlignLeft | Qt::AlignVCenter);
  scale(p, ap::kSoundVolume, 14, 0, 4, {{0, "0"}, {2, "2"}, {4, "4"}});

  drawSectionLabel(p, QPoint(397, 186), QStringLiteral("Pointer speed"));
  const QRect speed = layoutRect(ap::kPointerSpeed);
  label(p, QRect(speed.right() + 6, speed.top(), 120, speed.height()),
        QStringLiteral("SLOW  -  FAST"), Qt::AlignLeft | Qt::AlignVCenter);

  const QRect reset = layoutRect(ap::kReset);
  label(p, QRect(405, reset.top(), reset.left() - 415, reset.height()),
        QStringLiteral("FACTORY SETTINGS, ALL PROFILES"), Qt::AlignRight | Qt::AlignVCenter);
}

void drawFactoryResetBackground(QPainter& p, const QSize& size) {
  drawPopupFrame(p, size, 28, QStringLiteral("Factory settings"), 8);
  drawText(p, QRect(22, 44, size.width() - 44, 44), QStringLiteral("Restore the factory settings?"),
           color::kBright, artFont(15, true), Qt::AlignLeft | Qt::AlignVCenter);
  drawText(p, QRect(22, 92, size.width() - 44, 64),
           QStringLiteral("All five profiles, the pointer, sound and tracking settings go back "
                          "to how the mouse came, and are sent to the mouse at once."),
           color::kText, artFont(12), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
  p.fillRect(QRect(12, 160, size.width() - 24, 1), color::kLineSoft);
}

}  // namespace

WindowArt factoryResetDialogArt() {
  namespace dl = skin::dialogs;
  WindowArt art;
  art.name = QStringLiteral("factory reset confirmation");
  art.size = QSize(dl::kConfirmSize.width, dl::kConfirmSize.height);
  art.face = skin::res::kFactoryResetDialog;
  art.hover = skin::res::kFactoryResetDialog + 1;
  art.pressed = skin::res::kFactoryResetDialog + 2;
  art.background = drawFactoryResetBackground;
  art.controls.push_back({dl::kConfirmOk, ArtKind::PushButton, QStringLiteral("OK")});
  art.controls.push_back({dl::kConfirmCancel, ArtKind::PushButton, QStringLiteral("Cancel")});
  art.controls.push_back({dl::kConfirmExit, ArtKind::Close, {}});
  return art;
}

WindowArt advancedPageArt() {
  WindowArt art;
  art.name = QStringLiteral("advanced page");
  art.size = QSize(774, 312);
  art.face = skin::res::kAdvancedPageFace;
  art.hover = skin::res::kAdvancedPageHover;
  art.pressed = skin::res::kAdvancedPagePressed;
  art.disabled = skin::res::kAdvancedPageDisabled;
  art.background = drawAdvancedBackground;

  auto add = [&art](const char* layout, ArtKind kind, const char* caption = "") {
    art.controls.push_back({layout, kind, QString::fromUtf8(caption)});
  };
  add(ap::kSnapOn, ArtKind::PushButton, "On");
  add(ap::kSnapOff, ArtKind::PushButton, "Off");
  add(ap::kSnapSlider, ArtKind::SliderTrack);
  add(ap::kSeparateAxes, ArtKind::CheckBox, "Set X and Y separately");
  add(ap::kAlignmentSlider, ArtKind::SliderTrack);
  add(ap::kAlignmentSpin, ArtKind::Spin);
  add(ap::kAlignmentOn, ArtKind::PushButton, "On");
  add(ap::kAlignmentOff, ArtKind::PushButton, "Off");
  add(ap::kRecalibrate, ArtKind::PushButton, "Calibrate");
  const char* const liftCaptions[4] = {"Off", "Extra low", "Low", "Normal"};
  for (int i = 0; i < 4; ++i) add(ap::kLiftOff[i], ArtKind::PushButton, liftCaptions[i]);
  const char* const rates[4] = {"125 Hz", "250 Hz", "500 Hz", "1000 Hz"};
  for (int i = 0; i < 4; ++i) add(ap::kPollingRates[i], ArtKind::PushButton, rates[i]);
  add(ap::kSoundDpi, ArtKind::CheckBox, "DPI switch");
  add(ap::kSoundProfile, ArtKind::CheckBox, "Profile switch");
  add(ap::kSoundSensitivity, ArtKind::CheckBox, "Sensitivity switch");
  add(ap::kSoundVolumeKeys, ArtKind::CheckBox, "Volume up / down");
  add(ap::kSoundTrophy, ArtKind::CheckBox, "Trophy earned");
  add(ap::kSoundVolume, ArtKind::SliderTrack);
  add(ap::kPointerSpeed, ArtKind::SliderTrack);
  add(ap::kAcceleration, ArtKind::CheckBox, "Enhance pointer precision");
  add(ap::kTrails, ArtKind::CheckBox, "Pointer trails");
  add(ap::kReset, ArtKind::PushButton, "Reset");
  return art;
}

}  // namespace skinart
