#pragma once

#include <optional>
#include <string>
#include <string_view>

// What the program dialogs accept as "a program": an executable file, or a
// desktop entry, which stands for the program its Exec line starts.
namespace option {

class ProgramChoice {
 public:
  // The program to store for a file the user chose: the file itself when it
  // is executable, the Exec program of a ".desktop" entry (looked up in
  // `searchPath` when it is a bare name); nothing for anything else.
  static std::optional<std::string> fromChosenFile(const std::string& path,
                                                   std::string_view searchPath);
  // The program of a desktop entry's text: the first word of the Exec key of
  // its [Desktop Entry] group, quotes and escapes removed.
  static std::optional<std::string> execProgram(std::string_view desktopEntry);
  static bool isExecutableFile(const std::string& path);
};

}  // namespace option
