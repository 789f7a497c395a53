#include "Commands.h"

namespace veskctl {

void addMsgCommands(CLI::App& /*app*/) {}

}  // namespace veskctl
