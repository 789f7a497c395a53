#pragma once

#include <QImage>

// The Configuration program's own windows, as the program builds them from
// the skin art, with sample settings, for the gallery.
namespace gallery {

// The main window showing its Main page, in a private throwaway program
// folder and desktop session (nothing of a running suite is touched).
QImage programMainWindow();
// The main window showing the page of that kind (OptionPage::Kind), with a
// sample Color profile and sample usage statistics.
QImage programPage(int kind);
QImage programTrophyResetDialog();
QImage programWindowsProfileDialog();
QImage programLanguageList();

}  // namespace gallery
