#include "ui/common/skin.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "ui/common/look.h"
#include "ui/common/resources.h"

namespace purselog {

QLabel* MakeTitleLabel(QWidget* window, const char* name, const QString& text,
                       const QRect& geometry) {
  auto* label = new QLabel(text, window);
  label->setObjectName(QString::fromLatin1(name));
  label->setGeometry(geometry);
  label->setFont(GothicFont(12, true));
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  label->setAttribute(Qt::WA_TranslucentBackground);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, Qt::white);
  label->setPalette(palette);
  TitleDrag::Install(label);
  return label;
}

void CentreOnScreen(QWidget& window) {
  const QScreen* screen = window.screen();
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  QRect frame = window.frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  window.move(frame.topLeft());
}

const SkinPieces& BuiltinSkinPieces() {
  InitResources();
  static const SkinPieces pieces = {
      QImage(QStringLiteral(":/purselog/skin_lt.png")),
      QImage(QStringLiteral(":/purselog/skin_rt.png")),
      QImage(QStringLiteral(":/purselog/skin_lb.png")),
      QImage(QStringLiteral(":/purselog/skin_rb.png")),
      QImage(QStringLiteral(":/purselog/skin_l.png")),
      QImage(QStringLiteral(":/purselog/skin_r.png")),
  };
  return pieces;
}

void PaintSkin(QImage& target, const SkinPieces& p) {
  const int w = target.width();
  const int h = target.height();
  QPainter painter(&target);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.fillRect(0, 0, w, h, Qt::white);
  painter.drawImage(0, 0, p.lt);
  painter.drawImage(w - p.rt.width(), 0, p.rt);
  painter.drawImage(0, h - p.lb.height(), p.lb);
  painter.drawImage(w - p.rt.width(), h - p.lb.height(), p.rb);
  painter.drawImage(QRect(p.lt.width(), 0, w - p.lt.width() - p.rt.width(), p.lt.height()), p.lt,
                    QRect(p.lt.width() - 3, 0, 2, p.lt.height()));
  painter.drawImage(
      QRect(p.lb.width(), h - p.lb.height(), w - p.lb.width() - p.rb.width(), p.lb.height()), p.lb,
      QRect(p.lb.width() - 3, 0, 2, p.lb.height()));
  const int side_height = h - p.lt.height() - p.lb.height();
  painter.drawImage(QRect(0, p.lt.height(), p.l.width(), side_height), p.l,
                    QRect(0, 0, p.l.width(), 1));
  painter.drawImage(QRect(w - p.r.width(), p.lt.height(), p.l.width(), side_height), p.r,
                    QRect(0, 0, p.l.width(), 1));
}

void TitleDrag::Install(QWidget* title) { title->installEventFilter(new TitleDrag(title)); }

bool TitleDrag::eventFilter(QObject* watched, QEvent* event) {
  auto* title = static_cast<QWidget*>(watched);
  QWidget* window = title->window();
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() != Qt::LeftButton) return false;
      QWindow* handle = window->windowHandle();
      manual_ = handle == nullptr || !handle->startSystemMove();
      grab_offset_ = mouse->globalPosition().toPoint() - window->frameGeometry().topLeft();
      return true;
    }
    case QEvent::MouseMove: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (!manual_ || !(mouse->buttons() & Qt::LeftButton)) return false;
      window->move(mouse->globalPosition().toPoint() - grab_offset_);
      return true;
    }
    case QEvent::MouseButtonRelease:
      manual_ = false;
      return false;
    default:
      return false;
  }
}

}  // namespace purselog
