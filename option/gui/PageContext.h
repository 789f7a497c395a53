#pragma once

class QWidget;

namespace platform {
class DesktopMouse;
}

namespace option {

class MainDialogModel;

// What a page is given when the main window creates it.
struct PageContext {
  MainDialogModel& model;
  platform::DesktopMouse& desktop;
  QWidget* parent;  // the main window; the page sits at its page position
};

}  // namespace option
