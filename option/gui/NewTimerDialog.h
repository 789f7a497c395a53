#pragma once

#include <optional>
#include <string>

#include "SmallDialog.h"

namespace skin {
class SpinEdit;
}

namespace option {

class TimerList;

// A new timer's name (24 characters) and countdown (15..999 seconds). OK
// closes only for a name that is not blank and that no timer has yet, in
// any letter case; the name comes back trimmed.
class NewTimerDialog : public SmallDialog {
  Q_OBJECT
 public:
  struct Timer {
    std::string name;
    int seconds;
  };

  explicit NewTimerDialog(const TimerList& timers, QWidget* parent = nullptr);

  static std::optional<Timer> ask(const TimerList& timers, QWidget* parent);

  Timer timer() const;
  skin::BitmapEdit* nameField() const { return name_; }
  skin::SpinEdit* secondsField() const { return seconds_; }

 protected:
  void onOk() override;

 private:
  const TimerList& timers_;
  skin::BitmapEdit* name_;
  skin::SpinEdit* seconds_;
};

}  // namespace option
