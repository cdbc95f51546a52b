// EntryGrid: what the program's editable grids (the day page's and the category settings') have
// in common. The view: Gothic type, rows and titles 21 pixels high, no row titles, cells selected
// in one block, typing or a click on the current cell opening its editor, Tab walking the cells,
// Insert adding a row before the current one, and the point of the last mouse press kept for the
// pop-up menu. The delegate: a drop-down list (ListCellEditor) or a frameless line editor per
// cell, and one column that draws a picture before its name.
#pragma once

#include <QModelIndexList>
#include <QPoint>
#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>
#include <optional>

class QLineEdit;

namespace purselog {

// Runs one user action inside the window's command boundary.
using CommandRunner = std::function<void(const std::function<void()>&)>;

class EntryGridDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  // `picture_column`: the column whose cells draw their picture and name tightly
  // (PaintPictureAndName).
  EntryGridDelegate(int picture_column, QObject* parent);

  // A drop-down list where ListEntries names one, a line editor elsewhere.
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  // Only an entry the user chose in a list changes the cell; a line editor's text goes to
  // StoreText. Both inside the command runner.
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override;
  void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const override;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;

  // Whether drop-down editors open their list at once (off in tests).
  void set_open_lists(bool open) { open_lists_ = open; }
  void set_command_runner(CommandRunner runner) { runner_ = std::move(runner); }

 protected:
  // The entries of the drop-down list that edits `index`, or none for a line editor.
  virtual std::optional<QStringList> ListEntries(const QModelIndex& index) const = 0;
  // Finishes a line editor for `index` (it comes frameless, of unlimited length, in Gothic type).
  virtual void SetUpLineEditor(QLineEdit& /*edit*/, const QModelIndex& /*index*/) const {}
  // A line editor's text, into the cell.
  virtual void StoreText(QAbstractItemModel& model, const QModelIndex& index,
                         const QString& text) const;

 private:
  int picture_column_;
  bool open_lists_ = true;
  CommandRunner runner_ = [](const std::function<void()>& action) { action(); };
};

class EntryGrid : public QTableView {
  Q_OBJECT

 public:
  // Shows `model` (not owned).
  EntryGrid(QAbstractItemModel* model, QWidget* parent);

  // Makes `index` the current cell and the only selected one, whatever modifier keys are held.
  void SetCurrentCell(const QModelIndex& index);
  // The selected cells and the current one (a current cell counts as selected).
  QModelIndexList SelectedCellsWithCurrent() const;
  // Of those, the cell in the lowest row, and in it the rightmost column; invalid when none.
  QModelIndex LastSelectedCell() const;
  bool IsEditing() const { return state() == QAbstractItemView::EditingState; }
  // Ends an open cell edit as if the cell had been left.
  virtual void CommitOpenEdit();
  // The last point at which a mouse button went down in the grid (viewport coordinates).
  QPoint remembered_point() const { return remembered_point_; }
  // The model row under the remembered point, or -1.
  int RowAtRememberedPoint() const;

 protected:
  // The Insert key, outside an edit and with none of `refusing` held: an empty row before the
  // current one (or the first), the cursor on it in the same column. False for any other key.
  bool InsertRowOnKey(const QKeyEvent* event, Qt::KeyboardModifiers refusing);
  // Inserts an empty row at model row `row`.
  virtual void InsertEmptyRow(int row) = 0;
  void RememberPoint(const QMouseEvent* event);
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QPoint remembered_point_{-1, -1};
};

}  // namespace purselog
