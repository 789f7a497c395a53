#include "skin/SkinResources.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPixmap>

#include "skin/PicturePrefetch.h"
#include "skin/SkinContext.h"
#include "skin/SkinResourceIds.h"

namespace skin::SkinResources {

QString resolve(const QString& relative) {
  QString path = SkinContext::instance().programFolder();
  const QStringList parts = QString(relative)
                                .replace(QLatin1Char('\\'), QLatin1Char('/'))
                                .split(QLatin1Char('/'), Qt::SkipEmptyParts);
  for (const QString& part : parts) {
    QString component = part;
    if (!QFileInfo::exists(path + part)) {
      const QStringList entries = QDir(path).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
      for (const QString& entry : entries) {
        if (entry.compare(part, Qt::CaseInsensitive) == 0) {
          component = entry;
          break;
        }
      }
    }
    path += component + QLatin1Char('/');
  }
  path.chop(1);
  return path;
}

QImage bitmap(int number) {
  if (std::optional<QImage> prefetched = PicturePrefetch::take(number)) return *prefetched;
  return picture(QString::fromStdString(res::bitmapPath(number)));
}

QImage picture(const QString& relative) { return PicturePrefetch::decode(resolve(relative)); }

QByteArray fileData(const QString& relative) {
  QFile file(resolve(relative));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

QCursor handCursor() {
  // Decoded once per program folder: every hand-cursor button asks for it.
  static QString decodedFrom;
  static QImage image;
  const QString& folder = SkinContext::instance().programFolder();
  if (image.isNull() || decodedFrom != folder) {
    image = bitmap(res::kHandCursor);
    decodedFrom = folder;
  }
  if (image.isNull()) return QCursor(Qt::PointingHandCursor);
  return QCursor(QPixmap::fromImage(image), res::kHandCursorHotX, res::kHandCursorHotY);
}

QFont arialFont(int pixelHeight, int averageWidth, int weight) {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(pixelHeight);
  font.setWeight(static_cast<QFont::Weight>(weight));
  font.setHintingPreference(QFont::PreferFullHinting);
  if (averageWidth > 0) {
    const qreal natural = QFontMetricsF(font).averageCharWidth();
    if (natural > 0) font.setStretch(qBound(50, qRound(averageWidth * 100 / natural), 200));
  }
  return font;
}

}  // namespace skin::SkinResources
