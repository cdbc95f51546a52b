// The program's look: fonts and the fixed colours of its windows.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QAbstractButton;
class QLabel;
class QToolButton;
class QWidget;

namespace purselog {

// "ＭＳ Ｐゴシック" where it exists, else the installed Japanese Gothic family.
QFont GothicFont(int pixel_size, bool bold = false);

// A flat button with a caption in a thin rounded frame ("OK", "Print", "Draw Graph"). This and
// the glyph buttons below show kFocusFrame while they have the focus, and Enter or Space on a
// focused one presses it.
QToolButton* MakeCaptionButton(QWidget* parent, const char* name, const QString& caption,
                               const QRect& geometry, bool bold = true);

// Where a glyph button stands: on the dark title band (it lightens under the pointer) or on the
// window's white body (it darkens).
enum class GlyphBackdrop { kTitleBand, kBody };
// A flat button showing the picture ":/purselog/<glyph>.png", without a frame.
QToolButton* MakeGlyphButton(QWidget* parent, const char* name, const QString& glyph,
                             const QRect& geometry, GlyphBackdrop backdrop);

// A label in the Gothic font (bold unless asked otherwise), its text aligned as asked within
// `geometry` and centred vertically, in `color` when one is given.
QLabel* MakeLabel(QWidget* parent, const char* name, const QRect& geometry, Qt::Alignment alignment,
                  bool bold = true, const QColor& color = QColor());
// A label showing the picture of a resource.
QLabel* MakePicture(QWidget* parent, const char* name, const QRect& geometry,
                    const QString& resource);
// The colour of a label's text.
void SetTextColor(QLabel* label, const QColor& color);

// Enter on the button, while it has the focus, presses it (for buttons that are no dialog's
// default, so that the dialog itself never presses one on Enter).
void PressOnEnter(QAbstractButton* button);

// The frame a focused button shows (caption and glyph buttons alike).
inline const QColor kFocusFrame{40, 96, 200};

inline const QColor kIncomeText{16, 16, 96};
inline const QColor kIncomeBackground{236, 243, 255};
inline const QColor kMonthLineText{75, 105, 159};
inline const QColor kDayLineText{128, 128, 128};

}  // namespace purselog
