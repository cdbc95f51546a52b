// maingrid: the day page's grid, an EntryGrid. Drop-down editors for category and description, the
// amount checked when its cell is left (a refused amount returns and its editor opens again), Enter
// moving right and on to a new row, Insert and Delete for rows, a double-click below the last
// row appending one, and sorting by a click on a column title.
#pragma once

#include <functional>

#include "categories/category_table.h"
#include "ui/common/entry_grid.h"
#include "ui/main/day_page_model.h"

namespace purselog {

class DayGridDelegate : public EntryGridDelegate {
  Q_OBJECT

 public:
  // The category cell draws its icon and its name tightly, so that a name of five full-width
  // characters shows whole beside its icon in the 80-pixel column.
  DayGridDelegate(const CategoryTable& categories, DayPageModel& model, QObject* parent);

  // While set, a refused amount only returns; its editor does not open again.
  void set_quiet_refusal(bool quiet) { quiet_refusal_ = quiet; }

 signals:
  void AmountRefused(const QModelIndex& index) const;
  void EnterPressed() const;

 protected:
  // Category: the category names; description: the category's descriptions (a line editor when
  // the category is not in the table).
  std::optional<QStringList> ListEntries(const QModelIndex& index) const override;
  // The amount stands at the right.
  void SetUpLineEditor(QLineEdit& edit, const QModelIndex& index) const override;
  // Through the page's edit rules; a refused amount is told (AmountRefused).
  void StoreText(QAbstractItemModel& model, const QModelIndex& index,
                 const QString& text) const override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  const CategoryTable& categories_;
  DayPageModel& model_;
  bool quiet_refusal_ = false;
};

class DayGrid : public EntryGrid {
  Q_OBJECT

 public:
  DayGrid(const CategoryTable& categories, DayPageModel& model, QWidget* parent);

  DayPageModel& page_model() { return model_; }
  // A freshly shown page: the first row's category cell is current, and the grid has the focus,
  // so that typing starts at once.
  void StartPage();
  DayGridDelegate& delegate() { return *delegate_; }
  // The boundary in which the grid's own keys and cell edits run.
  void set_command_runner(const CommandRunner& runner);

  // Ends an open cell edit as if the cell had been left, without opening a refused amount's
  // editor again.
  void CommitOpenEdit() override;
  // Ctrl+D: removes the lowest row with a selected description, amount or memo cell (the
  // current cell counts as selected); the cursor stays in its column.
  void DeleteSelectedRow();
  // Appends an empty row and puts the cursor on its category cell.
  void AppendRowAndFocus();
  // The menus' commands: a new row at the end, with the focus (an open edit ends first); and
  // the removal of the row under the point where the pop-up menu was opened.
  void NewRow();
  void DeleteRememberedRow();
  // The cell after the current one: right, then the next row, then a new row.
  void MoveToNextCell();
  // The last sorted column and its direction (column 2 ascending at start).
  int sort_column() const { return sort_column_; }
  Qt::SortOrder sort_order() const { return sort_order_; }
  // A title click on `column`: sorts when there are two rows or more.
  void SortByTitle(int column);

 protected:
  void InsertEmptyRow(int row) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void HandleKey(QKeyEvent* event);
  void ReopenRefused(const QModelIndex& index);

  DayPageModel& model_;
  DayGridDelegate* delegate_;
  bool title_pressed_ = false;
  int sort_column_ = kAmountColumn;
  Qt::SortOrder sort_order_ = Qt::AscendingOrder;
  CommandRunner runner_ = [](const std::function<void()>& action) { action(); };
};

}  // namespace purselog
