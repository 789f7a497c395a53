#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <functional>
#include <vector>

#include "ArtStyle.h"

namespace skinart {

enum class ArtKind {
  PushButton,
  Tab,
  ProfileTab,
  Minimize,
  Close,
  Field,
  Marker,
  Chip,
  CheckBox,
  Radio,
  SliderTrack,
  Spin,
  Custom  // drawn by the control's own function
};

// One control on a window's sheets: where (its layout string, the same the
// window builds the control from), what kind, and the label drawn into it.
struct ArtControl {
  const char* layout;
  ArtKind kind;
  QString caption;
  std::function<void(QPainter&, const QRect&, State)> draw = {};
};

// A window's sheet set: the face and the hover, pressed and disabled sheets,
// each the window's full size. Every control is drawn on every sheet in that
// sheet's state; the background (labels, frames, and the pure white that is
// cut away) is the same on all four.
struct WindowArt {
  QString name;
  QSize size;
  int face = 0, hover = 0, pressed = 0, disabled = 0;  // resource numbers
  // Program folder of the window's program, relative to the suite's
  // ("FWUpdate" for the Firmware updater); its sheets go to <folder>/skin/.
  QString folder;
  std::function<void(QPainter&, const QSize&)> background;
  std::vector<ArtControl> controls;
};

QImage renderSheet(const WindowArt& art, State state);
void drawArtControl(QPainter& p, const ArtControl& control, State state);

// Every window whose sheets the generator draws. A page or dialog joins by
// adding a function like mainWindowArt() (its own file, its own layout table
// shared with the window's code) and listing it in allWindowArt().
std::vector<WindowArt> allWindowArt();
WindowArt mainWindowArt();
// The Firmware updater's window and its four dialogs (in FWUpdate/).
std::vector<WindowArt> updaterArt();
WindowArt mainPageArt();
WindowArt windowsProfileDialogArt();
WindowArt languageListArt();
WindowArt colorPageArt();
WindowArt trophyPageArt();
WindowArt trophyResetDialogArt();
WindowArt updatePageArt();
WindowArt advancedPageArt();
// The calibration wizard, its step highlights, panels and confirmation.
std::vector<WindowArt> calibrationWizardArt();
WindowArt factoryResetDialogArt();
// The small dialogs of the Configuration program; the key combination
// dialog's face is also written under its own file name.
std::vector<WindowArt> smallDialogArt();
WindowArt keyCombinationDialogArt();
// The Button Assign page (both faces) and its two sets of bar pictures.
std::vector<WindowArt> buttonPageArt();

}  // namespace skinart
