#pragma once

#include <QImage>
#include <vector>

#include "WindowArt.h"

// The macro manager's pictures beyond the sheets the window art draws.
namespace skinart {

// The window, the list editor's panel and the timeline panel (whose face is
// the named picture, written from macroTimelineArt's normal sheet).
std::vector<WindowArt> macroManagerArt();
WindowArt macroTimelineArt();
// The record button while recording (its own size), at rest or hovered.
QImage macroRecordingButton(State state);
// The key-sequence list's 17 x 17 row icons 135, 137, 138 and 146.
QImage macroRowIcon(int icon);

}  // namespace skinart
