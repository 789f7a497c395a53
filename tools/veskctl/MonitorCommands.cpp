#include "Commands.h"

namespace veskctl {

void addMonitorCommands(CLI::App& /*app*/) {}

}  // namespace veskctl
