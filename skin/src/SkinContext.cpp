#include "skin/SkinContext.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include "skin/SkinOwner.h"

namespace skin {

SkinContext& SkinContext::instance() {
  static SkinContext context;
  return context;
}

void SkinContext::registerMessages(
    const std::function<UINT(std::string_view)>& registerWindowMessage) {
  if (!registerWindowMessage) return;
  if (const UINT number = registerWindowMessage(kBitmapEditKillFocusName); number != 0)
    killFocusMessage_ = number;
}

void SkinContext::announceHelpText(const QString& text) {
  if (helpText_ != text) helpText_ = text;
  postControlMessage(mainWindow_, HelpTextMsg, 1, 0);
}

void SkinContext::clearHelpText() {
  helpText_.clear();
  postControlMessage(mainWindow_, HelpTextMsg, 0, 0);
}

QString SkinContext::programFolder() const {
  if (!programFolder_.isEmpty()) return programFolder_;
  return QCoreApplication::applicationDirPath() + QLatin1Char('/');
}

void SkinContext::setProgramFolder(const QString& folder) {
  programFolder_ = folder;
  if (!programFolder_.isEmpty() && !programFolder_.endsWith(QLatin1Char('/')))
    programFolder_ += QLatin1Char('/');
}

void SkinContext::playSound(const QString& path) const {
  if (soundPlayer_) soundPlayer_(path);
}

void SkinContext::shellOpen(const QString& target) const {
  if (shellOpener_) {
    shellOpener_(target);
    return;
  }
  const QFileInfo file(target);
  QDesktopServices::openUrl(file.exists() ? QUrl::fromLocalFile(file.absoluteFilePath())
                                          : QUrl::fromUserInput(target));
}

}  // namespace skin
