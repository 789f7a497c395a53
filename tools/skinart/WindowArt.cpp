#include "WindowArt.h"
#include "MacroManagerArt.h"

#include "skin/LayoutEntry.h"

namespace skinart {

void drawArtControl(QPainter& p, const ArtControl& control, State state) {
  const skin::LayoutEntry entry = skin::parseLayout(control.layout);
  const QRect r(entry.left, entry.top, entry.width(), entry.height());
  if (r.isEmpty()) return;
  switch (control.kind) {
    case ArtKind::PushButton:
      drawPushButton(p, r, state, control.caption);
      break;
    case ArtKind::Tab:
      drawTab(p, r, state, control.caption);
      break;
    case ArtKind::ProfileTab:
      drawTab(p, r, state, control.caption, 11);
      break;
    case ArtKind::Minimize:
      drawGlyphButton(p, r, state, Glyph::Minimize);
      break;
    case ArtKind::Close:
      drawGlyphButton(p, r, state, Glyph::Close);
      break;
    case ArtKind::Field:
      drawField(p, r, state);
      break;
    case ArtKind::Marker:
      drawMarker(p, r, state);
      break;
    case ArtKind::Chip:
      drawChip(p, r, state, control.caption);
      break;
    case ArtKind::CheckBox:
      drawCheckBox(p, r, state, control.caption);
      break;
    case ArtKind::Radio:
      drawRadio(p, r, state, control.caption);
      break;
    case ArtKind::SliderTrack:
      drawSliderTrack(p, r, state);
      break;
    case ArtKind::Spin:
      drawSpinField(p, r, state);
      break;
    case ArtKind::Custom:
      if (control.draw) control.draw(p, r, state);
      break;
  }
}

QImage renderSheet(const WindowArt& art, State state) {
  QImage sheet(art.size, QImage::Format_RGB32);
  sheet.fill(color::kBase);
  QPainter p(&sheet);
  p.setRenderHint(QPainter::TextAntialiasing);
  if (art.background) art.background(p, art.size);
  for (const ArtControl& control : art.controls) drawArtControl(p, control, state);
  return sheet;
}

std::vector<WindowArt> allWindowArt() {
  std::vector<WindowArt> all{mainWindowArt(), mainPageArt(), advancedPageArt(),
                             windowsProfileDialogArt(), languageListArt()};
  for (WindowArt (*page)() : {colorPageArt, trophyPageArt, trophyResetDialogArt, updatePageArt})
    all.push_back(page());
  for (WindowArt& art : buttonPageArt()) all.push_back(std::move(art));
  for (WindowArt& art : calibrationWizardArt()) all.push_back(std::move(art));
  all.push_back(factoryResetDialogArt());
  for (WindowArt& art : smallDialogArt()) all.push_back(std::move(art));
  for (WindowArt& art : macroManagerArt()) all.push_back(std::move(art));
  for (WindowArt& art : updaterArt()) all.push_back(std::move(art));
  return all;
}

}  // namespace skinart
