#include "ui/common/grid_cells.h"

#include <QAbstractItemDelegate>
#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionViewItem>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>

#include "ui/common/look.h"

namespace purselog {

ListCellEditor::ListCellEditor(QWidget* parent, const QStringList& entries, bool open_now)
    : QComboBox(parent) {
  setEditable(false);
  setFont(GothicFont(12));
  addItems(entries);
  // The open list marks a choice before the combo box reports it (as activated).
  view()->installEventFilter(this);
  view()->viewport()->installEventFilter(this);
  connect(this, &QComboBox::activated, this, [this] {
    if (chosen_) emit Chosen();
  });
  if (open_now) QTimer::singleShot(0, this, [this] { showPopup(); });
}

void ListCellEditor::Preselect(const QString& text) {
  setCurrentIndex(std::max(findText(text, Qt::MatchExactly), 0));
}

void ListCellEditor::EndEditOnChoice(QAbstractItemDelegate* delegate) {
  connect(this, &ListCellEditor::Chosen, delegate, [this, delegate] {
    emit delegate->commitData(this);
    emit delegate->closeEditor(this, QAbstractItemDelegate::NoHint);
  });
}

bool ListCellEditor::ListOpen() const { return view()->isVisible(); }

bool ListCellEditor::eventFilter(QObject* watched, QEvent* event) {
  if (watched == view() || watched == view()->viewport()) {
    bool choice = event->type() == QEvent::MouseButtonRelease;
    // The list takes Enter already when it is offered as a shortcut.
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      choice = key == Qt::Key_Return || key == Qt::Key_Enter;
    }
    if (choice) chosen_ = true;
  }
  return QComboBox::eventFilter(watched, event);
}

void ListCellEditor::keyPressEvent(QKeyEvent* event) {
  if (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) {
    QComboBox::keyPressEvent(event);
    return;
  }
  switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_F4:
    case Qt::Key_Space:
      showPopup();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      QComboBox::keyPressEvent(event);
      return;
    default:
      // Page keys, Home, End and typed letters (the combo box's own search) change nothing.
      event->accept();
      return;
  }
}

void ListCellEditor::wheelEvent(QWheelEvent* event) { event->accept(); }

QRect NameRect(const QRect& cell, int picture_width) {
  return cell.adjusted(picture_width + 1, 0, 0, 0);
}

void PaintPictureAndName(QPainter* painter, QStyleOptionViewItem cell, const QModelIndex& index) {
  const QString text = cell.text;
  const QRect rect = cell.rect;
  // The background, selection and focus as the style draws them, without picture and text.
  cell.text.clear();
  cell.icon = QIcon();
  cell.features &= ~QStyleOptionViewItem::HasDecoration;
  const QWidget* widget = cell.widget;
  QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
  style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);

  painter->save();
  painter->setClipRect(rect);
  const QImage picture = index.data(Qt::DecorationRole).value<QImage>();
  if (!picture.isNull()) {
    const int top = rect.top() + (rect.height() - picture.height()) / 2;
    painter->drawImage(rect.left(), top, picture);
  }
  const bool selected = cell.state & QStyle::State_Selected;
  QColor colour =
      selected ? cell.palette.color(QPalette::HighlightedText) : cell.palette.color(QPalette::Text);
  const QVariant foreground = index.data(Qt::ForegroundRole);
  if (!selected && foreground.canConvert<QColor>()) colour = foreground.value<QColor>();
  painter->setPen(colour);
  painter->setFont(cell.font);
  painter->drawText(NameRect(rect, picture.isNull() ? 0 : picture.width()),
                    Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
  painter->restore();
}

}  // namespace purselog
