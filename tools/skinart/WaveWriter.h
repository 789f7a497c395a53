#pragma once

#include <QByteArray>
#include <vector>

namespace skinart {

// A mono 16-bit PCM RIFF wave file.
QByteArray waveFile(const std::vector<std::int16_t>& samples, int sampleRate);
// Two short mechanical clicks, as of a mouse button pressed twice.
std::vector<std::int16_t> doubleClickSound(int sampleRate);

}  // namespace skinart
