#pragma once

#include <CLI/CLI.hpp>

// Each group adds its subcommands to the application. A command that fails
// prints a clear message on stderr and throws CLI::RuntimeError with a
// non-zero exit code.
namespace veskctl {

void addMsgCommands(CLI::App& app);
void addChorusCommands(CLI::App& app);
void addSettingsCommands(CLI::App& app);
void addDeviceCommands(CLI::App& app);
void addMonitorCommands(CLI::App& app);
void addMacroCommands(CLI::App& app);
void addTimerCommands(CLI::App& app);

}  // namespace veskctl
