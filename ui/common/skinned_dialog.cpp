#include "ui/common/skinned_dialog.h"

#include <QPainter>
#include <QShowEvent>

#include "ui/common/look.h"
#include "ui/common/resources.h"
#include "ui/common/skin.h"

namespace purselog {

SkinnedDialog::SkinnedDialog(QWidget* parent, const char* object_name, const QString& caption,
                             const QSize& size, Placement placement)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      skin_(size, QImage::Format_RGB32),
      placement_(placement) {
  InitResources();
  setObjectName(QString::fromLatin1(object_name));
  setWindowTitle(caption);
  setFixedSize(size);
  setFont(GothicFont(12));
  PaintSkin(skin_, BuiltinSkinPieces());
}

void SkinnedDialog::showEvent(QShowEvent* event) {
  // A window the system shows again (after a minimise) keeps its place and what it shows.
  if (event->spontaneous()) {
    QDialog::showEvent(event);
    return;
  }
  if (placement_ == Placement::kCentredAtEachShowing ||
      (placement_ == Placement::kCentredAtFirstShowing && !shown_before_)) {
    CentreOnScreen(*this);
  }
  shown_before_ = true;
  FormShow();
  QDialog::showEvent(event);
}

void SkinnedDialog::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, skin_);
}

}  // namespace purselog
