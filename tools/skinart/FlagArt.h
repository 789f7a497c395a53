#pragma once

#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>

// Flag pictures of the seventeen languages of the help texts, by language
// index (0 Danish, 1 English, 2 Finnish, 3 French, 4 German, 5 Italian,
// 6 Japanese, 7 Korean, 8 Polish, 9 Russian, 10 Simplified Chinese,
// 11 Spanish, 12 Swedish, 13 Thai, 14 Traditional Chinese, 15 Turkish,
// 16 Vietnamese). An index outside 0..16 draws the English flag.
namespace skinart {

inline constexpr int kLanguageCount = 17;

void drawFlag(QPainter& p, const QRectF& r, int language);
// The language button's picture (32 x 17) in state 0 normal, 1 hover, 2 pressed.
QImage languageFlagPicture(int language, int state);
// The language's own name as the language list shows it, in scripts every
// installed "Arial" substitute can draw.
QString languageListName(int language);

}  // namespace skinart
