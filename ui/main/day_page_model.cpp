#include "ui/main/day_page_model.h"

#include <QColor>
#include <algorithm>
#include <optional>

#include "ui/common/glass.h"
#include "ui/common/look.h"

namespace purselog {

namespace {

const char* const kTitles[kDayPageColumns] = {"費目", "摘要", "金額", "メモ"};

}  // namespace

DayPageModel::DayPageModel(Book& book, QObject* parent)
    : QAbstractTableModel(parent), book_(book), icons_(book.page().size()) {
  book_.set_page_observer(this);
}

DayPageModel::~DayPageModel() { book_.set_page_observer(nullptr); }

void DayPageModel::PageAboutToBeReplaced() { beginResetModel(); }

void DayPageModel::PageReplaced() {
  icons_.assign(page().size(), QImage());
  for (int row = 0; row < rowCount(); ++row) RefreshIcon(row);
  endResetModel();
}

int DayPageModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(page().size());
}

int DayPageModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kDayPageColumns;
}

QVariant DayPageModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= kDayPageColumns) {
    return {};
  }
  const auto row = static_cast<std::size_t>(index.row());
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return ToGlass(page()[row][static_cast<std::size_t>(index.column())]);
    case Qt::DecorationRole:
      if (index.column() == kCategoryColumn && !icons_[row].isNull()) return icons_[row];
      return {};
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(
          Qt::AlignVCenter | (index.column() == kAmountColumn ? Qt::AlignRight : Qt::AlignLeft));
    case Qt::ForegroundRole:
      if (IsIncomeRow(index.row())) return kIncomeText;
      return {};
    case Qt::BackgroundRole:
      return IsIncomeRow(index.row()) ? kIncomeBackground : QColor(Qt::white);
    default:
      return {};
  }
}

QVariant DayPageModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
      section < kDayPageColumns) {
    return QString::fromUtf8(kTitles[section]);
  }
  return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags DayPageModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool DayPageModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !index.isValid()) return false;
  const EditResult result = Edit(index.row(), index.column(), value.toString());
  return result == EditResult::kUnchanged || result == EditResult::kAccepted;
}

DayPageModel::EditResult DayPageModel::Edit(int row, int column, const QString& text) {
  if (row < 0 || row >= rowCount() || column < 0 || column >= kDayPageColumns) {
    return EditResult::kUnchanged;
  }
  // Compared as shown: a cell whose bytes the screen cannot show exactly keeps them.
  if (text == ToGlass(page()[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)])) {
    return EditResult::kUnchanged;
  }
  if (const std::optional<QString> refused = UnstorableCharacter(text)) {
    emit CharacterRefused(*refused);
    return EditResult::kRefusedCharacter;
  }
  switch (EditCell(book_.page(), row, column, FromGlass(text))) {
    case CellEdit::kUnchanged:
      return EditResult::kUnchanged;
    case CellEdit::kRefused:
      return EditResult::kRefusedAmount;
    case CellEdit::kAccepted:
      break;
  }
  RefreshIcon(row);
  RowChanged(row);
  emit CellAccepted(row, column);
  return EditResult::kAccepted;
}

void DayPageModel::SetCellText(int row, int column, std::string bytes) {
  if (row < 0 || row >= rowCount() || column < 0 || column >= kDayPageColumns) return;
  book_.page()[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = std::move(bytes);
  RefreshIcon(row);
  RowChanged(row);
}

void DayPageModel::RowChanged(int row) {
  emit dataChanged(index(row, 0), index(row, kDayPageColumns - 1));
}

void DayPageModel::InsertEmptyRow(int row) {
  row = std::clamp(row, 0, rowCount());
  beginInsertRows(QModelIndex(), row, row);
  purselog::InsertEmptyRow(book_.page(), row);
  icons_.insert(icons_.begin() + row, QImage());
  endInsertRows();
}

void DayPageModel::DeleteRow(int row) {
  if (row < 0 || row >= rowCount()) return;
  if (rowCount() == 1) {
    purselog::DeleteRow(book_.page(), row);
    icons_[0] = QImage();
    RowChanged(0);
    return;
  }
  beginRemoveRows(QModelIndex(), row, row);
  purselog::DeleteRow(book_.page(), row);
  icons_.erase(icons_.begin() + row);
  endRemoveRows();
}

void DayPageModel::SortRows(int column, Qt::SortOrder order) {
  if (column < 0 || column >= kDayPageColumns) return;
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  const QModelIndexList before = persistentIndexList();
  const std::vector<int> from =
      purselog::SortRows(book_.page(), column, order == Qt::AscendingOrder);
  std::vector<QImage> sorted_icons;
  std::vector<int> new_row_of(from.size());
  for (std::size_t i = 0; i < from.size(); ++i) {
    const auto old_row = static_cast<std::size_t>(from[i]);
    sorted_icons.push_back(std::move(icons_[old_row]));
    new_row_of[old_row] = static_cast<int>(i);
  }
  icons_ = std::move(sorted_icons);
  QModelIndexList after;
  for (const QModelIndex& old_index : before) {
    after.push_back(
        index(new_row_of[static_cast<std::size_t>(old_index.row())], old_index.column()));
  }
  changePersistentIndexList(before, after);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void DayPageModel::RefreshIcons() {
  for (int row = 0; row < rowCount(); ++row) RefreshIcon(row);
  if (rowCount() > 0) {
    emit dataChanged(index(0, kCategoryColumn), index(rowCount() - 1, kCategoryColumn),
                     {Qt::DecorationRole});
  }
}

void DayPageModel::RefreshIcon(int row) {
  if (!icon_source_) return;
  std::optional<QImage> icon = icon_source_(page()[static_cast<std::size_t>(row)][kCategoryColumn]);
  if (icon) icons_[static_cast<std::size_t>(row)] = std::move(*icon);
}

const QImage& DayPageModel::RowIcon(int row) const {
  static const QImage kNone;
  if (row < 0 || row >= rowCount()) return kNone;
  return icons_[static_cast<std::size_t>(row)];
}

bool DayPageModel::IsIncomeRow(int row) const {
  if (row < 0 || row >= rowCount()) return false;
  return book_.categories().KindOf(page()[static_cast<std::size_t>(row)][kCategoryColumn]) ==
         EntryKind::kIncome;
}

void DayPageModel::CategoriesChanged() {
  for (int row = 0; row < rowCount(); ++row) RefreshIcon(row);
  emit dataChanged(index(0, 0), index(rowCount() - 1, kDayPageColumns - 1));
}

}  // namespace purselog
