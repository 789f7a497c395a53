#include "skin/CoolMenu.h"

#include <QPaintEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

#include "skin/SkinResources.h"

namespace skin {

namespace {
const QColor kFrameColor(53, 160, 222);
const QColor kPanelColor(18, 19, 23);
const QColor kHighlightColor(36, 86, 122);
const QColor kTextColor(224, 224, 224);
const QColor kDisabledTextColor(110, 112, 118);
const QColor kMarkColor(68, 192, 255);
const QColor kSeparatorColor(52, 55, 62);
constexpr int kTextLeft = 10;
const char* kMarkProperty = "coolMenuMark";
const char* kTrademarkProperty = "coolMenuTrademark";
}  // namespace

// Sizes of the menu's parts; the drawing itself is CoolMenu::paintEvent.
class CoolMenu::Style : public QProxyStyle {
 public:
  explicit Style(CoolMenu* menu)
      : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))), menu_(menu) {}

  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override {
    switch (metric) {
      case PM_MenuPanelWidth:
        return kFrameWidth;
      case PM_MenuHMargin:
      case PM_MenuVMargin:
      case PM_MenuDesktopFrameWidth:
        return 0;
      default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
  }

  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                         const QWidget* widget) const override {
    if (type != CT_MenuItem) return QProxyStyle::sizeFromContents(type, option, size, widget);
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    int width = menu_->itemWidth() - 2 * kFrameWidth;
    if (item) {
      const int text =
          item->fontMetrics.horizontalAdvance(item->text.section(QLatin1Char('\t'), 0, 0));
      width = std::max(width, kTextLeft + text + 16 + kArrowFromRight + 8);
    }
    return QSize(width, kItemHeight);
  }

  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == SH_Menu_Scrollable) return 1;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }

 private:
  CoolMenu* menu_;
};

CoolMenu::CoolMenu(QWidget* parent) : QMenu(parent), style_(new Style(this)) {
  style_->setParent(this);
  setStyle(style_);
  setFont(SkinResources::arialFont(14, 5));
}

CoolMenu::~CoolMenu() = default;

QAction* CoolMenu::addItem(const QString& text, int command, bool mark, bool trademark) {
  if (command == 0) return addSeparator();
  QAction* action = addAction(text);
  action->setData(command);
  setMark(action, mark);
  setTrademark(action, trademark);
  return action;
}

CoolMenu* CoolMenu::addSubmenu(const QString& text, bool mark, bool trademark) {
  auto* submenu = new CoolMenu(this);
  submenu->setTitle(text);
  submenu->setFont(font());
  submenu->setItemWidth(itemWidth_);
  QAction* action = addMenu(submenu);
  setMark(action, mark);
  setTrademark(action, trademark);
  return submenu;
}

void CoolMenu::setItemWidth(int width) {
  itemWidth_ = width;
  setMinimumWidth(width);
}

void CoolMenu::setMark(QAction* action, bool on) { action->setProperty(kMarkProperty, on); }
bool CoolMenu::hasMark(const QAction* action) { return action->property(kMarkProperty).toBool(); }
void CoolMenu::setTrademark(QAction* action, bool on) {
  action->setProperty(kTrademarkProperty, on);
}
bool CoolMenu::hasTrademark(const QAction* action) {
  return action->property(kTrademarkProperty).toBool();
}
int CoolMenu::command(const QAction* action) { return action ? action->data().toInt() : 0; }

int CoolMenu::execCommand(const QPoint& globalPos) { return command(exec(globalPos)); }

void CoolMenu::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setClipRegion(event->region());
  painter.fillRect(rect(), kPanelColor);
  // The frame: an accent line outside, two black lines inside it.
  painter.setPen(kFrameColor);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  painter.setPen(Qt::black);
  painter.drawRect(rect().adjusted(1, 1, -2, -2));
  painter.drawRect(rect().adjusted(2, 2, -3, -3));

  const QFont small = SkinResources::arialFont(8);
  for (QAction* action : actions()) {
    if (!action->isVisible()) continue;
    const QRect item = actionGeometry(action);
    if (item.isEmpty() || !event->region().intersects(item)) continue;
    if (action->isSeparator()) {
      painter.setPen(kSeparatorColor);
      const int y = item.center().y();
      painter.drawLine(item.left() + 6, y, item.right() - 6, y);
      continue;
    }
    const bool active = action == activeAction() && action->isEnabled();
    if (active) {
      painter.fillRect(item, kHighlightColor);
      painter.fillRect(QRect(item.left(), item.top(), 2, item.height()), kFrameColor);
    }
    QColor color = kTextColor;
    if (!action->isEnabled()) {
      color = kDisabledTextColor;
    } else if (hasMark(action)) {
      color = kMarkColor;
    } else if (active) {
      color = QColor(240, 240, 240);
    }
    const QString text = action->text().section(QLatin1Char('\t'), 0, 0);
    painter.setFont(font());
    painter.setPen(color);
    const QFontMetrics metrics(font());
    const int baseline = item.top() + (item.height() - metrics.height()) / 2 + metrics.ascent();
    painter.drawText(QPoint(item.left() + kTextLeft, baseline), text);
    if (hasTrademark(action)) {
      painter.setFont(small);
      painter.drawText(QPoint(item.left() + kTextLeft + metrics.horizontalAdvance(text),
                              item.top() + (item.height() - metrics.height()) / 2 +
                                  QFontMetrics(small).ascent()),
                       QStringLiteral("TM"));
    }
    if (action->menu()) {
      const int x = item.right() - kArrowFromRight + 8;
      const int cy = item.center().y();
      painter.setRenderHint(QPainter::Antialiasing);
      painter.setPen(Qt::NoPen);
      painter.setBrush(active ? QColor(240, 240, 240) : kFrameColor);
      const QPointF arrow[3] = {QPointF(x, cy - 4), QPointF(x + 5, cy + 0.5), QPointF(x, cy + 5)};
      painter.drawPolygon(arrow, 3);
      painter.setRenderHint(QPainter::Antialiasing, false);
    }
  }
}

}  // namespace skin
