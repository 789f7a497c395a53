#pragma once

#include <QRect>
#include <QString>
#include <string_view>

#include "skin/LayoutEntry.h"

class QWidget;

namespace skin {

inline QRect layoutRect(const LayoutEntry& e) {
  return QRect(e.left, e.top, e.width(), e.height());
}
inline QString layoutHelp(const LayoutEntry& e) { return QString::fromUtf8(e.help); }

// Places a control at its layout rectangle and names it after its layout
// name. When a sibling already carries that name the control is called
// "NAME#k", k being 2 for the second control of that name, 3 for the third...
void applyLayout(QWidget* control, const LayoutEntry& entry);

}  // namespace skin
