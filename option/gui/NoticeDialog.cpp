#include "NoticeDialog.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextOption>
#include <algorithm>

#include "skin/LayoutEntry.h"
#include "skin/SkinButton.h"
#include "skin/SkinLayout.h"
#include "skin/SkinResourceIds.h"
#include "skin/SkinResources.h"

namespace option {
namespace {

namespace dl = skin::dialogs;
namespace res = skin::res;

SmallDialog::Art noticeArt(OptionNotice notice) {
  auto art = [](int sheets, const char* title) {
    return SmallDialog::Art{sheets, dl::kConfirmSize, QString::fromLatin1(title)};
  };
  switch (notice) {
    case OptionNotice::NoProgramChosen:
      return art(res::kNoProgramNoticeDialog, "No program chosen");
    case OptionNotice::ProgramPathTooLong:
      return art(res::kProgramPathTooLongNoticeDialog, "The program's path is too long");
    case OptionNotice::TimersFull:
      return art(res::kTimersFullNoticeDialog, "No room for another timer");
    case OptionNotice::NoTimers:
      return art(res::kNoTimersNoticeDialog, "There is no timer yet");
    case OptionNotice::TimersNotSaved:
      return art(res::kTimersNotSavedNoticeDialog, "The timers were not saved");
    case OptionNotice::TimerRefused:
      return art(res::kTimerRefusedNoticeDialog, "The timer was not created");
    case OptionNotice::ProfileNotSaved:
      return art(res::kProfileNotSavedNoticeDialog, "The profile was not saved");
    case OptionNotice::ProfileFileReserved:
      return art(res::kProfileFileReservedNoticeDialog, "This file holds one of your profiles");
    case OptionNotice::ProfileNotLoaded:
      break;
  }
  return art(res::kProfileNotLoadedNoticeDialog, "The profile was not loaded");
}

// A long path keeps its end, which names the file, and loses its middle.
QString fitted(const QString& text, const QFont& font, const QRect& box) {
  const QFontMetrics metrics(font);
  const int lines = std::max(1, box.height() / metrics.lineSpacing());
  if (metrics.horizontalAdvance(text) <= box.width() * lines - metrics.averageCharWidth() * 4)
    return text;
  return metrics.elidedText(text, Qt::ElideMiddle, box.width() * lines - box.width() / 3);
}

}  // namespace

NoticeDialog::NoticeDialog(OptionNotice notice, const QString& detail, QWidget* parent)
    : SmallDialog(noticeArt(notice), parent), notice_(notice), detail_(detail) {
  setObjectName(QStringLiteral("NoticeDialog"));
  addClosingButtons(dl::kConfirmOk, nullptr, dl::kConfirmExit);
  ok_->setFocus();
}

void NoticeDialog::tell(OptionNotice notice, const QString& detail, QWidget* parent) {
  NoticeDialog dialog(notice, detail, parent);
  dialog.exec();
}

void NoticeDialog::paintEvent(QPaintEvent* event) {
  SmallDialog::paintEvent(event);
  if (detail_.isEmpty()) return;
  QPainter p(this);
  const QFont font = skin::SkinResources::arialFont(12);
  p.setFont(font);
  p.setPen(QColor(240, 240, 240));
  const QRect box = skin::layoutRect(skin::parseLayout(dl::kNoticeDetail)).adjusted(6, 2, -6, -2);
  // A path breaks after a folder's slash where it can, inside a name only
  // where it must.
  QString text = fitted(detail_, font, box);
  text.replace(QLatin1Char('/'), QStringLiteral("/\u200B"));
  QTextOption option(Qt::AlignLeft | Qt::AlignVCenter);
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  p.drawText(QRectF(box), text, option);
}

}  // namespace option
