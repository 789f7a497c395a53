#include "option/ProgramChoice.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace option {
namespace {

bool endsWith(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

std::string_view trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

// The first argument of an Exec value: quoted ("...", with \" \\ \` \$
// escapes) or up to the first blank.
std::string firstArgument(std::string_view exec) {
  std::string word;
  std::size_t i = 0;
  if (!exec.empty() && exec[0] == '"') {
    for (i = 1; i < exec.size() && exec[i] != '"'; ++i) {
      if (exec[i] == '\\' && i + 1 < exec.size()) ++i;
      word += exec[i];
    }
    return word;
  }
  for (; i < exec.size() && exec[i] != ' ' && exec[i] != '\t'; ++i) word += exec[i];
  return word;
}

}  // namespace

bool ProgramChoice::isExecutableFile(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error) && ::access(path.c_str(), X_OK) == 0;
}

std::optional<std::string> ProgramChoice::execProgram(std::string_view desktopEntry) {
  std::istringstream lines{std::string(desktopEntry)};
  std::string line;
  bool inEntry = false;
  while (std::getline(lines, line)) {
    const std::string_view text = trim(line);
    if (text.empty() || text[0] == '#') continue;
    if (text[0] == '[') {
      inEntry = text == "[Desktop Entry]";
      continue;
    }
    if (!inEntry) continue;
    const auto equals = text.find('=');
    if (equals == std::string_view::npos || trim(text.substr(0, equals)) != "Exec") continue;
    std::string program = firstArgument(trim(text.substr(equals + 1)));
    if (program.empty()) return std::nullopt;
    return program;
  }
  return std::nullopt;
}

std::optional<std::string> ProgramChoice::fromChosenFile(const std::string& path,
                                                         std::string_view searchPath) {
  if (endsWith(path, ".desktop")) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::ostringstream text;
    text << file.rdbuf();
    std::optional<std::string> program = execProgram(text.str());
    if (!program) return std::nullopt;
    if (program->find('/') != std::string::npos) return program;
    // A bare name: the program the desktop would start, found on the path.
    std::size_t start = 0;
    while (start <= searchPath.size()) {
      const std::size_t end = std::min(searchPath.find(':', start), searchPath.size());
      const std::string folder(searchPath.substr(start, end - start));
      if (!folder.empty()) {
        const std::string candidate = folder + "/" + *program;
        if (isExecutableFile(candidate)) return candidate;
      }
      start = end + 1;
    }
    return program;
  }
  if (isExecutableFile(path)) return path;
  return std::nullopt;
}

}  // namespace option
