#include "Commands.h"

namespace veskctl {

void addDeviceCommands(CLI::App& /*app*/) {}

}  // namespace veskctl
