// The program's look: fonts and the fixed colours of its windows.
#pragma once

#include <QColor>
#include <QFont>

namespace purselog {

// "ＭＳ Ｐゴシック" where it exists, else the installed Japanese Gothic family.
QFont GothicFont(int pixel_size, bool bold = false);

inline const QColor kIncomeText{16, 16, 96};
inline const QColor kIncomeBackground{236, 243, 255};
inline const QColor kMonthLineText{75, 105, 159};
inline const QColor kDayLineText{128, 128, 128};

}  // namespace purselog
