#pragma once

class QWidget;

namespace option {

class HelpTexts;

// One of the six pages under the main window's tabs. The main window places
// the page at its page position, shows exactly one page at a time, and calls
// these whenever the image or the language changed.
class OptionPage {
 public:
  enum Kind { Main, ButtonAssign, Advanced, Color, Trophy, Update, kCount };

  virtual ~OptionPage() = default;
  virtual QWidget* widget() = 0;
  // Show the profile being shown from the working image again.
  virtual void refresh() = 0;
  // Take the help texts of the language just loaded.
  virtual void applyHelpTexts(const HelpTexts& texts) = 0;
};

}  // namespace option
