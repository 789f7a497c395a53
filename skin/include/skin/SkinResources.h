#pragma once

#include <QByteArray>
#include <QCursor>
#include <QFont>
#include <QImage>
#include <QString>

// Loading the skin's pictures and fonts (see SkinResourceIds.h for where they live).
namespace skin::SkinResources {

// A path in the programs' own form ("Gif\\01.gif") under the program folder,
// matched case-insensitively component by component.
QString resolve(const QString& relative);
// Numbered bitmap; a null image when it is missing.
QImage bitmap(int number);
// Picture named by file; a null image when it is missing or unreadable.
// Opaque pictures come as RGB32, pictures with transparency as premultiplied ARGB32.
QImage picture(const QString& relative);
// Whole file; empty when it cannot be read.
QByteArray fileData(const QString& relative);
QCursor handCursor();

// "Arial" (any metric-compatible face the font configuration maps it to) at a
// pixel height; a non-zero average character width narrows or widens it.
QFont arialFont(int pixelHeight, int averageWidth = 0, int weight = QFont::Normal);

}  // namespace skin::SkinResources
