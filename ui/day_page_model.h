// The day page as the grid sees it: a table model over DayPage that keeps the file's Shift_JIS
// bytes and converts only what is shown or typed. A cell the user did not change keeps its bytes.
#pragma once

#include <QAbstractTableModel>
#include <QImage>
#include <vector>

#include "categories/category_table.h"
#include "ledger/day_page.h"

namespace purselog {

class DayPageModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit DayPageModel(const CategoryTable& categories, QObject* parent = nullptr);

  // A freshly loaded page, without icons.
  void SetPage(DayPage page);
  const DayPage& page() const { return page_; }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // An edit typed by the user. An unchanged text changes nothing; an amount that is not a
  // decimal number is refused (false) and the cell keeps its text. An accepted change emits
  // CellAccepted.
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  // Sets a cell without validation (paste).
  void SetCellText(int row, int column, std::string bytes);
  // An empty row before `row` (rowCount() appends).
  void InsertEmptyRow(int row);
  // Removes the row, or empties it (and its icon) when it is the only one.
  void DeleteRow(int row);
  // Orders the rows by the bytes of the column's text; icons move with their rows.
  void SortRows(int column, Qt::SortOrder order);

  void SetRowIcon(int row, const QImage& icon);
  const QImage& RowIcon(int row) const;
  bool IsIncomeRow(int row) const;
  // The category table changed: kinds and colours may have too.
  void CategoriesChanged();

 signals:
  void CellAccepted(int row, int column);

 private:
  const CategoryTable& categories_;
  DayPage page_;
  std::vector<QImage> icons_;
};

}  // namespace purselog
