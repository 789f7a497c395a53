#include "TimelinePanel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "macros/KeyTranslation.h"
#include "skin/LayoutEntry.h"
#include "skin/MacroManagerLayout.h"
#include "skin/PageSheets.h"
#include "skin/SkinButton.h"
#include "skin/SkinResources.h"

namespace option {

namespace mm = skin::macromanager;
using macros::TimelineView;
using Notice = macros::MacroManagerModel::Notice;

namespace {

constexpr int kEdgeGrip = 3;  // pixels either side of an edge that grab it
const char* const kScrollStyle =
    "QScrollBar { background: rgb(17,18,22); }"
    "QScrollBar::handle { background: rgb(60,136,191); min-width: 16px; min-height: 16px; }"
    "QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; }";

QString timeText(int ms) {
  if (ms >= 1000 && ms % 1000 == 0) return QStringLiteral("%1 s").arg(ms / 1000);
  if (ms >= 1000) return QStringLiteral("%1 s").arg(ms / 1000.0, 0, 'f', ms % 100 ? 2 : 1);
  return QStringLiteral("%1 ms").arg(ms);
}

}  // namespace

TimelinePanel::TimelinePanel(macros::MacroManagerModel& model, QWidget* parent)
    : QWidget(parent), model_(model) {
  setObjectName(QStringLiteral("TimelinePanel"));
  setFocusPolicy(Qt::StrongFocus);
  face_ = skin::SkinResources::picture(QString::fromLatin1(mm::kTimelineFace));
  const skin::PageSheets sheets(face_, skin::SkinResources::bitmap(mm::kTimelineHover),
                                skin::SkinResources::bitmap(mm::kTimelinePressed),
                                skin::SkinResources::bitmap(mm::kTimelineDisabled));
  const auto button = [&](const char* layout) {
    auto* b = new skin::SkinButton(skin::parseLayout(layout), this);
    b->setSheets(sheets);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
  };
  add_ = button(mm::kAddBar);
  delete_ = button(mm::kDeleteBar);
  zoomIn_ = button(mm::kZoomIn);
  zoomOut_ = button(mm::kZoomOut);
  horizontal_ = new QScrollBar(Qt::Horizontal, this);
  horizontal_->setGeometry(mm::kAxisLeft, 306, TimelineView::kAxisWidth, 10);
  vertical_ = new QScrollBar(Qt::Vertical, this);
  vertical_->setGeometry(mm::kAxisLeft + TimelineView::kAxisWidth + 4, TimelineView::kRowTop, 10,
                         TimelineView::kVisibleRows * TimelineView::kRowHeight);
  for (QScrollBar* bar : {horizontal_, vertical_}) {
    bar->setStyleSheet(QString::fromLatin1(kScrollStyle));
    bar->setFocusPolicy(Qt::NoFocus);
  }
  connect(add_, &skin::SkinButton::clicked, this, &TimelinePanel::addBar);
  connect(delete_, &skin::SkinButton::clicked, this, &TimelinePanel::deleteBar);
  connect(zoomIn_, &skin::SkinButton::clicked, this, [this] { zoom(true); });
  connect(zoomOut_, &skin::SkinButton::clicked, this, [this] { zoom(false); });
  connect(horizontal_, &QScrollBar::valueChanged, this, [this](int value) {
    view_.scrollBy(value - view_.offset());
    update();
  });
  connect(vertical_, &QScrollBar::valueChanged, this, [this](int value) {
    view_.setFirstRow(value, static_cast<int>(bars_.size()));
    update();
  });
  syncScrollBars();
}

void TimelinePanel::load() {
  bars_.clear();
  if (const macros::MacroRecord* record = model_.selectedRecord())
    bars_ = macros::barsFromEvents(
        std::vector<settings::MacroEvent>(record->Events, record->Events + record->eventCount()));
  const int span = view_.span();
  view_.reset();
  // Keep the zoom the user chose; start at the left edge.
  while (view_.span() < span) view_.doubleSpan(bars_);
  while (view_.span() > span) view_.halveSpan();
  syncScrollBars();
  update();
}

void TimelinePanel::store() {
  if (!model_.selectedRecord()) return;
  model_.recorder().events() = macros::eventsFromBars(bars_);
  model_.storeEvents();
}

void TimelinePanel::syncScrollBars() {
  const QSignalBlocker h(horizontal_), v(vertical_);
  horizontal_->setRange(0, TimelineView::kMaxSpan - view_.span());
  horizontal_->setSingleStep(view_.lineStep());
  horizontal_->setPageStep(view_.span());
  horizontal_->setValue(view_.offset());
  const int count = static_cast<int>(bars_.size());
  vertical_->setRange(0, std::max(0, count - TimelineView::kVisibleRows));
  vertical_->setPageStep(TimelineView::kVisibleRows);
  vertical_->setValue(view_.firstRow());
}

void TimelinePanel::addBar() {
  if (const Notice n = model_.editCheck(); n != Notice::kNone) {
    emit noticeNeeded(static_cast<int>(n));
    return;
  }
  const int at = view_.addBar(bars_);
  if (at < 0) return;
  waiting_ = at;
  syncScrollBars();
  update();
  setFocus();
  grabKeyboard();
  emit waitingChanged(true);
}

void TimelinePanel::deleteBar() {
  if (view_.deleteSelected(bars_)) {
    syncScrollBars();
    update();
  }
}

void TimelinePanel::zoom(bool in) {
  if (in)
    view_.doubleSpan(bars_);
  else
    view_.halveSpan();
  syncScrollBars();
  update();
}

void TimelinePanel::keyInput(int linuxKeyCode) {
  if (waiting_ < 0) return;
  const int usage = macros::usageFromLinuxKeyCode(linuxKeyCode);
  if (usage == macros::kNoUsage) return;
  if (waiting_ < static_cast<int>(bars_.size())) bars_[waiting_].key = usage;
  waiting_ = -1;
  releaseKeyboard();
  update();
  emit waitingChanged(false);
}

void TimelinePanel::keyPressEvent(QKeyEvent* e) {
  if (waiting_ >= 0) {
    if (!e->isAutoRepeat()) keyInput(static_cast<int>(e->nativeScanCode()) - 8);
    e->accept();
    return;
  }
  QWidget::keyPressEvent(e);
}

void TimelinePanel::keyReleaseEvent(QKeyEvent* e) {
  if (waiting_ >= 0) {
    e->accept();
    return;
  }
  QWidget::keyReleaseEvent(e);
}

int TimelinePanel::rowAt(int y) const {
  if (y < TimelineView::kRowTop) return -1;
  const int row = (y - TimelineView::kRowTop) / TimelineView::kRowHeight;
  return row < TimelineView::kVisibleRows ? row : -1;
}

void TimelinePanel::mousePressEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  const int row = rowAt(p.y());
  if (row < 0 || waiting_ >= 0) return;
  const int count = static_cast<int>(bars_.size());
  if (p.x() < mm::kAxisLeft) {
    view_.selectRow(row, count);
    update();
    return;
  }
  const int bar = view_.firstRow() + row;
  if (bar >= count) return;
  const int x = p.x() - mm::kAxisLeft;
  const int startX = view_.pixelOf(bars_[bar].start), endX = view_.pixelOf(bars_[bar].end);
  if (std::abs(x - endX) <= kEdgeGrip) {
    dragBar_ = bar;
    dragStart_ = false;
  } else if (std::abs(x - startX) <= kEdgeGrip) {
    dragBar_ = bar;
    dragStart_ = true;
  }
  view_.select(bar);
  update();
}

void TimelinePanel::mouseMoveEvent(QMouseEvent* e) {
  if (dragBar_ < 0) return;
  if (view_.dragEdge(bars_, dragBar_, dragStart_, e->position().toPoint().x() - mm::kAxisLeft))
    update();
}

void TimelinePanel::mouseReleaseEvent(QMouseEvent*) { dragBar_ = -1; }

void TimelinePanel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (!face_.isNull())
    p.drawImage(0, 0, face_);
  else
    p.fillRect(rect(), QColor(17, 18, 22));
  const int axisRight = mm::kAxisLeft + TimelineView::kAxisWidth;
  const int rowsBottom =
      TimelineView::kRowTop + TimelineView::kVisibleRows * TimelineView::kRowHeight;

  // Ruler: ten divisions of the visible span, labelled at every other one.
  p.setFont(skin::SkinResources::arialFont(11));
  for (int i = 0; i <= 10; ++i) {
    const int x = mm::kAxisLeft + i * TimelineView::kAxisWidth / 10;
    p.setPen(QColor(72, 76, 84));
    p.drawLine(x, mm::kRulerTop + (i % 2 ? 5 : 2), x, TimelineView::kRowTop - 1);
    p.setPen(QColor(44, 48, 56));
    p.drawLine(x, TimelineView::kRowTop, x, rowsBottom - 1);
    if (i % 2 == 0 && i < 10) {
      p.setPen(QColor(138, 144, 154));
      p.drawText(QRect(x + 2, 4, 80, 16), Qt::AlignLeft | Qt::AlignVCenter,
                 timeText(view_.offset() + i * view_.span() / 10));
    }
  }

  const int count = static_cast<int>(bars_.size());
  p.setFont(skin::SkinResources::arialFont(11));
  for (int r = 0; r < TimelineView::kVisibleRows; ++r) {
    const int bar = view_.firstRow() + r;
    const int y = TimelineView::kRowTop + r * TimelineView::kRowHeight;
    const QRect rowRect(2, y, axisRight - 2, TimelineView::kRowHeight);
    if (r % 2) p.fillRect(rowRect, QColor(255, 255, 255, 8));
    if (bar >= count) continue;
    const macros::TimelineBar& b = bars_[bar];
    const bool selected = bar == view_.selected();
    if (selected)
      p.fillRect(QRect(2, y, mm::kLabelWidth, TimelineView::kRowHeight), QColor(24, 62, 88));
    p.setPen(selected ? QColor(240, 240, 240) : QColor(224, 224, 224));
    const QString name = b.key >= 0        ? QString::fromStdString(macros::usageName(b.key))
                         : bar == waiting_ ? QStringLiteral("press a key")
                                           : QString();
    p.drawText(QRect(6, y, mm::kLabelWidth - 6, TimelineView::kRowHeight),
               Qt::AlignLeft | Qt::AlignVCenter, name);
    const int x0 = std::clamp(view_.pixelOf(b.start), 0, TimelineView::kAxisWidth);
    const int x1 = std::clamp(view_.pixelOf(b.end), 0, TimelineView::kAxisWidth);
    if (view_.pixelOf(b.end) < 0 || view_.pixelOf(b.start) > TimelineView::kAxisWidth) continue;
    const QRect barRect(mm::kAxisLeft + x0, y + 3, std::max(x1 - x0, 2),
                        TimelineView::kRowHeight - 6);
    p.fillRect(barRect, selected ? QColor(68, 192, 255) : QColor(53, 160, 222));
    p.fillRect(QRect(barRect.left(), barRect.top(), 2, barRect.height()), QColor(240, 240, 240));
    p.fillRect(QRect(barRect.right() - 1, barRect.top(), 2, barRect.height()),
               QColor(240, 240, 240));
  }
}

}  // namespace option
