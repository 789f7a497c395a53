#pragma once

#include <optional>
#include <string>
#include <vector>

namespace upgrade {

// The answer a dialog of the updater ends with.
enum class DialogAnswer { Ok, Cancel, Exit };

// Answers given in advance, for tests and demos that run the updater without
// anyone at the screen: VESK_DIALOG_ANSWERS="ok,cancel" answers the next two
// dialogs, in order; VESK_DIALOG_LOG names a file to which every dialog shown
// appends one line, "<dialog> <answer>".
class DialogScript {
 public:
  static DialogScript fromEnvironment();
  explicit DialogScript(const std::string& answers = {}, std::string logPath = {});

  // The prepared answer for the next dialog, if any is left.
  std::optional<DialogAnswer> next();
  void record(const std::string& dialog, DialogAnswer answer) const;

  static std::optional<DialogAnswer> parse(const std::string& word);
  static const char* name(DialogAnswer answer);

 private:
  std::vector<std::string> answers_;
  std::size_t used_ = 0;
  std::string logPath_;
};

}  // namespace upgrade
