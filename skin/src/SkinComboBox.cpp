#include "skin/SkinComboBox.h"

#include "skin/SkinLayout.h"
#include "skin/SkinResources.h"

namespace skin {

SkinComboBox::SkinComboBox(QWidget* parent) : QComboBox(parent) {
  setFont(SkinResources::arialFont(std::max(1, fontPixelHeight(logicalDpiY()))));
  setStyleSheet(QStringLiteral(
      "QComboBox { background: rgb(22,24,28); color: rgb(224,224,224);"
      " border: 1px solid rgb(60,136,191); padding: 0px 4px; }"
      "QComboBox:hover { border-color: rgb(53,160,222); }"
      "QComboBox::drop-down { border: none; width: 14px; }"
      "QComboBox::down-arrow { width: 0px; height: 0px; border-left: 4px solid transparent;"
      " border-right: 4px solid transparent; border-top: 5px solid rgb(53,160,222); }"
      "QComboBox QAbstractItemView { background: rgb(16,17,20); color: rgb(224,224,224);"
      " selection-background-color: rgb(53,160,222); selection-color: rgb(240,240,240);"
      " border: 1px solid rgb(53,160,222); outline: 0; }"));
}

SkinComboBox::SkinComboBox(const LayoutEntry& layout, QWidget* parent) : SkinComboBox(parent) {
  applyLayout(this, layout);
}

}  // namespace skin
