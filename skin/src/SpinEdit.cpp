#include "skin/SpinEdit.h"

#include <QPainter>
#include <algorithm>
#include <limits>

#include "skin/BitmapEdit.h"
#include "skin/SkinButton.h"
#include "skin/SkinContext.h"
#include "skin/SkinLayout.h"

namespace skin {

namespace {
constexpr int kEditId = 401;
constexpr long long kTypedLimit = 1'000'000'000'000LL;
}  // namespace

SpinEdit::SpinEdit(const LayoutEntry& layout, QWidget* owner, int controlId)
    : QWidget(owner), controlId_(controlId) {
  applyLayout(this, layout);
  help_ = layoutHelp(layout);
  setAttribute(Qt::WA_OpaquePaintEvent);

  up_ = new SkinButton(this);
  up_->setObjectName(QStringLiteral("up"));
  up_->setGeometry(QRect(QPoint(34, 0), QPoint(49, 7)));
  down_ = new SkinButton(this);
  down_->setObjectName(QStringLiteral("down"));
  down_->setGeometry(QRect(QPoint(34, 9), QPoint(49, 16)));

  edit_ = new BitmapEdit(this);
  edit_->setObjectName(QStringLiteral("edit"));
  edit_->setControlId(kEditId);
  edit_->setGeometry(QRect(QPoint(1, 1), QPoint(31, 15)));
  edit_->setAlignment(Qt::AlignCenter);
  edit_->setColors(Qt::white, Qt::black);
  edit_->setNumeric(true);
  setHelpText(help_);
}

SpinEdit::~SpinEdit() = default;

void SpinEdit::setSheets(const PageSheets& sheets) {
  const ControlPictures own = sheets.cut(geometry());
  background_ = own.normal;
  up_->setPictures(PageSheets::cut(own, up_->geometry()));
  down_->setPictures(PageSheets::cut(own, down_->geometry()));
  update();
}

void SpinEdit::setRange(int minimum, int maximum) {
  minimum_ = minimum;
  maximum_ = maximum;
  int length = static_cast<int>(QString::number(maximum).size());
  if (minimum < 0) ++length;
  edit_->setMaxLength(std::max(1, length));
  edit_->setSignAllowed(minimum < 0);
}

void SpinEdit::setHelpText(const QString& help) {
  help_ = help;
  up_->setHelpText(help);
  down_->setHelpText(help);
  edit_->setHelpText(help);
}

void SpinEdit::setValue(int value) {
  value_ = value;
  const QString shown = QString::number(toShown(value));
  if (edit_->text().trimmed() != shown.trimmed()) replaceText(shown);
  edit_->update();
}

void SpinEdit::replaceText(const QString& text) {
  edit_->setText(text);
  edit_->setCursorPosition(static_cast<int>(text.size()));
}

LRESULT SpinEdit::handleControlMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == EditNotifyMsg) {
    onEditNotify(wParam);
  } else if (msg == WM_COMMAND) {
    if (lParam == toLParam(up_)) step(+1);
    if (lParam == toLParam(down_)) step(-1);
  }
  return 0;
}

void SpinEdit::step(int direction) {
  if (direction > 0 && value_ >= maximum_) return;
  if (direction < 0 && value_ <= minimum_) return;
  value_ = std::clamp(value_ + direction * step_, std::min(minimum_, maximum_),
                      std::max(minimum_, maximum_));
  replaceText(QString::number(toShown(value_)));
}

void SpinEdit::onEditNotify(WPARAM how) {
  const QString text = edit_->text();
  // Leading zeros and anything else before the first sign or non-zero digit go.
  qsizetype first = 0;
  while (first < text.size() && !QStringLiteral("-+123456789").contains(text[first])) ++first;
  const QString rest = text.mid(first);
  const bool negative = rest.startsWith(QLatin1Char('-'));
  long long magnitude = 0;
  for (const QChar c : rest)
    if (c.isDigit()) magnitude = std::min(magnitude * 10 + c.digitValue(), kTypedLimit);
  const long long typed =
      std::clamp(negative ? -magnitude : magnitude,
                 static_cast<long long>(std::numeric_limits<int>::min()), typedCap());
  int v = toStored(typed);

  if (how == 13) {
    v = std::clamp(v, std::min(minimum_, maximum_), std::max(minimum_, maximum_));
    const QString shown = QString::number(toShown(v));
    if (text != shown || value_ != v) replaceText(shown);
  } else if (!text.isEmpty()) {
    if (v == 0 && v < minimum_) v = minimum_;
    if (text != QLatin1String("-") && text != QLatin1String("+")) {
      const QString shown = QString::number(toShown(v));
      if (text != shown) replaceText(shown);
    }
  }
  value_ = v;
  if (v >= minimum_ && maximum_ >= minimum_)
    postControlMessage(parentWidget(), SpinValueMsg, static_cast<WPARAM>(v), controlId_);
}

void SpinEdit::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (background_.isNull()) {
    painter.fillRect(rect(), Qt::black);
  } else {
    painter.drawImage(QPoint(0, 0), background_);
  }
}

void SpinEdit::enterEvent(QEnterEvent* event) {
  SkinContext::instance().announceHelpText(help_);
  QWidget::enterEvent(event);
}

}  // namespace skin
