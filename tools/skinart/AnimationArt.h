#pragma once

#include <QImage>
#include <vector>

#include "GifEncoder.h"

// The animated pictures and the double-click test's picture and clip.
namespace skinart {

std::vector<GifEncoder::Frame> progressFrames();           // 128 x 15, endless
std::vector<GifEncoder::Frame> levelFrames(int level);     // 220 x 34, level 1..13 lit
std::vector<GifEncoder::Frame> colorFlowFrames(int flow);  // 23 x 23, flow 1..5
QImage doubleClickPicture();                               // 42 x 23
std::vector<GifEncoder::Frame> doubleClickClipFrames();    // 42 x 23, played once

}  // namespace skinart
