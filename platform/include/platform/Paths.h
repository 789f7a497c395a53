#pragma once

#include <string>
#include <string_view>

namespace platform {

// The folder every file of the suite is found relative to, with a trailing
// '/': the running executable's folder, or for an installed suite the user's
// own program folder that mirrors it (UserProgramFolder).
std::string ProgramFolder();
// Turns a path written in the system's form ("config\\Default0.nmp",
// "Wave\\volume\\x.wav") into a local path: '\\' becomes '/', and each
// component is matched case-insensitively against what exists (an exact match
// wins). Components that do not exist are kept as written, so the result can
// name a file about to be created.
std::string ResolvePath(std::string_view path);
// ResolvePath(folder + relative).
std::string ResolveIn(std::string_view folder, std::string_view relative);
// The desktop session's runtime folder of the message layer, the sockets,
// locks and names of shared objects:
// $XDG_RUNTIME_DIR/vesk, or a 0700 folder of our own when that is unset.
std::string RuntimeFolder();
// Empty when RuntimeFolder() can be had; otherwise why it cannot, for a
// program to tell its user before it gives up.
std::string RuntimeFolderRefusal();
bool FileExists(std::string_view path);

}  // namespace platform
