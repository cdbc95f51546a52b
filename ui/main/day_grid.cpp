#include "ui/main/day_grid.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <limits>

#include "ui/common/glass.h"
#include "ui/common/look.h"

namespace purselog {

namespace {

constexpr int kRowHeight = 21;
constexpr int kColumnWidths[kDayPageColumns] = {80, 80, 80, 132};
// A title click this close to a column border resizes instead of sorting.
constexpr int kResizeMargin = 4;
const char* const kChosenProperty = "purselogChosen";

// Watches the list of a drop-down editor (its view and the view's viewport) and marks the editor
// when the user chooses an entry there.
class ListChoiceWatcher : public QObject {
 public:
  explicit ListChoiceWatcher(QComboBox* list) : QObject(list), list_(list) {}

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    bool chosen = event->type() == QEvent::MouseButtonRelease;
    // The list takes Enter already when it is offered as a shortcut.
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      chosen = key == Qt::Key_Return || key == Qt::Key_Enter;
    }
    if (chosen) list_->setProperty(kChosenProperty, true);
    return false;
  }

 private:
  QComboBox* list_;
};

// Keys a closed drop-down editor would use to step through its entries, which would change the
// cell without a choice: the page keys turn the page instead (on release, by the window), the
// arrow keys open the list.
enum class ClosedListKey { kPass, kSwallow, kOpenList };

ClosedListKey ClassifyClosedListKey(const QKeyEvent& key) {
  if (key.modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return ClosedListKey::kPass;
  switch (key.key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_F4:
    case Qt::Key_Space:
      return ClosedListKey::kOpenList;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return ClosedListKey::kPass;
    default:
      // Page keys, Home, End and typed letters (the combo box's own search) change nothing.
      return ClosedListKey::kSwallow;
  }
}

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
  auto* list = new QComboBox(parent);
  list->setEditable(false);
  list->setFont(GothicFont(12));
  for (const std::string& entry : *entries) list->addItem(ToGlass(entry));
  list->setProperty(kChosenProperty, false);
  // Only a choice in the open list (a click on an entry, or Enter there) changes the cell; the
  // list marks it before the combo box reports it.
  list->view()->installEventFilter(new ListChoiceWatcher(list));
  list->view()->viewport()->installEventFilter(new ListChoiceWatcher(list));
  // Choosing an entry ends the edit, as picking from a drop-down list does.
  auto* self = const_cast<DayGridDelegate*>(this);
  connect(list, &QComboBox::activated, self, [self, list] {
    if (!list->property(kChosenProperty).toBool()) return;
    emit self->commitData(list);
    emit self->closeEditor(list, QAbstractItemDelegate::NoHint);
  });
  if (open_lists_) QTimer::singleShot(0, list, [list] { list->showPopup(); });
  return list;
}

void DayGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  const QString text = index.data(Qt::EditRole).toString();
  if (auto* list = qobject_cast<QComboBox*>(editor)) {
    // The entry equal to the cell, or the first one.
    list->setCurrentIndex(std::max(list->findText(text, Qt::MatchExactly), 0));
    return;
  }
  if (auto* edit = qobject_cast<QLineEdit*>(editor)) edit->setText(text);
}

void DayGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                   const QModelIndex& index) const {
  if (auto* list = qobject_cast<QComboBox*>(editor)) {
    // Only an entry the user chose changes the cell.
    if (list->property(kChosenProperty).toBool() && list->currentIndex() >= 0) {
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
  auto* list = qobject_cast<QComboBox*>(editor);
  const bool list_closed = list != nullptr && !list->view()->isVisible();
  if (event->type() == QEvent::ShortcutOverride &&
      static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
    // Ctrl+V is the window's paste command, also while a cell is being edited: the editor
    // does not claim the key, so the window's shortcut takes it.
    return true;
  }
  if (event->type() == QEvent::Wheel && list_closed) return true;
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (list_closed) {
      switch (ClassifyClosedListKey(*key)) {
        case ClosedListKey::kSwallow:
          return true;
        case ClosedListKey::kOpenList:
          list->showPopup();
          return true;
        case ClosedListKey::kPass:
          break;
      }
    }
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    // An open drop-down list takes Enter for itself.
    if (enter && editor != nullptr && (list == nullptr || list_closed)) {
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
  const QString text = cell.text;
  // The background, selection and focus as the style draws them, without icon and text.
  cell.text.clear();
  cell.icon = QIcon();
  cell.features &= ~QStyleOptionViewItem::HasDecoration;
  const QWidget* widget = option.widget;
  QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
  style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);

  painter->save();
  painter->setClipRect(option.rect);
  const QImage picture = index.data(Qt::DecorationRole).value<QImage>();
  if (!picture.isNull()) {
    const int top = option.rect.top() + (option.rect.height() - picture.height()) / 2;
    painter->drawImage(option.rect.left(), top, picture);
  }
  const bool selected = option.state & QStyle::State_Selected;
  QColor colour = selected ? option.palette.color(QPalette::HighlightedText)
                           : option.palette.color(QPalette::Text);
  const QVariant foreground = index.data(Qt::ForegroundRole);
  if (!selected && foreground.canConvert<QColor>()) colour = foreground.value<QColor>();
  painter->setPen(colour);
  painter->setFont(cell.font);
  painter->drawText(NameRect(option.rect, picture.isNull() ? 0 : picture.width()),
                    Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
  painter->restore();
}

QRect DayGridDelegate::NameRect(const QRect& cell, int icon_width) {
  return cell.adjusted(icon_width + 1, 0, 0, 0);
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
