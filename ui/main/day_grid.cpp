#include "ui/main/day_grid.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <limits>

#include "ui/common/glass.h"
#include "ui/common/grid_cells.h"
#include "ui/common/look.h"

namespace purselog {

namespace {

constexpr int kRowHeight = 21;
constexpr int kColumnWidths[kDayPageColumns] = {80, 80, 80, 132};
// A title click this close to a column border resizes instead of sorting.
constexpr int kResizeMargin = 4;
}  // namespace

DayGridDelegate::DayGridDelegate(const CategoryTable& categories, DayPageModel& model,
                                 QObject* parent)
    : QStyledItemDelegate(parent), categories_(categories), model_(model) {}

QWidget* DayGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                       const QModelIndex& index) const {
  const DayRow& row = model_.page()[static_cast<std::size_t>(index.row())];
  const std::vector<std::string>* entries = nullptr;
  if (index.column() == kCategoryColumn) {
    entries = &categories_.names();
  } else if (index.column() == kDescriptionColumn) {
    const int k = categories_.FindCategory(row[kCategoryColumn]);
    if (k >= 0) entries = &categories_.DescriptionList(k);
  }
  if (entries == nullptr) {
    auto* edit = new QLineEdit(parent);
    edit->setFrame(false);
    // A cell may be longer than a line editor holds by default; opening it must not cut it.
    edit->setMaxLength(std::numeric_limits<int>::max());
    edit->setFont(GothicFont(12));
    if (index.column() == kAmountColumn) edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return edit;
  }
  QStringList texts;
  for (const std::string& entry : *entries) texts << ToGlass(entry);
  auto* list = new ListCellEditor(parent, texts, open_lists_);
  list->EndEditOnChoice(const_cast<DayGridDelegate*>(this));
  return list;
}

void DayGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  const QString text = index.data(Qt::EditRole).toString();
  if (auto* list = qobject_cast<ListCellEditor*>(editor)) {
    list->Preselect(text);  // the entry equal to the cell, or the first one
    return;
  }
  if (auto* edit = qobject_cast<QLineEdit*>(editor)) edit->setText(text);
}

void DayGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                   const QModelIndex& index) const {
  if (auto* list = qobject_cast<ListCellEditor*>(editor)) {
    // Only an entry the user chose changes the cell.
    if (list->chosen() && list->currentIndex() >= 0) {
      runner_([&] { model->setData(index, list->currentText(), Qt::EditRole); });
    }
    return;
  }
  auto* edit = qobject_cast<QLineEdit*>(editor);
  if (edit == nullptr) return;
  runner_([&] {
    const auto result = model_.Edit(index.row(), index.column(), edit->text());
    if (result == DayPageModel::EditResult::kRefusedAmount && !quiet_refusal_) {
      emit AmountRefused(index);
    }
  });
}

void DayGridDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                           const QModelIndex&) const {
  editor->setGeometry(option.rect);
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
  return QStyledItemDelegate::eventFilter(watched, event);
}

DayGrid::DayGrid(const CategoryTable& categories, DayPageModel& model, QWidget* parent)
    : QTableView(parent), model_(model) {
  setModel(&model_);
  delegate_ = new DayGridDelegate(categories, model_, this);
  setItemDelegate(delegate_);
  setFont(GothicFont(12));
  horizontalHeader()->setFont(GothicFont(12));
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(kRowHeight);
  horizontalHeader()->setFixedHeight(kRowHeight);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setSectionsClickable(false);
  horizontalHeader()->setStretchLastSection(false);
  horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
  for (int column = 0; column < kDayPageColumns; ++column) {
    setColumnWidth(column, kColumnWidths[column]);
  }
  horizontalHeader()->setSortIndicatorShown(true);
  horizontalHeader()->setSortIndicator(sort_column_, sort_order_);
  horizontalHeader()->viewport()->installEventFilter(this);
  setShowGrid(true);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
  setIconSize(QSize(18, 16));
  setContextMenuPolicy(Qt::CustomContextMenu);
  setTabKeyNavigation(true);

  connect(delegate_, &DayGridDelegate::AmountRefused, this, &DayGrid::ReopenRefused);
  connect(delegate_, &DayGridDelegate::EnterPressed, this, &DayGrid::MoveToNextCell);
}

void DayGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
  if (index.column() != kCategoryColumn) {
    QStyledItemDelegate::paint(painter, option, index);
    return;
  }
  QStyleOptionViewItem cell = option;
  initStyleOption(&cell, index);
  PaintPictureAndName(painter, cell, index);
}

int DayGrid::RowAtRememberedPoint() const {
  const QModelIndex index = indexAt(remembered_point_);
  return index.isValid() ? index.row() : -1;
}

void DayGrid::set_command_runner(const CommandRunner& runner) {
  runner_ = runner;
  delegate_->set_command_runner(runner);
}

void DayGrid::SetCurrentCell(const QModelIndex& index) {
  selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
}

QModelIndexList DayGrid::SelectedCellsWithCurrent() const {
  QModelIndexList cells = selectionModel()->selectedIndexes();
  if (currentIndex().isValid()) cells.push_back(currentIndex());
  return cells;
}

void DayGrid::StartPage() {
  SetCurrentCell(model_.index(0, kCategoryColumn));
  setFocus(Qt::OtherFocusReason);
}

void DayGrid::CommitOpenEdit() {
  if (state() != QAbstractItemView::EditingState) return;
  QWidget* editor = indexWidget(currentIndex());
  if (editor == nullptr) return;
  delegate_->set_quiet_refusal(true);
  commitData(editor);
  closeEditor(editor, QAbstractItemDelegate::NoHint);
  delegate_->set_quiet_refusal(false);
}

void DayGrid::AppendRowAndFocus() {
  model_.InsertEmptyRow(model_.rowCount());
  SetCurrentCell(model_.index(model_.rowCount() - 1, kCategoryColumn));
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
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  if (state() != QAbstractItemView::EditingState) {
    switch (event->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
        if (modifiers == Qt::NoModifier) {
          MoveToNextCell();
          return;
        }
        break;
      case Qt::Key_Insert:
        if (modifiers == Qt::NoModifier) {
          const int row = currentIndex().isValid() ? currentIndex().row() : 0;
          const int column = currentIndex().isValid() ? currentIndex().column() : 0;
          model_.InsertEmptyRow(row);
          SetCurrentCell(model_.index(row, column));
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
  QTableView::keyPressEvent(event);
}

void DayGrid::mousePressEvent(QMouseEvent* event) {
  remembered_point_ = event->position().toPoint();
  QTableView::mousePressEvent(event);
}

void DayGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  remembered_point_ = event->position().toPoint();
  const int last = model_.rowCount() - 1;
  const int bottom = rowViewportPosition(last) + rowHeight(last);
  if (!indexAt(remembered_point_).isValid() && remembered_point_.y() >= bottom) {
    AppendRowAndFocus();
    return;
  }
  QTableView::mouseDoubleClickEvent(event);
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
  return QTableView::eventFilter(watched, event);
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
