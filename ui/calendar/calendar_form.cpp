#include "ui/calendar/calendar_form.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolButton>
#include <algorithm>

#include "core/calendar_layout.h"
#include "core/date_format.h"
#include "ui/common/command.h"
#include "ui/common/glass.h"
#include "ui/common/look.h"
#include "ui/common/resources.h"
#include "ui/common/skin.h"

namespace purselog {

namespace {

constexpr int kWidth = 260;
constexpr int kHeight = 240;
constexpr int kGridLineWidth = 1;
// The grid's client area holds seven cells of 32 × 20 and their grid lines.
const QRect kGridGeometry(13, 44, 7 * 33 + 2, 7 * 21 + 2);

}  // namespace

void CalendarCellDelegate::initStyleOption(QStyleOptionViewItem* option,
                                           const QModelIndex& index) const {
  QStyledItemDelegate::initStyleOption(option, index);
  option->state |= QStyle::State_Enabled;
  if (index.data(Qt::ForegroundRole).isValid()) {
    option->palette.setBrush(QPalette::HighlightedText, option->palette.brush(QPalette::Text));
  }
}

TCalendarR::TCalendarR(Host& host, QWidget* parent)
    : QTableWidget(kCalendarRows, kCalendarColumns, parent),
      host_(host),
      calendar_date_(host.Today()) {
  setFont(GothicFont(12));
  bold_font_ = font();
  bold_font_.setBold(true);
  setItemDelegate(new CalendarCellDelegate(this));
  horizontalHeader()->hide();
  verticalHeader()->hide();
  horizontalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setMinimumSectionSize(1);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  setAutoScroll(false);
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setLineWidth(1);
  QPalette frame = palette();
  frame.setColor(QPalette::WindowText, QColor(128, 128, 128));  // the plain frame's colour
  setPalette(frame);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setTabKeyNavigation(false);
  setDragEnabled(false);
  heading_color_ = palette().color(QPalette::Button);
  for (int row = 0; row < kCalendarRows; ++row) {
    for (int column = 0; column < kCalendarColumns; ++column) {
      auto* item = new QTableWidgetItem;
      item->setTextAlignment(Qt::AlignCenter);
      item->setFlags(Qt::NoItemFlags);
      setItem(row, column, item);
    }
  }
  Layout();
}

void TCalendarR::SetCalendarDate(const Date& date) {
  calendar_date_ = date;
  Layout();
  emit CalendarDateChanged(calendar_date_);
}

void TCalendarR::SetStartOfWeek(int start_of_week) {
  start_of_week_ = ((start_of_week % 7) + 7) % 7;
  Layout();
}

void TCalendarR::SetTodayColor(const QColor& color) {
  today_color_ = color;
  Layout();
}

void TCalendarR::SetColors(const QColor& background, const QColor& heading) {
  QPalette palette = this->palette();
  palette.setColor(QPalette::Base, background);
  setPalette(palette);
  heading_color_ = heading;
  for (int column = 0; column < kCalendarColumns; ++column) {
    item(0, column)->setBackground(heading_color_);
  }
}

unsigned TCalendarR::DayAt(int row, int column) const {
  const QTableWidgetItem* cell = item(row, column);
  if (row < 1 || cell == nullptr) return 0;
  return cell->text().toUInt();
}

bool TCalendarR::IsTodayCell(int row, int column) const {
  const QTableWidgetItem* cell = item(row, column);
  return cell != nullptr && cell->data(Qt::ForegroundRole).isValid();
}

bool TCalendarR::IsDayCell(const QModelIndex& index) const {
  return index.isValid() && DayAt(index.row(), index.column()) != 0;
}

bool TCalendarR::IsDayCellAt(const QPoint& point) const { return IsDayCell(indexAt(point)); }

void TCalendarR::Layout() {
  laying_out_ = true;
  const MonthLayout layout(YearOf(calendar_date_), MonthOf(calendar_date_), start_of_week_);
  const Date today = host_.Today();
  for (int column = 0; column < kCalendarColumns; ++column) {
    QTableWidgetItem* heading = item(0, column);
    heading->setText(ToGlass(ShortWeekdayName(layout.WeekdayOfColumn(column))));
    heading->setBackground(heading_color_);
  }
  for (int row = 1; row < kCalendarRows; ++row) {
    for (int column = 0; column < kCalendarColumns; ++column) {
      QTableWidgetItem* cell = item(row, column);
      const unsigned day = layout.DayAt(column, row);
      const bool is_today = day != 0 && MakeDate(layout.year(), layout.month(), day) == today;
      cell->setText(day == 0 ? QString() : QString::number(day));
      cell->setFlags(day == 0 ? Qt::NoItemFlags : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
      cell->setData(Qt::FontRole, is_today ? QVariant(bold_font_) : QVariant());
      cell->setData(Qt::ForegroundRole, is_today ? QVariant(QBrush(today_color_)) : QVariant());
    }
  }
  const CalendarCell cell = layout.CellOf(DayOf(calendar_date_));
  setCurrentIndex(model()->index(cell.row, cell.column));
  viewport()->update();
  laying_out_ = false;
}

QModelIndex TCalendarR::moveCursor(CursorAction action, Qt::KeyboardModifiers) {
  const QModelIndex current = currentIndex();
  if (!current.isValid()) return current;
  int row = current.row();
  int column = current.column();
  switch (action) {
    case MoveUp:
      --row;
      break;
    case MoveDown:
      ++row;
      break;
    case MoveLeft:
      --column;
      break;
    case MoveRight:
      ++column;
      break;
    default:
      return current;
  }
  const QModelIndex target = model()->index(row, column);
  return IsDayCell(target) ? target : current;
}

void TCalendarR::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableWidget::currentChanged(current, previous);
  if (laying_out_ || !IsDayCell(current)) return;
  const unsigned day = DayAt(current.row(), current.column());
  if (day == DayOf(calendar_date_)) return;
  SetCalendarDate(MakeDate(YearOf(calendar_date_), MonthOf(calendar_date_), day));
}

// Typing does not jump to cells: the cursor moves by arrow keys and clicks only.
void TCalendarR::keyboardSearch(const QString&) {}

void TCalendarR::mousePressEvent(QMouseEvent* event) {
  if (IsDayCellAt(event->position().toPoint())) QTableWidget::mousePressEvent(event);
}

void TCalendarR::mouseMoveEvent(QMouseEvent* event) {
  if (IsDayCellAt(event->position().toPoint())) QTableWidget::mouseMoveEvent(event);
}

void TCalendarR::mouseReleaseEvent(QMouseEvent* event) {
  if (IsDayCellAt(event->position().toPoint())) QTableWidget::mouseReleaseEvent(event);
}

void TCalendarR::mouseDoubleClickEvent(QMouseEvent* event) {
  if (!IsDayCellAt(event->position().toPoint())) return;
  QTableWidget::mouseDoubleClickEvent(event);
  if (event->button() == Qt::LeftButton) emit DayDoubleClicked();
}

void TCalendarR::resizeEvent(QResizeEvent* event) {
  QTableWidget::resizeEvent(event);
  ResizeCells();
}

// A section holds its cell and the grid line after it; the last section gives up its line
// when the width runs short, so that the grid never scrolls.
void TCalendarR::ResizeCells() {
  const QSize area = viewport()->size();
  const int width = CalendarCellSize(area.width(), kGridLineWidth, kCalendarColumns);
  const int height = CalendarCellSize(area.height(), kGridLineWidth, kCalendarRows);
  for (int column = 0; column < kCalendarColumns; ++column) {
    const int used = (kCalendarColumns - 1) * (width + kGridLineWidth);
    setColumnWidth(column,
                   column < kCalendarColumns - 1
                       ? width + kGridLineWidth
                       : std::max(1, std::min(width + kGridLineWidth, area.width() - used)));
  }
  for (int row = 0; row < kCalendarRows; ++row) {
    const int used = (kCalendarRows - 1) * (height + kGridLineWidth);
    setRowHeight(row, row < kCalendarRows - 1
                          ? height + kGridLineWidth
                          : std::max(1, std::min(height + kGridLineWidth, area.height() - used)));
  }
}

Tcalendarform::Tcalendarform(Host& host, QWidget* parent, const QTableView* colours_of)
    : SkinnedDialog(parent, "calendarform", QStringLiteral("カレンダー"), QSize(kWidth, kHeight),
                    Placement::kCentredAtEachShowing),
      start_date_(host.Today()) {
  label1_ = MakeTitleLabel(this, "Label1", QString(), QRect(10, 3, 170, 17));

  label2_ = new QLabel(QStringLiteral("赤太字：今日"), this);
  label2_->setObjectName(QStringLiteral("Label2"));
  label2_->setGeometry(kGridGeometry.right() - 100, 25, 101, 17);
  label2_->setFont(GothicFont(12, true));
  label2_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  QPalette marker = label2_->palette();
  marker.setColor(QPalette::WindowText, QColor(255, 0, 0));
  label2_->setPalette(marker);

  cal_ = new TCalendarR(host, this);
  cal_->setObjectName(QStringLiteral("cal"));
  cal_->setGeometry(kGridGeometry);
  cal_->SetTodayColor(QColor(255, 0, 0));
  if (colours_of != nullptr) CopyGridColors(*colours_of);
  ConnectCommand(host, cal_, &TCalendarR::CalendarDateChanged, this, &Tcalendarform::ShowTitle);
  ConnectCommand(host, cal_, &TCalendarR::DayDoubleClicked, this,
                 &Tcalendarform::SpeedButton1Click);

  const int buttons_top = kGridGeometry.bottom() + 9;
  QToolButton* previous =
      MakeGlyphButton(this, "SpeedButton2", QStringLiteral("btn_prev"),
                      QRect(kGridGeometry.left(), buttons_top, 28, 28), GlyphBackdrop::kBody);
  previous->setToolTip(QStringLiteral("前の月"));
  ConnectCommand(host, previous, &QToolButton::clicked, this, &Tcalendarform::SpeedButton2Click);

  QToolButton* ok = MakeCaptionButton(this, "SpeedButton1", QStringLiteral("OK"),
                                      QRect((kWidth - 76) / 2, buttons_top + 2, 76, 24), false);
  ConnectCommand(host, ok, &QToolButton::clicked, this, &Tcalendarform::SpeedButton1Click);

  QToolButton* next =
      MakeGlyphButton(this, "SpeedButton3", QStringLiteral("btn_next"),
                      QRect(kGridGeometry.right() - 27, buttons_top, 28, 28), GlyphBackdrop::kBody);
  next->setToolTip(QStringLiteral("次の月"));
  ConnectCommand(host, next, &QToolButton::clicked, this, &Tcalendarform::SpeedButton3Click);

  ShowTitle();
}

const Date& Tcalendarform::CalendarDate() const { return cal_->CalendarDate(); }

void Tcalendarform::CopyGridColors(const QTableView& grid) {
  cal_->SetColors(grid.palette().color(QPalette::Base),
                  grid.horizontalHeader()->palette().color(QPalette::Button));
}

void Tcalendarform::Prepare(const Date& current_date) {
  start_date_ = current_date;
  result_.reset();
}

void Tcalendarform::SpeedButton1Click() {
  result_ = cal_->CalendarDate();
  accept();
}

void Tcalendarform::SpeedButton2Click() {
  cal_->SetCalendarDate(PreviousMonthDay(cal_->CalendarDate()));
}

void Tcalendarform::SpeedButton3Click() {
  cal_->SetCalendarDate(NextMonthDay(cal_->CalendarDate()));
}

void Tcalendarform::FormShow() {
  cal_->SetCalendarDate(start_date_);
  cal_->setFocus();
}

void Tcalendarform::ShowTitle() { label1_->setText(ToGlass(CalendarTitleText(CalendarDate()))); }

// Enter accepts the selected day as "OK" does; Esc closes without it.
void Tcalendarform::keyPressEvent(QKeyEvent* event) {
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
      (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    SpeedButton1Click();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace purselog
