#include "ui/main/day_grid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>
#include <algorithm>

#include "ui/common/glass.h"
#include "ui/common/grid_cells.h"

namespace purselog {

namespace {

constexpr int kColumnWidths[kDayPageColumns] = {80, 80, 80, 132};
// A title click this close to a column border resizes instead of sorting.
constexpr int kResizeMargin = 4;
}  // namespace

DayGridDelegate::DayGridDelegate(const CategoryTable& categories, DayPageModel& model,
                                 QObject* parent)
    : EntryGridDelegate(kCategoryColumn, parent), categories_(categories), model_(model) {}

std::optional<QStringList> DayGridDelegate::ListEntries(const QModelIndex& index) const {
  const DayRow& row = model_.page()[static_cast<std::size_t>(index.row())];
  const std::vector<std::string>* entries = nullptr;
  if (index.column() == kCategoryColumn) {
    entries = &categories_.names();
  } else if (index.column() == kDescriptionColumn) {
    const int k = categories_.FindCategory(row[kCategoryColumn]);
    if (k >= 0) entries = &categories_.DescriptionList(k);
  }
  if (entries == nullptr) return std::nullopt;
  QStringList texts;
  for (const std::string& entry : *entries) texts << ToGlass(entry);
  return texts;
}

void DayGridDelegate::SetUpLineEditor(QLineEdit& edit, const QModelIndex& index) const {
  if (index.column() == kAmountColumn) edit.setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void DayGridDelegate::StoreText(QAbstractItemModel&, const QModelIndex& index,
                                const QString& text) const {
  const auto result = model_.Edit(index.row(), index.column(), text);
  if (result == DayPageModel::EditResult::kRefusedAmount && !quiet_refusal_) {
    emit AmountRefused(index);
  }
}

bool DayGridDelegate::eventFilter(QObject* watched, QEvent* event) {
  auto* editor = qobject_cast<QWidget*>(watched);
  auto* list = qobject_cast<ListCellEditor*>(editor);
  if (event->type() == QEvent::ShortcutOverride &&
      static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
    // Ctrl+V is the window's paste command, also while a cell is being edited: the editor
    // does not claim the key, so the window's shortcut takes it.
    return true;
  }
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    // An open drop-down list takes Enter for itself.
    if (enter && editor != nullptr && (list == nullptr || !list->ListOpen())) {
      emit commitData(editor);
      emit closeEditor(editor, QAbstractItemDelegate::NoHint);
      emit EnterPressed();
      return true;
    }
  }
  return EntryGridDelegate::eventFilter(watched, event);
}

DayGrid::DayGrid(const CategoryTable& categories, DayPageModel& model, QWidget* parent)
    : EntryGrid(&model, parent), model_(model) {
  delegate_ = new DayGridDelegate(categories, model_, this);
  setItemDelegate(delegate_);
  for (int column = 0; column < kDayPageColumns; ++column) {
    setColumnWidth(column, kColumnWidths[column]);
  }
  horizontalHeader()->setSortIndicatorShown(true);
  horizontalHeader()->setSortIndicator(sort_column_, sort_order_);
  horizontalHeader()->viewport()->installEventFilter(this);

  connect(delegate_, &DayGridDelegate::AmountRefused, this, &DayGrid::ReopenRefused);
  connect(delegate_, &DayGridDelegate::EnterPressed, this, &DayGrid::MoveToNextCell);
}

void DayGrid::set_command_runner(const CommandRunner& runner) {
  runner_ = runner;
  delegate_->set_command_runner(runner);
}

void DayGrid::StartPage() {
  SetCurrentCell(model_.index(0, kCategoryColumn));
  setFocus(Qt::OtherFocusReason);
}

void DayGrid::CommitOpenEdit() {
  delegate_->set_quiet_refusal(true);
  EntryGrid::CommitOpenEdit();
  delegate_->set_quiet_refusal(false);
}

void DayGrid::InsertEmptyRow(int row) { model_.InsertEmptyRow(row); }

void DayGrid::DeleteSelectedRow() {
  CommitOpenEdit();
  int lowest = -1;
  for (const QModelIndex& index : SelectedCellsWithCurrent()) {
    if (index.column() >= kDescriptionColumn) lowest = std::max(lowest, index.row());
  }
  if (lowest < 0) return;
  const int column = currentIndex().isValid() ? currentIndex().column() : 0;
  model_.DeleteRow(lowest);
  SetCurrentCell(model_.index(std::min(lowest, model_.rowCount() - 1), column));
}

void DayGrid::AppendRowAndFocus() {
  model_.InsertEmptyRow(model_.rowCount());
  SetCurrentCell(model_.index(model_.rowCount() - 1, kCategoryColumn));
}

void DayGrid::NewRow() {
  CommitOpenEdit();
  AppendRowAndFocus();
  setFocus();
}

void DayGrid::DeleteRememberedRow() {
  CommitOpenEdit();
  const int row = RowAtRememberedPoint();
  if (row >= 0) model_.DeleteRow(row);
}

void DayGrid::MoveToNextCell() {
  const QModelIndex current = currentIndex();
  if (!current.isValid()) return;
  if (current.column() < kDayPageColumns - 1) {
    SetCurrentCell(model_.index(current.row(), current.column() + 1));
  } else if (current.row() < model_.rowCount() - 1) {
    SetCurrentCell(model_.index(current.row() + 1, 0));
  } else {
    AppendRowAndFocus();
  }
}

void DayGrid::SortByTitle(int column) {
  if (model_.rowCount() < 2 || column < 0 || column >= kDayPageColumns) return;
  if (column == sort_column_) {
    sort_order_ = sort_order_ == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
  } else {
    sort_column_ = column;
    sort_order_ = Qt::AscendingOrder;
  }
  model_.SortRows(sort_column_, sort_order_);
  horizontalHeader()->setSortIndicator(sort_column_, sort_order_);
}

void DayGrid::keyPressEvent(QKeyEvent* event) {
  runner_([&] { HandleKey(event); });
}

void DayGrid::HandleKey(QKeyEvent* event) {
  // Insert with no modifier but the keypad's.
  if (InsertRowOnKey(event, ~Qt::KeyboardModifiers(Qt::KeypadModifier))) return;
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  if (!IsEditing()) {
    switch (event->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
        if (modifiers == Qt::NoModifier) {
          MoveToNextCell();
          return;
        }
        break;
      case Qt::Key_Delete:
        if (!(modifiers & Qt::AltModifier) && currentIndex().isValid()) {
          const int row = currentIndex().row();
          const int column = currentIndex().column();
          model_.DeleteRow(row);
          SetCurrentCell(model_.index(std::min(row, model_.rowCount() - 1), column));
          return;
        }
        break;
      default:
        break;
    }
  }
  // The grid's own clipboard keys are off; Ctrl+V belongs to the window.
  if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Cut) ||
      event->matches(QKeySequence::Paste)) {
    event->ignore();
    return;
  }
  EntryGrid::keyPressEvent(event);
}

void DayGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  RememberPoint(event);
  const QPoint point = remembered_point();
  const int last = model_.rowCount() - 1;
  const int bottom = rowViewportPosition(last) + rowHeight(last);
  if (!indexAt(point).isValid() && point.y() >= bottom) {
    AppendRowAndFocus();
    return;
  }
  EntryGrid::mouseDoubleClickEvent(event);
}

bool DayGrid::eventFilter(QObject* watched, QEvent* event) {
  if (watched == horizontalHeader()->viewport()) {
    if (event->type() == QEvent::MouseButtonPress) {
      title_pressed_ = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    } else if (event->type() == QEvent::MouseButtonRelease) {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      const bool pressed = title_pressed_;
      title_pressed_ = false;
      if (pressed && mouse->button() == Qt::LeftButton) {
        QHeaderView* header = horizontalHeader();
        const int x = mouse->position().toPoint().x();
        const int column = header->logicalIndexAt(x);
        if (column >= 0) {
          const int left = header->sectionViewportPosition(column);
          const int right = left + header->sectionSize(column);
          if (x - left > kResizeMargin && right - x > kResizeMargin) SortByTitle(column);
        }
      }
    }
  }
  return EntryGrid::eventFilter(watched, event);
}

void DayGrid::ReopenRefused(const QModelIndex& index) {
  const QPersistentModelIndex target(index);
  QTimer::singleShot(0, this, [this, target] {
    if (!target.isValid()) return;
    SetCurrentCell(target);
    edit(target);
  });
}

}  // namespace purselog
