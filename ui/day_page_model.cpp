#include "ui/day_page_model.h"

#include <QColor>
#include <algorithm>
#include <numeric>

#include "core/money.h"
#include "ui/glass.h"
#include "ui/look.h"

namespace purselog {

namespace {

const char* const kTitles[kDayPageColumns] = {"費目", "摘要", "金額", "メモ"};

}  // namespace

DayPageModel::DayPageModel(const CategoryTable& categories, QObject* parent)
    : QAbstractTableModel(parent), categories_(categories), page_(EmptyDayPage()), icons_(1) {}

void DayPageModel::SetPage(DayPage page) {
  beginResetModel();
  page_ = std::move(page);
  if (page_.empty()) page_ = EmptyDayPage();
  icons_.assign(page_.size(), QImage());
  endResetModel();
}

int DayPageModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(page_.size());
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
      return ToGlass(page_[row][static_cast<std::size_t>(index.column())]);
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
  if (role != Qt::EditRole || !index.isValid() || index.row() >= rowCount()) return false;
  const QString text = value.toString();
  std::string& cell =
      page_[static_cast<std::size_t>(index.row())][static_cast<std::size_t>(index.column())];
  if (text == ToGlass(cell)) return true;
  std::string bytes = FromGlass(text);
  if (index.column() == kAmountColumn && !IsValidAmountText(bytes)) return false;
  cell = std::move(bytes);
  emit dataChanged(this->index(index.row(), 0), this->index(index.row(), kDayPageColumns - 1));
  emit CellAccepted(index.row(), index.column());
  return true;
}

void DayPageModel::SetCellText(int row, int column, std::string bytes) {
  if (row < 0 || row >= rowCount() || column < 0 || column >= kDayPageColumns) return;
  page_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = std::move(bytes);
  emit dataChanged(index(row, 0), index(row, kDayPageColumns - 1));
}

void DayPageModel::InsertEmptyRow(int row) {
  row = std::clamp(row, 0, rowCount());
  beginInsertRows(QModelIndex(), row, row);
  page_.insert(page_.begin() + row, DayRow());
  icons_.insert(icons_.begin() + row, QImage());
  endInsertRows();
}

void DayPageModel::DeleteRow(int row) {
  if (row < 0 || row >= rowCount()) return;
  if (rowCount() == 1) {
    page_[0] = DayRow();
    icons_[0] = QImage();
    emit dataChanged(index(0, 0), index(0, kDayPageColumns - 1));
    return;
  }
  beginRemoveRows(QModelIndex(), row, row);
  page_.erase(page_.begin() + row);
  icons_.erase(icons_.begin() + row);
  endRemoveRows();
}

void DayPageModel::SortRows(int column, Qt::SortOrder order) {
  if (column < 0 || column >= kDayPageColumns) return;
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  const QModelIndexList before = persistentIndexList();
  std::vector<int> order_of_rows(page_.size());
  std::iota(order_of_rows.begin(), order_of_rows.end(), 0);
  const auto c = static_cast<std::size_t>(column);
  std::stable_sort(order_of_rows.begin(), order_of_rows.end(), [&](int a, int b) {
    const std::string& left = page_[static_cast<std::size_t>(a)][c];
    const std::string& right = page_[static_cast<std::size_t>(b)][c];
    return order == Qt::AscendingOrder ? left < right : right < left;
  });
  DayPage sorted_page;
  std::vector<QImage> sorted_icons;
  std::vector<int> new_row_of(page_.size());
  for (std::size_t i = 0; i < order_of_rows.size(); ++i) {
    const auto old_row = static_cast<std::size_t>(order_of_rows[i]);
    sorted_page.push_back(std::move(page_[old_row]));
    sorted_icons.push_back(std::move(icons_[old_row]));
    new_row_of[old_row] = static_cast<int>(i);
  }
  page_ = std::move(sorted_page);
  icons_ = std::move(sorted_icons);
  QModelIndexList after;
  for (const QModelIndex& old_index : before) {
    after.push_back(
        index(new_row_of[static_cast<std::size_t>(old_index.row())], old_index.column()));
  }
  changePersistentIndexList(before, after);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void DayPageModel::SetRowIcon(int row, const QImage& icon) {
  if (row < 0 || row >= rowCount()) return;
  icons_[static_cast<std::size_t>(row)] = icon;
  emit dataChanged(index(row, kCategoryColumn), index(row, kCategoryColumn), {Qt::DecorationRole});
}

const QImage& DayPageModel::RowIcon(int row) const {
  static const QImage kNone;
  if (row < 0 || row >= rowCount()) return kNone;
  return icons_[static_cast<std::size_t>(row)];
}

bool DayPageModel::IsIncomeRow(int row) const {
  if (row < 0 || row >= rowCount()) return false;
  return categories_.KindOf(page_[static_cast<std::size_t>(row)][kCategoryColumn]) ==
         EntryKind::kIncome;
}

void DayPageModel::CategoriesChanged() {
  emit dataChanged(index(0, 0), index(rowCount() - 1, kDayPageColumns - 1));
}

}  // namespace purselog
