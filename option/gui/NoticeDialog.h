#pragma once

#include "SmallDialog.h"
#include "option/OptionNotice.h"

namespace option {

// A notice of the Button Assign page, the timers or the profile files: OK
// and close only. The picture carries the wording; a file or a reason the
// notice names is written on the panel the picture leaves for it.
class NoticeDialog : public SmallDialog {
  Q_OBJECT
 public:
  NoticeDialog(OptionNotice notice, const QString& detail, QWidget* parent = nullptr);

  static void tell(OptionNotice notice, const QString& detail, QWidget* parent);

  OptionNotice notice() const { return notice_; }
  const QString& detail() const { return detail_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  OptionNotice notice_;
  QString detail_;
};

}  // namespace option
