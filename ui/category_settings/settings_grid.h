// The grid of the category settings window (an EntryGrid): a table model over CategorySettingsTable
// (its row 0 is the grid's header, so model row r is table row r + 1), the editors (a drop-down
// list of "支出" and "収入" for the kind, free text elsewhere), and the view with its keys and
// mouse: Insert adds a row, a selected row is dragged to another place, column borders are dragged
// to resize, and the point of the last mouse press says which row the pop-up menu acts on. Tab
// walks the cells and leaves the grid after the last one (Shift+Tab: before the first); Ctrl+Tab
// (Ctrl+Shift+Tab) leaves it from any cell.
#pragma once

#include <QAbstractTableModel>
#include <QImage>
#include <QPoint>
#include <filesystem>
#include <functional>
#include <vector>

#include "categories/category_settings.h"
#include "ui/common/entry_grid.h"

namespace purselog {

class CategorySettingsModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // The picture of a row, from the table's choice.
  using IconSource = std::function<QImage(const IconChoice&)>;

  CategorySettingsModel(CategorySettingsTable& table, IconSource icons, QObject* parent);

  static int TableRow(int model_row) { return model_row + 1; }
  static int ModelRow(int table_row) { return table_row - 1; }
  CategorySettingsTable& table() { return table_; }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // A typed text. Refused (false) for a locked cell and for a text with a character that has no
  // Shift_JIS form (CharacterRefused); an unchanged text leaves the cell's bytes as they are.
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  bool IsIncomeRow(int model_row) const;

  // A table read anew, told to the views.
  void Replace(CategorySettingsTable table);
  // The table's operations, told to the views. Rows are table rows.
  bool AddRow();
  void InsertRow(int table_row);
  CategorySettingsTable::Deletion DeleteRows(const std::vector<int>& table_rows);
  void MoveRow(int from_table_row, int to_table_row);
  // The rows' pictures changed.
  void IconsChanged();

 signals:
  void CharacterRefused(const QString& character);

 private:
  CategorySettingsTable& table_;
  IconSource icons_;
};

class SettingsGridDelegate : public EntryGridDelegate {
  Q_OBJECT

 public:
  // The name cell draws its picture and its name tightly, so that a name of three characters
  // shows whole beside its picture in a 64-pixel column.
  explicit SettingsGridDelegate(QObject* parent);

 protected:
  // The kind: a choice of "支出" and "収入" (the first when the cell holds neither), no typing.
  std::optional<QStringList> ListEntries(const QModelIndex& index) const override;
  // The name in bold type.
  void SetUpLineEditor(QLineEdit& edit, const QModelIndex& index) const override;
};

class SettingsGrid : public EntryGrid {
  Q_OBJECT

 public:
  SettingsGrid(CategorySettingsModel& model, QWidget* parent);

  CategorySettingsModel& settings_model() { return model_; }
  SettingsGridDelegate& delegate() { return *delegate_; }

  // The table row under the last mouse press in the grid, or -1.
  int TableRowAtRememberedPoint() const;
  // The table rows of the selection and of the current cell, ascending.
  std::vector<int> SelectedTableRows() const;
  // The current column widths, into the table; a column the user has not resized keeps the
  // table's own width (the name column may be shown wider than that).
  void StoreColumnWidths();
  // The table's column widths, onto the columns; the name column at least as wide as its widest
  // name needs beside its picture (NameColumnWidth).
  void ShowColumnWidths();
  // The width the name column needs for every name to show whole beside its picture.
  int NameColumnWidth() const;

 protected:
  void InsertEmptyRow(int row) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  // The model row a dragged row lands on when released at `point`.
  int DropRowAt(const QPoint& point) const;

  CategorySettingsModel& model_;
  SettingsGridDelegate* delegate_;
  // A press on a selected cell may become a row drag: the row, where it began, and whether the
  // pointer has moved far enough.
  int drag_row_ = -1;
  QPoint drag_start_;
  bool dragging_ = false;
  int drop_row_ = -1;
  std::vector<int> shown_widths_;  // as ShowColumnWidths set them
};

}  // namespace purselog
