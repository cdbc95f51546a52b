#include "ui/common/entry_grid.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <limits>

#include "ui/common/grid_cells.h"
#include "ui/common/look.h"

namespace purselog {

namespace {

constexpr int kRowHeight = 21;

}  // namespace

EntryGridDelegate::EntryGridDelegate(int picture_column, QObject* parent)
    : QStyledItemDelegate(parent), picture_column_(picture_column) {}

QWidget* EntryGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                         const QModelIndex& index) const {
  if (const std::optional<QStringList> entries = ListEntries(index)) {
    auto* list = new ListCellEditor(parent, *entries, open_lists_);
    list->EndEditOnChoice(const_cast<EntryGridDelegate*>(this));
    return list;
  }
  auto* edit = new QLineEdit(parent);
  edit->setFrame(false);
  // A cell may be longer than a line editor holds by default; opening it must not cut it.
  edit->setMaxLength(std::numeric_limits<int>::max());
  edit->setFont(GothicFont(12));
  SetUpLineEditor(*edit, index);
  return edit;
}

void EntryGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  const QString text = index.data(Qt::EditRole).toString();
  if (auto* list = qobject_cast<ListCellEditor*>(editor)) {
    list->Preselect(text);  // the entry equal to the cell, or the first one
    return;
  }
  if (auto* edit = qobject_cast<QLineEdit*>(editor)) edit->setText(text);
}

void EntryGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                     const QModelIndex& index) const {
  if (auto* list = qobject_cast<ListCellEditor*>(editor)) {
    if (list->chosen() && list->currentIndex() >= 0) {
      runner_([&] { model->setData(index, list->currentText(), Qt::EditRole); });
    }
    return;
  }
  if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
    runner_([&] { StoreText(*model, index, edit->text()); });
  }
}

void EntryGridDelegate::StoreText(QAbstractItemModel& model, const QModelIndex& index,
                                  const QString& text) const {
  model.setData(index, text, Qt::EditRole);
}

void EntryGridDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                             const QModelIndex&) const {
  editor->setGeometry(option.rect);
}

void EntryGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
  if (index.column() != picture_column_) {
    QStyledItemDelegate::paint(painter, option, index);
    return;
  }
  QStyleOptionViewItem cell = option;
  initStyleOption(&cell, index);
  PaintPictureAndName(painter, cell, index);
}

EntryGrid::EntryGrid(QAbstractItemModel* model, QWidget* parent) : QTableView(parent) {
  setModel(model);
  setFont(GothicFont(12));
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(kRowHeight);
  QHeaderView* header = horizontalHeader();
  header->setFont(GothicFont(12));
  header->setFixedHeight(kRowHeight);
  header->setHighlightSections(false);
  header->setSectionsClickable(false);
  header->setStretchLastSection(false);
  header->setDefaultAlignment(Qt::AlignCenter);
  setShowGrid(true);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
  setIconSize(QSize(18, 16));
  setContextMenuPolicy(Qt::CustomContextMenu);
  setTabKeyNavigation(true);
}

void EntryGrid::SetCurrentCell(const QModelIndex& index) {
  selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
}

QModelIndexList EntryGrid::SelectedCellsWithCurrent() const {
  QModelIndexList cells = selectionModel()->selectedIndexes();
  if (currentIndex().isValid()) cells.push_back(currentIndex());
  return cells;
}

QModelIndex EntryGrid::LastSelectedCell() const {
  QModelIndex last;
  for (const QModelIndex& index : SelectedCellsWithCurrent()) {
    if (!last.isValid() || index.row() > last.row() ||
        (index.row() == last.row() && index.column() > last.column())) {
      last = index;
    }
  }
  return last;
}

void EntryGrid::CommitOpenEdit() {
  if (!IsEditing()) return;
  QWidget* editor = indexWidget(currentIndex());
  if (editor == nullptr) return;
  commitData(editor);
  closeEditor(editor, QAbstractItemDelegate::NoHint);
}

int EntryGrid::RowAtRememberedPoint() const {
  const QModelIndex index = indexAt(remembered_point_);
  return index.isValid() ? index.row() : -1;
}

bool EntryGrid::InsertRowOnKey(const QKeyEvent* event, Qt::KeyboardModifiers refusing) {
  if (event->key() != Qt::Key_Insert || IsEditing() || (event->modifiers() & refusing)) {
    return false;
  }
  const QModelIndex current = currentIndex();
  const int row = current.isValid() ? current.row() : 0;
  const int column = current.isValid() ? current.column() : 0;
  InsertEmptyRow(row);
  SetCurrentCell(model()->index(row, column));
  return true;
}

void EntryGrid::RememberPoint(const QMouseEvent* event) {
  remembered_point_ = event->position().toPoint();
}

void EntryGrid::mousePressEvent(QMouseEvent* event) {
  RememberPoint(event);
  QTableView::mousePressEvent(event);
}

}  // namespace purselog
