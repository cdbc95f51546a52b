#include "ui/category_settings/settings_grid.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "ui/common/glass.h"
#include "ui/common/grid_cells.h"
#include "ui/common/look.h"

namespace purselog {

namespace {

const QColor kCellBackground(248, 248, 248);
const QColor kNameBackground(255, 255, 255);

}  // namespace

CategorySettingsModel::CategorySettingsModel(CategorySettingsTable& table, IconSource icons,
                                             QObject* parent)
    : QAbstractTableModel(parent), table_(table), icons_(std::move(icons)) {}

int CategorySettingsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : std::max(table_.rows() - 1, 0);
}

int CategorySettingsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : table_.columns();
}

bool CategorySettingsModel::IsIncomeRow(int model_row) const {
  return table_.Cell(kKindColumn, TableRow(model_row)) == IncomeKindText();
}

QVariant CategorySettingsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
  const int row = TableRow(index.row());
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return ToGlass(table_.Cell(index.column(), row));
    case Qt::DecorationRole: {
      if (index.column() != kNameColumn || !icons_) return {};
      const QImage picture = icons_(table_.Icon(row));
      if (picture.isNull()) return {};
      return picture;
    }
    case Qt::FontRole:
      if (index.column() == kNameColumn) return GothicFont(12, true);
      return {};
    case Qt::ForegroundRole:
      if (IsIncomeRow(index.row())) return kIncomeText;
      return {};
    case Qt::BackgroundRole:
      if (IsIncomeRow(index.row())) return kIncomeBackground;
      return index.column() == kNameColumn ? kNameBackground : kCellBackground;
    default:
      return {};
  }
}

QVariant CategorySettingsModel::headerData(int section, Qt::Orientation orientation,
                                           int role) const {
  if (orientation == Qt::Horizontal && section >= 0 && section < columnCount()) {
    if (role == Qt::DisplayRole) return ToGlass(table_.Cell(section, 0));
    if (role == Qt::FontRole) return GothicFont(12, section == kNameColumn);
  }
  return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags CategorySettingsModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (!table_.IsLocked(index.column(), TableRow(index.row()))) flags |= Qt::ItemIsEditable;
  return flags;
}

bool CategorySettingsModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !index.isValid()) return false;
  const int row = TableRow(index.row());
  if (table_.IsLocked(index.column(), row)) return false;
  const QString text = value.toString();
  // A text shown and given back unchanged keeps its bytes.
  if (text == ToGlass(table_.Cell(index.column(), row))) return true;
  if (const std::optional<QString> refused = UnstorableCharacter(text)) {
    emit CharacterRefused(*refused);
    return false;
  }
  if (table_.Edit(index.column(), row, FromGlass(text))) {
    // The kind colours the whole row.
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
  }
  return true;
}

void CategorySettingsModel::Replace(CategorySettingsTable table) {
  beginResetModel();
  table_ = std::move(table);
  endResetModel();
}

bool CategorySettingsModel::AddRow() {
  const int row = rowCount();
  if (table_.rows() >= kCategoryRowLimit) return false;
  beginInsertRows(QModelIndex(), row, row);
  table_.AddRow();
  endInsertRows();
  return true;
}

void CategorySettingsModel::InsertRow(int table_row) {
  table_row = std::clamp(table_row, 1, table_.rows());
  const int row = ModelRow(table_row);
  beginInsertRows(QModelIndex(), row, row);
  table_.InsertRow(table_row);
  endInsertRows();
}

CategorySettingsTable::Deletion CategorySettingsModel::DeleteRows(
    const std::vector<int>& table_rows) {
  // From the bottom up, so that the rows still to go keep their places.
  std::vector<int> rows = table_rows;
  std::sort(rows.rbegin(), rows.rend());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  CategorySettingsTable::Deletion deletion;
  for (const int row : rows) {
    if (row < 0 || row >= table_.rows()) continue;
    if (!CategorySettingsTable::IsDeletable(row)) {
      deletion.refused = true;
      continue;
    }
    beginRemoveRows(QModelIndex(), ModelRow(row), ModelRow(row));
    table_.DeleteRows({row});
    endRemoveRows();
    deletion.removed.insert(deletion.removed.begin(), row);
  }
  return deletion;
}

void CategorySettingsModel::MoveRow(int from_table_row, int to_table_row) {
  if (from_table_row == to_table_row || from_table_row < 1 || to_table_row < 1 ||
      from_table_row >= table_.rows() || to_table_row >= table_.rows()) {
    return;
  }
  const int from = ModelRow(from_table_row);
  const int to = ModelRow(to_table_row);
  // Qt names the row before which the moved row goes.
  beginMoveRows(QModelIndex(), from, from, QModelIndex(), to > from ? to + 1 : to);
  table_.MoveRow(from_table_row, to_table_row);
  endMoveRows();
}

void CategorySettingsModel::IconsChanged() {
  if (rowCount() == 0 || columnCount() <= kNameColumn) return;
  emit dataChanged(index(0, kNameColumn), index(rowCount() - 1, kNameColumn), {Qt::DecorationRole});
}

SettingsGridDelegate::SettingsGridDelegate(QObject* parent)
    : EntryGridDelegate(kNameColumn, parent) {}

std::optional<QStringList> SettingsGridDelegate::ListEntries(const QModelIndex& index) const {
  if (index.column() != kKindColumn) return std::nullopt;
  return QStringList{ToGlass(ExpenseKindText()), ToGlass(IncomeKindText())};
}

void SettingsGridDelegate::SetUpLineEditor(QLineEdit& edit, const QModelIndex& index) const {
  edit.setFont(GothicFont(12, index.column() == kNameColumn));
}

SettingsGrid::SettingsGrid(CategorySettingsModel& model, QWidget* parent)
    : EntryGrid(&model, parent), model_(model) {
  delegate_ = new SettingsGridDelegate(this);
  setItemDelegate(delegate_);
  QHeaderView* header = horizontalHeader();
  header->setSectionsMovable(false);
  header->setSectionResizeMode(QHeaderView::Interactive);
  header->setMinimumSectionSize(1);
  header->setStyleSheet(
      QStringLiteral("QHeaderView::section { background-color: rgb(214, 221, 194); color: black;"
                     " border: none; border-right: 1px solid rgb(160, 168, 140);"
                     " border-bottom: 1px solid rgb(160, 168, 140); padding: 0px 2px; }"));
  QPalette colours = palette();
  colours.setColor(QPalette::Base, kCellBackground);
  setPalette(colours);
  setWordWrap(false);
  setTextElideMode(Qt::ElideNone);
  setDragEnabled(false);
  ShowColumnWidths();
}

int SettingsGrid::TableRowAtRememberedPoint() const {
  const int row = RowAtRememberedPoint();
  return row >= 0 ? CategorySettingsModel::TableRow(row) : -1;
}

std::vector<int> SettingsGrid::SelectedTableRows() const {
  std::vector<int> rows;
  for (const QModelIndex& index : SelectedCellsWithCurrent()) {
    rows.push_back(CategorySettingsModel::TableRow(index.row()));
  }
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

void SettingsGrid::InsertEmptyRow(int row) {
  model_.InsertRow(CategorySettingsModel::TableRow(row));
}

void SettingsGrid::StoreColumnWidths() {
  GridTable& grid = model_.table().grid();
  for (int column = 0; column < grid.columns(); ++column) {
    const int width = horizontalHeader()->sectionSize(column);
    const auto shown = static_cast<std::size_t>(column);
    if (shown < shown_widths_.size() && shown_widths_[shown] == width) continue;
    grid.SetColumnWidth(column, width);
  }
}

void SettingsGrid::ShowColumnWidths() {
  const GridTable& grid = model_.table().grid();
  shown_widths_.clear();
  for (int column = 0; column < grid.columns(); ++column) {
    int width = std::max(grid.ColumnWidth(column), 0);
    if (column == kNameColumn) width = std::max(width, NameColumnWidth());
    setColumnWidth(column, width);
    shown_widths_.push_back(width);
  }
}

int SettingsGrid::NameColumnWidth() const {
  int width = 0;
  for (int row = 0; row < model_.rowCount(); ++row) {
    const QModelIndex name = model_.index(row, kNameColumn);
    const QImage picture = name.data(Qt::DecorationRole).value<QImage>();
    const QFontMetrics metrics(name.data(Qt::FontRole).value<QFont>());
    // Where the name begins, its width, a pixel that bold type may add, and the grid line.
    width = std::max(width, NameRect(QRect(), picture.isNull() ? 0 : picture.width()).left() +
                                metrics.horizontalAdvance(name.data().toString()) + 1 +
                                (showGrid() ? 1 : 0));
  }
  return width;
}

void SettingsGrid::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  if ((event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) &&
      (modifiers & Qt::ControlModifier)) {
    QAbstractScrollArea::focusNextPrevChild(event->key() == Qt::Key_Tab &&
                                            !(modifiers & Qt::ShiftModifier));
    return;
  }
  if (InsertRowOnKey(event, Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier)) return;
  EntryGrid::keyPressEvent(event);
}

bool SettingsGrid::focusNextPrevChild(bool next) {
  const QModelIndex current = currentIndex();
  const bool beyond = !current.isValid() || (next ? current.row() == model_.rowCount() - 1 &&
                                                        current.column() == model_.columnCount() - 1
                                                  : current.row() == 0 && current.column() == 0);
  // The view's own step walks the cells; the window's goes on to the buttons.
  return beyond ? QAbstractScrollArea::focusNextPrevChild(next)
                : EntryGrid::focusNextPrevChild(next);
}

void SettingsGrid::mousePressEvent(QMouseEvent* event) {
  drag_row_ = -1;
  dragging_ = false;
  const QPoint point = event->position().toPoint();
  const QModelIndex index = indexAt(point);
  // A press on a cell already selected may drag its row; elsewhere it selects.
  if (event->button() == Qt::LeftButton && index.isValid() && !IsEditing() &&
      selectionModel()->isSelected(index)) {
    drag_row_ = index.row();
    drag_start_ = point;
  }
  EntryGrid::mousePressEvent(event);  // remembers the point
}

void SettingsGrid::mouseMoveEvent(QMouseEvent* event) {
  if (drag_row_ >= 0 && (event->buttons() & Qt::LeftButton)) {
    const QPoint point = event->position().toPoint();
    if (!dragging_ &&
        (point - drag_start_).manhattanLength() >= QApplication::startDragDistance()) {
      dragging_ = true;
      viewport()->setCursor(Qt::SizeVerCursor);
    }
    if (dragging_) {
      drop_row_ = DropRowAt(point);
      viewport()->update();
      return;
    }
  }
  EntryGrid::mouseMoveEvent(event);
}

void SettingsGrid::mouseReleaseEvent(QMouseEvent* event) {
  if (dragging_ && event->button() == Qt::LeftButton) {
    const int from = drag_row_;
    const int to = DropRowAt(event->position().toPoint());
    const int column = currentIndex().isValid() ? currentIndex().column() : 0;
    dragging_ = false;
    drag_row_ = -1;
    drop_row_ = -1;
    viewport()->unsetCursor();
    // The press began as a selection; it ends here instead of in the view's own release.
    stopAutoScroll();
    setState(QAbstractItemView::NoState);
    model_.MoveRow(CategorySettingsModel::TableRow(from), CategorySettingsModel::TableRow(to));
    SetCurrentCell(model_.index(to, column));
    viewport()->update();
    return;
  }
  drag_row_ = -1;
  EntryGrid::mouseReleaseEvent(event);
}

int SettingsGrid::DropRowAt(const QPoint& point) const {
  const int last = model_.rowCount() - 1;
  const int row = rowAt(point.y());
  if (row >= 0) return row;
  return point.y() < 0 ? 0 : last;
}

void SettingsGrid::paintEvent(QPaintEvent* event) {
  EntryGrid::paintEvent(event);
  if (!dragging_ || drop_row_ < 0) return;
  // Where the dragged row will land: a line at the top of that row, or below the last when it
  // goes down.
  const int y = drop_row_ > drag_row_ ? rowViewportPosition(drop_row_) + rowHeight(drop_row_) - 1
                                      : rowViewportPosition(drop_row_);
  QPainter painter(viewport());
  painter.setPen(QPen(kIncomeText, 2));
  painter.drawLine(0, y, viewport()->width(), y);
}

}  // namespace purselog
