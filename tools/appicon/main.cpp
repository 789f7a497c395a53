// vesk-appicon OUTDIR: writes the suite's icons into OUTDIR as the desktop's
// icon theme lays them out (hicolor/SIZExSIZE/apps/NAME.png).
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "AppIconArt.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 4) {
    std::fprintf(stderr, "usage: vesk-appicon OUTDIR APPLICATION-ICON-NAME TRAY-ICON-NAME\n");
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  const QString applicationName = QString::fromLocal8Bit(argv[2]);
  const QString trayName = QString::fromLocal8Bit(argv[3]);
  for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const QString folder = QStringLiteral("%1/hicolor/%2x%2/apps").arg(out).arg(size);
    if (!QDir().mkpath(folder)) {
      std::fprintf(stderr, "vesk-appicon: cannot make %s\n", qPrintable(folder));
      return 1;
    }
    const std::pair<QString, QImage> icons[] = {{applicationName, appicon::applicationIcon(size)},
                                                {trayName, appicon::trayIcon(size)}};
    for (const auto& [name, image] : icons) {
      const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".png");
      if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "vesk-appicon: cannot write %s\n", qPrintable(path));
        return 1;
      }
    }
  }
  return 0;
}
