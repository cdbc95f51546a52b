#include "ui/common/look.h"

#include <QFontDatabase>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QStringList>
#include <QToolButton>

namespace purselog {

namespace {

const QStringList& GothicFamilies() {
  static const QStringList families = {
      QStringLiteral("ＭＳ Ｐゴシック"),  QStringLiteral("MS PGothic"),
      QStringLiteral("IPAPGothic"),       QStringLiteral("IPAGothic"),
      QStringLiteral("Noto Sans CJK JP"), QStringLiteral("VL PGothic")};
  return families;
}

// The first of the families that is installed, looked up once: a font naming only that family
// is matched at once, where a list that starts with a missing family makes every font of every
// window ask the font configuration for the missing family's substitutes first. Empty when none
// is installed.
const QString& InstalledGothicFamily() {
  static const QString family = [] {
    for (const QString& name : GothicFamilies()) {
      if (QFontDatabase::hasFamily(name)) return name;
    }
    return QString();
  }();
  return family;
}

// Enter on a focused button presses it, as Space does.
class PressOnEnterFilter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const auto* key = static_cast<QKeyEvent*>(event);
      auto* button = qobject_cast<QAbstractButton*>(watched);
      if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
          (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && button != nullptr &&
          button->isEnabled()) {
        button->click();
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }
};

// The focus frame, drawn over the button's own border.
QString FocusRule(int border_width) {
  return QStringLiteral("QToolButton:focus { border: %1px solid %2; border-radius: 3px; }")
      .arg(border_width)
      .arg(kFocusFrame.name());
}

}  // namespace

QLabel* MakeLabel(QWidget* parent, const char* name, const QRect& geometry, Qt::Alignment alignment,
                  bool bold, const QColor& color) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setGeometry(geometry);
  label->setFont(GothicFont(12, bold));
  label->setAlignment(alignment | Qt::AlignVCenter);
  if (color.isValid()) SetTextColor(label, color);
  return label;
}

QLabel* MakePicture(QWidget* parent, const char* name, const QRect& geometry,
                    const QString& resource) {
  auto* picture = new QLabel(parent);
  picture->setObjectName(QString::fromLatin1(name));
  picture->setGeometry(geometry);
  picture->setPixmap(QPixmap(resource));
  return picture;
}

void SetTextColor(QLabel* label, const QColor& color) {
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, color);
  label->setPalette(palette);
}

void PressOnEnter(QAbstractButton* button) {
  button->installEventFilter(new PressOnEnterFilter(button));
}

QFont GothicFont(int pixel_size, bool bold) {
  QFont font;
  const QString& family = InstalledGothicFamily();
  if (family.isEmpty()) {
    font.setFamilies(GothicFamilies());  // the platform's substitutes decide
  } else {
    font.setFamily(family);
  }
  font.setPixelSize(pixel_size);
  font.setBold(bold);
  return font;
}

QToolButton* MakeCaptionButton(QWidget* parent, const char* name, const QString& caption,
                               const QRect& geometry, bool bold) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(geometry);
  button->setText(caption);
  button->setFont(GothicFont(12, bold));
  button->setFocusPolicy(Qt::TabFocus);
  button->setStyleSheet(
      QStringLiteral(
          "QToolButton { border: 1px solid #8a9bb8; border-radius: 3px; background: #f4f6fa; }"
          "QToolButton:hover { background: #e3eaf6; }"
          "QToolButton:pressed { background: #cfd9ec; }") +
      FocusRule(2));
  PressOnEnter(button);
  return button;
}

QToolButton* MakeGlyphButton(QWidget* parent, const char* name, const QString& glyph,
                             const QRect& geometry, GlyphBackdrop backdrop) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(geometry);
  const QPixmap picture(QStringLiteral(":/purselog/") + glyph + QStringLiteral(".png"));
  button->setIcon(QIcon(picture));
  button->setIconSize(picture.size());
  const bool title = backdrop == GlyphBackdrop::kTitleBand;
  button->setAutoRaise(true);
  button->setFocusPolicy(title ? Qt::NoFocus : Qt::TabFocus);
  button->setStyleSheet(
      QStringLiteral("QToolButton { border: none; background: transparent; padding: 0px; }"
                     "QToolButton:hover { background: rgba(%1); border-radius: 3px; }"
                     "QToolButton:pressed { background: rgba(0, 0, 0, 40); border-radius: 3px; }")
          .arg(title ? QStringLiteral("255, 255, 255, 70") : QStringLiteral("0, 0, 0, 20")) +
      FocusRule(1));
  PressOnEnter(button);
  return button;
}

}  // namespace purselog
