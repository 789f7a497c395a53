#pragma once

#include <QImage>
#include <QWidget>

// Whole windows of the Configuration program put together from their skin
// art and the skin's controls, with sample values, for the gallery.
namespace gallery {

// The Main page at the main window's page position, its controls showing
// sample values; the page is a child of `window`.
QWidget* buildMainPage(QWidget* window);
// The Windows-profile confirmation with the mouse over OK, shaped.
QImage windowsProfileDialog();
// The language list with one entry under the mouse and one pressed, shaped.
QImage languageList();
// The seventeen language flags in their three states, three times enlarged,
// each with its language index.
QImage languageFlags();
// A window's picture with everything outside its mask's shape transparent.
QImage shapedGrab(QWidget* window, const QImage& mask);

}  // namespace gallery
