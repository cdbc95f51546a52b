#include "ui/common/look.h"

#include <QStringList>

namespace purselog {

QFont GothicFont(int pixel_size, bool bold) {
  QFont font;
  font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                    QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                    QStringLiteral("Noto Sans CJK JP"), QStringLiteral("VL PGothic")});
  font.setPixelSize(pixel_size);
  font.setBold(bold);
  return font;
}

}  // namespace purselog
