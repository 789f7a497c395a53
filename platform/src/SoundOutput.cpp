#include "platform/SoundOutput.h"

#include <cstdlib>
#include <string>

#include "platform/LogSoundOutput.h"
#include "platform/PulseSoundOutput.h"
#include "platform/SilentSoundOutput.h"

namespace platform {

std::unique_ptr<SoundOutput> makeSoundOutput() {
  const char* choice = std::getenv("VESK_SOUND");
  const std::string value = choice ? choice : "";
  if (value.rfind("log:", 0) == 0 && value.size() > 4) {
    return std::make_unique<LogSoundOutput>(value.substr(4));
  }
  if (value == "none" || value == "off") return std::make_unique<SilentSoundOutput>();
  return std::make_unique<PulseSoundOutput>();
}

}  // namespace platform
