// Tcalendarform: the calendar dialog that lets the user jump to any day. It shows one month of
// the calendar date as a grid (TCalendarR), marks today, pages a month back or forward, and on
// "OK" gives the calendar date as its result. Created once, shown modally as often as needed;
// every showing starts from the date it was prepared with.
#pragma once

#include <QColor>
#include <QFont>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <optional>

#include "core/date.h"
#include "ui/common/host.h"
#include "ui/common/skinned_dialog.h"

class QLabel;
class QTableView;
class QToolButton;

namespace purselog {

// Draws the calendar's cells: empty cells and weekday names as plainly as day cells (they are
// not selectable, yet not greyed), and a cell with its own text colour (today) keeps that colour
// when it is the selected cell.
class CalendarCellDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

// The month grid: seven columns, a heading row 0 with the short weekday names, day rows 1 to 6.
// Only cells that show a day number can become the current cell, by mouse or by arrow keys;
// the current cell is always the calendar date's day.
class TCalendarR : public QTableWidget {
  Q_OBJECT

 public:
  // `host` gives today's date, read again at every layout.
  TCalendarR(Host& host, QWidget* parent);

  const Date& CalendarDate() const { return calendar_date_; }
  // Shows the month of `date` with its day as the current cell. `date` must be valid.
  void SetCalendarDate(const Date& date);

  // The weekday (0 = Sunday) shown in column 0.
  int StartOfWeek() const { return start_of_week_; }
  void SetStartOfWeek(int start_of_week);

  // The text colour of today's cell; today is also drawn with the bold copy of the grid's font.
  const QColor& TodayColor() const { return today_color_; }
  void SetTodayColor(const QColor& color);
  const QFont& BoldFont() const { return bold_font_; }

  // The background of the grid and of its heading row.
  void SetColors(const QColor& background, const QColor& heading);
  QColor HeadingColor() const { return heading_color_; }

  // The day number shown in a cell, 0 for the heading row and empty cells.
  unsigned DayAt(int row, int column) const;
  // Whether the cell is drawn as today: bold, in the today colour.
  bool IsTodayCell(int row, int column) const;

 signals:
  // The calendar date changed by a selection in the grid or by SetCalendarDate.
  void CalendarDateChanged(const Date& date);
  // A day cell was double-clicked (it is the calendar date by then).
  void DayDoubleClicked();

 protected:
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void keyboardSearch(const QString& search) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  bool IsDayCell(const QModelIndex& index) const;
  bool IsDayCellAt(const QPoint& point) const;
  // Fills the cells for the displayed month and makes the calendar date's cell current.
  void Layout();
  void ResizeCells();

  Host& host_;
  Date calendar_date_;
  int start_of_week_ = 0;
  QColor today_color_{255, 0, 0};
  QColor heading_color_;
  QFont bold_font_;
  bool laying_out_ = false;
};

class Tcalendarform : public SkinnedDialog {
  Q_OBJECT

 public:
  // The calendar's grid takes the colours of `colours_of` (the day page's grid) when given.
  Tcalendarform(Host& host, QWidget* parent, const QTableView* colours_of = nullptr);

  // The date the next showing starts from (the caller's current date); clears the result.
  void Prepare(const Date& current_date);
  // The day chosen with "OK"; nullopt when the dialog was left another way.
  const std::optional<Date>& Result() const { return result_; }

  const Date& CalendarDate() const;
  TCalendarR* cal() const { return cal_; }
  QLabel* Label1() const { return label1_; }
  QLabel* Label2() const { return label2_; }

  // Takes the background colour and the heading colour of a grid.
  void CopyGridColors(const QTableView& grid);

  void SpeedButton1Click();  // OK: the calendar date is the result
  void SpeedButton2Click();  // previous month
  void SpeedButton3Click();  // next month

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void FormShow() override;
  void ShowTitle();

  Date start_date_;
  std::optional<Date> result_;
  TCalendarR* cal_ = nullptr;
  QLabel* label1_ = nullptr;
  QLabel* label2_ = nullptr;
};

}  // namespace purselog
