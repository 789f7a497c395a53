// The pictures the skin art generator leaves in the program folder, as the
// programs read them.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>

#include "skin/SkinContext.h"
#include "skin/SkinResourceIds.h"
#include "skin/SkinResources.h"

namespace {

TEST(ProgramFolderPictures, FirstPaintSheetsAreUncompressedOpaqueAndWhole) {
  skin::SkinContext::instance().setProgramFolder(QStringLiteral(VESK_SUITE_DIR));
  for (int number : skin::res::kFirstPaintSheets) {
    SCOPED_TRACE(number);
    const QString path =
        QStringLiteral(VESK_SUITE_DIR "/") + QString::fromStdString(skin::res::bitmapPath(number));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(path);
    EXPECT_EQ(file.read(2), "BM");
    QString compressed = path;
    compressed.replace(QStringLiteral(".bmp"), QStringLiteral(".png"));
    EXPECT_FALSE(QFile::exists(compressed)) << "a second copy nobody reads";

    const QImage sheet = skin::SkinResources::bitmap(number);
    EXPECT_EQ(sheet.format(), QImage::Format_RGB32);
    const bool mainWindow = number / 100 == 11;
    EXPECT_EQ(sheet.size(), mainWindow ? QSize(800, 600) : QSize(774, 312));
  }
}

TEST(ProgramFolderPictures, OtherNumberedPicturesStayCompressed) {
  for (int number : {skin::res::kThumbSmall, skin::res::kButtonPageFace, skin::res::kColorDots})
    EXPECT_TRUE(QFile::exists(QStringLiteral(VESK_SUITE_DIR "/") +
                              QString::fromStdString(skin::res::bitmapPath(number))))
        << number;
}

}  // namespace
