#include "ui/common/look.h"

#include <QFontDatabase>
#include <QStringList>

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

}  // namespace

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

}  // namespace purselog
