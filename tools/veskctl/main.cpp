#include "Commands.h"

int main(int argc, char** argv) {
  CLI::App app{"veskctl: inspect and edit the mouse's settings, talk to the Monitor or the mouse"};
  app.require_subcommand(1);
  veskctl::addMsgCommands(app);
  veskctl::addChorusCommands(app);
  veskctl::addSettingsCommands(app);
  veskctl::addDeviceCommands(app);
  veskctl::addMonitorCommands(app);
  veskctl::addMacroCommands(app);
  veskctl::addTimerCommands(app);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e);
  }
  return 0;
}
