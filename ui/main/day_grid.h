// maingrid: the day page's grid. Drop-down editors for category and description, the amount
// checked when its cell is left (a refused amount returns and its editor opens again), Enter
// moving right and on to a new row, Insert and Delete for rows, a double-click below the last
// row appending one, and sorting by a click on a column title.
#pragma once

#include <QPoint>
#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>

#include "categories/category_table.h"
#include "ui/main/day_page_model.h"

namespace purselog {

// Runs one user action inside the window's command boundary.
using CommandRunner = std::function<void(const std::function<void()>&)>;

class DayGridDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  DayGridDelegate(const CategoryTable& categories, DayPageModel& model, QObject* parent);

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override;
  void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const override;
  // The category cell draws its icon and its name tightly, so that a name of five full-width
  // characters shows whole beside its icon in the 80-pixel column.
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;

  // Whether drop-down editors open their list at once (off in tests).
  void set_open_lists(bool open) { open_lists_ = open; }
  // While set, a refused amount only returns; its editor does not open again.
  void set_quiet_refusal(bool quiet) { quiet_refusal_ = quiet; }
  void set_command_runner(CommandRunner runner) { runner_ = std::move(runner); }

 signals:
  void AmountRefused(const QModelIndex& index) const;
  void EnterPressed() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  const CategoryTable& categories_;
  DayPageModel& model_;
  bool open_lists_ = true;
  bool quiet_refusal_ = false;
  CommandRunner runner_ = [](const std::function<void()>& action) { action(); };
};

class DayGrid : public QTableView {
  Q_OBJECT

 public:
  DayGrid(const CategoryTable& categories, DayPageModel& model, QWidget* parent);

  DayPageModel& page_model() { return model_; }
  // Makes `index` the current cell and the only selected one, whatever modifier keys are held.
  void SetCurrentCell(const QModelIndex& index);
  // The selected cells and the current one (a current cell counts as selected).
  QModelIndexList SelectedCellsWithCurrent() const;
  // A freshly shown page: the first row's category cell is current, and the grid has the focus,
  // so that typing starts at once.
  void StartPage();
  DayGridDelegate& delegate() { return *delegate_; }
  // The boundary in which the grid's own keys and cell edits run.
  void set_command_runner(const CommandRunner& runner);
  // The last point at which a mouse button went down in the grid (viewport coordinates).
  QPoint remembered_point() const { return remembered_point_; }
  // The entry row under the remembered point, or -1.
  int RowAtRememberedPoint() const;

  bool IsEditing() const { return state() == QAbstractItemView::EditingState; }
  // Ends an open cell edit as if the cell had been left, without opening a refused amount's
  // editor again.
  void CommitOpenEdit();
  // Appends an empty row and puts the cursor on its category cell.
  void AppendRowAndFocus();
  // The cell after the current one: right, then the next row, then a new row.
  void MoveToNextCell();
  // The last sorted column and its direction (column 2 ascending at start).
  int sort_column() const { return sort_column_; }
  Qt::SortOrder sort_order() const { return sort_order_; }
  // A title click on `column`: sorts when there are two rows or more.
  void SortByTitle(int column);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void HandleKey(QKeyEvent* event);
  void ReopenRefused(const QModelIndex& index);

  DayPageModel& model_;
  DayGridDelegate* delegate_;
  QPoint remembered_point_{-1, -1};
  bool title_pressed_ = false;
  int sort_column_ = kAmountColumn;
  Qt::SortOrder sort_order_ = Qt::AscendingOrder;
  CommandRunner runner_ = [](const std::function<void()>& action) { action(); };
};

}  // namespace purselog
