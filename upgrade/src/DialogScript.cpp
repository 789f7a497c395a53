#include "upgrade/DialogScript.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>

namespace upgrade {

DialogScript DialogScript::fromEnvironment() {
  const char* answers = std::getenv("VESK_DIALOG_ANSWERS");
  const char* log = std::getenv("VESK_DIALOG_LOG");
  return DialogScript(answers ? answers : "", log ? log : "");
}

DialogScript::DialogScript(const std::string& answers, std::string logPath)
    : logPath_(std::move(logPath)) {
  std::string word;
  for (char c : answers + ",") {
    if (c == ',') {
      if (!word.empty()) answers_.push_back(word);
      word.clear();
    } else if (!std::isspace(static_cast<unsigned char>(c))) {
      word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
  }
}

std::optional<DialogAnswer> DialogScript::next() {
  while (used_ < answers_.size()) {
    if (auto answer = parse(answers_[used_++])) return answer;
  }
  return std::nullopt;
}

void DialogScript::record(const std::string& dialog, DialogAnswer answer) const {
  if (logPath_.empty()) return;
  std::ofstream(logPath_, std::ios::app) << dialog << ' ' << name(answer) << '\n';
}

std::optional<DialogAnswer> DialogScript::parse(const std::string& word) {
  if (word == "ok") return DialogAnswer::Ok;
  if (word == "cancel") return DialogAnswer::Cancel;
  if (word == "exit") return DialogAnswer::Exit;
  return std::nullopt;
}

const char* DialogScript::name(DialogAnswer answer) {
  switch (answer) {
    case DialogAnswer::Ok:
      return "ok";
    case DialogAnswer::Cancel:
      return "cancel";
    case DialogAnswer::Exit:
      return "exit";
  }
  return "?";
}

}  // namespace upgrade
