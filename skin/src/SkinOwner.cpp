#include "skin/SkinOwner.h"

#include <QMetaObject>
#include <QPointer>
#include <QWidget>

namespace skin {

SkinOwner* ownerInterface(QWidget* widget) { return dynamic_cast<SkinOwner*>(widget); }

void postControlMessage(QWidget* receiver, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (receiver == nullptr) return;
  // The receiver is the context object: the call is dropped if it dies first.
  QMetaObject::invokeMethod(
      receiver,
      [receiver, msg, wParam, lParam] {
        if (SkinOwner* owner = ownerInterface(receiver))
          owner->handleControlMessage(msg, wParam, lParam);
      },
      Qt::QueuedConnection);
}

LRESULT sendControlMessage(QWidget* receiver, UINT msg, WPARAM wParam, LPARAM lParam) {
  SkinOwner* owner = ownerInterface(receiver);
  return owner ? owner->handleControlMessage(msg, wParam, lParam) : 0;
}

}  // namespace skin
