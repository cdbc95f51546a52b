// The category icons: the 11 built-in ones cut from the icon strip, each 18 x 16 pixels, with
// the strip's background colour (its pixel 0, 0) made transparent.
#pragma once

#include <QImage>
#include <vector>

namespace purselog {

constexpr int kBuiltinIconWidth = 18;
constexpr int kBuiltinIconHeight = 16;

// The strip shipped with the program: 11 pictures side by side.
QImage BuiltinIconStrip();
// Icon k is the part of the strip whose left edge is at 18 k.
std::vector<QImage> CutBuiltinIcons(const QImage& strip, int count);

}  // namespace purselog
