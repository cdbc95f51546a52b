// The day page as the grid sees it: a table model over the book's page that keeps the file's
// Shift_JIS bytes and converts only what is shown or typed. A cell the user did not change keeps
// its bytes. The row rules themselves (the only row, the sort, the amount check) are the page's;
// this model adds the icons and tells the views.
#pragma once

#include <QAbstractTableModel>
#include <QImage>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "book/book.h"

namespace purselog {

class DayPageModel : public QAbstractTableModel, public PageObserver {
  Q_OBJECT

 public:
  explicit DayPageModel(Book& book, QObject* parent = nullptr);
  ~DayPageModel() override;

  const DayPage& page() const { return book_.page(); }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // An edit typed by the user; false when it is refused (see Edit).
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  enum class EditResult { kUnchanged, kAccepted, kRefusedAmount, kRefusedCharacter };
  // A text typed into a cell. An unchanged text changes nothing (the cell keeps its bytes); an
  // amount that is not a decimal number is refused; a text with a character that has no
  // Shift_JIS form is refused (CharacterRefused). An accepted change emits CellAccepted.
  EditResult Edit(int row, int column, const QString& text);

  // Sets a cell without validation (paste).
  void SetCellText(int row, int column, std::string bytes);
  // An empty row before `row` (rowCount() appends).
  void InsertEmptyRow(int row);
  // Removes the row, or empties it (and its icon) when it is the only one.
  void DeleteRow(int row);
  // Orders the rows by the bytes of the column's text; icons move with their rows.
  void SortRows(int column, Qt::SortOrder order);

  // The picture of a row's category: an icon (null for none), or nullopt when the text names no
  // category and the row keeps the picture it has.
  using IconSource = std::function<std::optional<QImage>(std::string_view category)>;
  // Where the rows take their pictures from: at every page, every accepted edit and paste, and
  // RefreshIcons.
  void set_icon_source(IconSource source) { icon_source_ = std::move(source); }
  void RefreshIcons();
  const QImage& RowIcon(int row) const;
  bool IsIncomeRow(int row) const;
  // The category table changed: kinds and colours may have too.
  void CategoriesChanged();

  // PageObserver: the book replaces the page as a whole.
  void PageAboutToBeReplaced() override;
  void PageReplaced() override;

 signals:
  void CellAccepted(int row, int column);
  // A typed or pasted text held `character`, which cannot be stored.
  void CharacterRefused(const QString& character);

 private:
  void RowChanged(int row);
  void RefreshIcon(int row);

  Book& book_;
  std::vector<QImage> icons_;
  IconSource icon_source_;
};

}  // namespace purselog
