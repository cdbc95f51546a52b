// The painted frame of every window, and the title drag that moves a frameless window.
#pragma once

#include <QImage>
#include <QObject>
#include <QPoint>

class QLabel;
class QRect;
class QString;
class QWidget;

namespace purselog {

struct SkinPieces {
  QImage lt;  // 32 x 21 top-left corner; its column at width - 3, 2 wide, is the top edge
  QImage rt;  // 32 x 21 top-right corner
  QImage lb;  // 32 x 6 bottom-left corner; its column at width - 3 is the bottom edge
  QImage rb;  // 32 x 6 bottom-right corner
  QImage l;   // 6 x 15 left edge; its top row is the pattern
  QImage r;   // 6 x 15 right edge; its top row is the pattern
};

// The pieces shipped with the program.
const SkinPieces& BuiltinSkinPieces();

// Paints the skin into `target`: white inside, corners copied, edges stretched from their
// pattern slices, pixel for pixel.
void PaintSkin(QImage& target, const SkinPieces& pieces);

// The title of a skinned window: a white bold label on the title band that drags the window.
QLabel* MakeTitleLabel(QWidget* window, const char* name, const QString& text,
                       const QRect& geometry);

// Centres the window on its screen (the primary screen while it has none yet).
void CentreOnScreen(QWidget& window);

// Makes a label the title bar of its window: pressing the left button on it starts a move of
// the window, as the title bar of a framed window would.
class TitleDrag : public QObject {
 public:
  static void Install(QWidget* title);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  explicit TitleDrag(QObject* parent) : QObject(parent) {}
  bool manual_ = false;
  QPoint grab_offset_;
};

}  // namespace purselog
