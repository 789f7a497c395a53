#pragma once

#include "skin/ControlMessages.h"

class QWidget;

namespace skin {

// A window that hosts skinned controls. Controls report to it with the
// messages of ControlMessages.h, exactly as numbered there. Where a message
// names a control window (lParam of WM_COMMAND), it carries the control's
// QWidget pointer: compare it with your member, e.g.
//   if (lParam == toLParam(okButton_)) ...
class SkinOwner {
 public:
  virtual ~SkinOwner() = default;
  virtual LRESULT handleControlMessage(UINT msg, WPARAM wParam, LPARAM lParam) = 0;
};

inline LPARAM toLParam(const QWidget* w) { return reinterpret_cast<LPARAM>(w); }

// The owner interface of a widget, or nullptr when it hosts no controls.
SkinOwner* ownerInterface(QWidget* widget);

// Queued through the receiver's event loop, like a posted window message;
// dropped when the receiver is destroyed first or hosts no controls.
void postControlMessage(QWidget* receiver, UINT msg, WPARAM wParam, LPARAM lParam);
// Handled at once; 0 when the receiver hosts no controls.
LRESULT sendControlMessage(QWidget* receiver, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace skin
