#include "skin/SkinLayout.h"

#include <QWidget>

namespace skin {

void applyLayout(QWidget* control, const LayoutEntry& entry) {
  control->setGeometry(layoutRect(entry));
  const QString name = QString::fromUtf8(entry.name);
  int sameName = 0;
  if (QWidget* parent = control->parentWidget()) {
    const QString repeated = name + QLatin1Char('#');
    for (const QObject* sibling : parent->children()) {
      if (sibling == control) continue;
      const QString other = sibling->objectName();
      if (other == name || other.startsWith(repeated)) ++sameName;
    }
  }
  control->setObjectName(sameName == 0 ? name
                                       : name + QLatin1Char('#') + QString::number(sameName + 1));
}

}  // namespace skin
