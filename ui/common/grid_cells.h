// Pieces that the program's editable grids share: the drop-down list editor of a cell and the
// drawing of a cell that shows a picture before its name.
#pragma once

#include <QComboBox>
#include <QRect>
#include <QStringList>
#include <QStyleOptionViewItem>

class QAbstractItemDelegate;
class QModelIndex;
class QPainter;

namespace purselog {

// The drop-down list editor of a grid cell. Only a choice in the open list (a click on an entry,
// or Enter there) changes the cell: it emits Chosen. The closed list lets the page keys, Home,
// End, typed letters and the mouse wheel pass without stepping through its entries (a window
// turns its page on the page keys' release), and opens on an arrow key, F4 or Space.
class ListCellEditor : public QComboBox {
  Q_OBJECT

 public:
  // `open_now`: the list opens as soon as the editor is shown.
  ListCellEditor(QWidget* parent, const QStringList& entries, bool open_now);

  // Preselects the entry equal to `text`, or the first one.
  void Preselect(const QString& text);
  // A choice ends the edit as picking from a drop-down list does: `delegate` commits the editor's
  // entry and closes it.
  void EndEditOnChoice(QAbstractItemDelegate* delegate);
  // Whether the user chose an entry in the open list.
  bool chosen() const { return chosen_; }
  bool ListOpen() const;

 signals:
  void Chosen();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  bool chosen_ = false;
};

// Where a cell that draws a picture before its name puts the name: right of the picture and a
// one-pixel gap.
QRect NameRect(const QRect& cell, int picture_width);

// Draws such a cell tightly (the picture at the cell's left edge, vertically centred, then the
// name), so that a name of five full-width characters shows whole beside an 18-pixel icon in an
// 80-pixel column. `cell` is the option as the delegate initialised it for `index`; background,
// selection and focus are the style's.
void PaintPictureAndName(QPainter* painter, QStyleOptionViewItem cell, const QModelIndex& index);

}  // namespace purselog
