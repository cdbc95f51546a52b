// The pictures compiled into the program (":/purselog/..."). The windows library is static, so
// its resources must be registered explicitly before the first use.
#pragma once

#include <QImage>

namespace purselog {

void InitResources();

// The strip of the 11 built-in category icons, 18 x 16 each side by side; its pixel (0, 0) is
// the background colour.
QImage BuiltinIconStrip();

}  // namespace purselog
