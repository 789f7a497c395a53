#include "Commands.h"

namespace veskctl {

void addSettingsCommands(CLI::App& /*app*/) {}

}  // namespace veskctl
