#pragma once

#include <string>
#include <string_view>

namespace platform {

// Folder of the running executable, with a trailing '/'.
std::string ProgramFolder();
// Turns a path written in the system's form ("config\\Default0.nmp",
// "Wave\\volume\\x.wav") into a local path: '\\' becomes '/', and each
// component is matched case-insensitively against what exists (an exact match
// wins). Components that do not exist are kept as written, so the result can
// name a file about to be created.
std::string ResolvePath(std::string_view path);
// ResolvePath(folder + relative).
std::string ResolveIn(std::string_view folder, std::string_view relative);
// The per-user runtime folder of the message layer, the sockets and locks:
// $XDG_RUNTIME_DIR/vesk, or a 0700 folder of our own when that is unset.
std::string RuntimeFolder();
bool FileExists(std::string_view path);

}  // namespace platform
