// vesk-skinart OUTDIR: draws every picture of the skin into a program folder.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QList>
#include <QSaveFile>
#include <cstdio>

#include "AnimationArt.h"
#include "FlagArt.h"
#include "GifEncoder.h"
#include "MacroManagerArt.h"
#include "PageArt.h"
#include "SharedArt.h"
#include "WaveWriter.h"
#include "WindowArt.h"
#include "platform/Paths.h"
#include "skin/MacroManagerLayout.h"
#include "skin/SkinResourceIds.h"

namespace {

QString outDir;
int written = 0;
bool failed = false;

// Names are matched against what the folder holds ignoring letter case, as
// the programs find them: "wave\\x.bmp" goes into the Monitor's "Wave/".
QString target(const QString& relative) {
  const QString path = QString::fromStdString(
      platform::ResolveIn(outDir.toStdString() + "/", relative.toStdString()));
  QDir().mkpath(QFileInfo(path).absolutePath());
  return path;
}

void writeBytes(const QString& relative, const QByteArray& bytes) {
  QSaveFile file(target(relative));
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
    std::fprintf(stderr, "vesk-skinart: cannot write %s\n", qPrintable(relative));
    failed = true;
    return;
  }
  ++written;
}

void writeImage(const QString& relative, const QImage& image, const char* format) {
  const QString path = target(relative);
  if (!image.save(path, format)) {
    std::fprintf(stderr, "vesk-skinart: cannot write %s\n", qPrintable(relative));
    failed = true;
    return;
  }
  ++written;
}

void writeBitmap(int number, const QImage& image, const QString& folder = {}) {
  QString path = QString::fromStdString(skin::res::bitmapPath(number));
  if (!folder.isEmpty()) path = folder + QLatin1Char('/') + path;
  if (!path.endsWith(QLatin1String(".bmp"))) {
    writeImage(path, image, "PNG");
    return;
  }
  // Uncompressed sheets are opaque; a compressed one left by an older
  // generator would only take room.
  QFile::remove(target(path.chopped(4) + QLatin1String(".png")));
  writeImage(path, image.convertToFormat(QImage::Format_RGB32), "BMP");
}

void writeGif(const QString& relative, const std::vector<skinart::GifEncoder::Frame>& frames) {
  writeBytes(relative, skinart::GifEncoder::encode(frames, QColor(13, 14, 17)));
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: vesk-skinart OUTDIR\n");
    return 2;
  }
  outDir = QString::fromLocal8Bit(argv[1]);
  namespace res = skin::res;
  using namespace skinart;

  for (const WindowArt& art : allWindowArt()) {
    // A window may use fewer than four sheets (number 0) or one sheet in
    // two roles (the same number twice): the first role named draws it.
    QList<int> done;
    const std::pair<int, State> roles[4] = {{art.face, State::Normal},
                                            {art.hover, State::Hover},
                                            {art.pressed, State::Pressed},
                                            {art.disabled, State::Disabled}};
    for (const auto& [number, state] : roles) {
      if (number == 0 || done.contains(number)) continue;
      done.push_back(number);
      writeBitmap(number, renderSheet(art, state), art.folder);
    }
  }
  writeImage(QString::fromLatin1(res::kKeyCombinationFace),
             renderSheet(keyCombinationDialogArt(), State::Normal), "JPG");
  writeImage(QString::fromLatin1(skin::macromanager::kTimelineFace),
             renderSheet(macroTimelineArt(), State::Normal), "JPG");
  writeBitmap(skin::macromanager::kRecordingNormal, macroRecordingButton(State::Normal));
  writeBitmap(skin::macromanager::kRecordingHover, macroRecordingButton(State::Hover));
  for (int icon : {135, 137, 138, 146}) writeBitmap(icon, macroRowIcon(icon));
  writeBitmap(res::kPageMask, pageMask());
  writeBitmap(res::kThumbSmall, sliderThumb(14, 20, color::kAccent));
  writeBitmap(res::kThumbLarge, sliderThumb(17, 21, color::kAccent));
  writeBitmap(res::kThumbLargeAlt, sliderThumb(17, 21, color::kAccentDeep));
  writeBitmap(res::kThumbDpi, dpiThumb());
  writeBitmap(res::kHandCursor, handCursor());
  writeBitmap(res::kColorDots, colorDotsPlate());
  for (int zone = 0; zone < 4; ++zone) {
    writeBitmap(res::kZoneMarks[zone], zoneMark(zone));
    writeBitmap(res::kZonePreviews[zone], zonePreview(zone));
  }
  for (int picture = 0; picture < res::kButtonHighlightCount; ++picture)
    for (bool leftHanded : {false, true})
      writeBitmap(res::buttonHighlight(picture, leftHanded), buttonHighlight(picture, leftHanded));
  writeBitmap(res::kLevelBar, levelBar());
  for (int trophy = 1; trophy <= res::kLevelCount; ++trophy) {
    writeBitmap(res::kTrophyEarnedBase + trophy - 1, trophyPicture(trophy, true));
    writeBitmap(res::kTrophyLockedBase + trophy - 1, trophyPicture(trophy, false));
  }
  for (int language = 0; language < res::kLanguageCount; ++language)
    for (int state = 0; state < 3; ++state)
      writeBitmap(res::languageFlag(language, state), languageFlagPicture(language, state));

  writeGif(QString::fromLatin1(res::kProgressAnimation), progressFrames());
  for (int level = 1; level <= res::kLevelCount; ++level)
    writeGif(QString::asprintf(res::kLevelAnimationFormat, level), levelFrames(level));
  for (int flow = 1; flow <= 5; ++flow)
    writeGif(QString::fromLatin1(res::kColorFlowAnimations[flow - 1]), colorFlowFrames(flow));

  writeImage(QString::fromLatin1(res::kDoubleClickPicture),
             doubleClickPicture().convertToFormat(QImage::Format_RGB888), "BMP");
  writeGif(QString::fromLatin1(res::kDoubleClickClip), doubleClickClipFrames());
  writeBytes(QString::fromLatin1(res::kDoubleClickSound), waveFile(doubleClickSound(44100), 44100));

  std::printf("vesk-skinart: %d files in %s\n", written, qPrintable(outDir));
  return failed ? 1 : 0;
}
