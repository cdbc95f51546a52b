#include "ui/common/category_icons.h"

#include "ui/common/resources.h"

namespace purselog {

QImage BuiltinIconStrip() {
  InitResources();
  return QImage(QStringLiteral(":/purselog/iconstrip.png"));
}

std::vector<QImage> CutBuiltinIcons(const QImage& strip, int count) {
  const QImage argb = strip.convertToFormat(QImage::Format_ARGB32);
  const QRgb background = argb.pixel(0, 0);
  std::vector<QImage> icons;
  for (int k = 0; k < count; ++k) {
    QImage icon = argb.copy(kBuiltinIconWidth * k, 0, kBuiltinIconWidth, kBuiltinIconHeight);
    for (int y = 0; y < icon.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(icon.scanLine(y));
      for (int x = 0; x < icon.width(); ++x) {
        if (line[x] == background) line[x] = qRgba(0, 0, 0, 0);
      }
    }
    icons.push_back(icon);
  }
  return icons;
}

}  // namespace purselog
