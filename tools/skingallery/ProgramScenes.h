#pragma once

#include <QImage>

// The Configuration program's own windows, as the program builds them from
// the skin art, with sample settings, for the gallery.
namespace gallery {

// The main window showing its Main page, in a private throwaway program
// folder and desktop session (nothing of a running suite is touched).
QImage programMainWindow();
QImage programWindowsProfileDialog();
QImage programLanguageList();

}  // namespace gallery
