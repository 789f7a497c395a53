#include "skin/DoubleClickTestButton.h"

#include <QMouseEvent>
#include <QPainter>

#include "skin/GifPlayer.h"
#include "skin/SkinContext.h"
#include "skin/SkinLayout.h"
#include "skin/SkinResourceIds.h"
#include "skin/SkinResources.h"

namespace skin {

DoubleClickTestButton::DoubleClickTestButton(const LayoutEntry& layout, QWidget* parent)
    : QWidget(parent),
      picture_(SkinResources::picture(QString::fromLatin1(res::kDoubleClickPicture))),
      clipFile_(QString::fromLatin1(res::kDoubleClickClip)),
      soundFile_(QString::fromLatin1(res::kDoubleClickSound)) {
  applyLayout(this, layout);
}

void DoubleClickTestButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  if (picture_.isNull()) {
    painter.fillRect(rect(), QColor(20, 22, 26));
  } else {
    painter.drawImage(rect(), picture_);
  }
}

void DoubleClickTestButton::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  if (!clip_) {
    clip_ = new GifPlayer(this);
    clip_->setObjectName(QStringLiteral("clip"));
    clip_->setGeometry(rect());
    clip_->setLoop(false);
    clip_->loadFile(clipFile_);
    clip_->show();
  }
  clip_->play();
  SkinContext::instance().playSound(SkinResources::resolve(soundFile_));
  emit doubleClicked();
}

}  // namespace skin
