// The calendar dialog, shown offscreen and driven by clicks, keys and its buttons.
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTableView>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "core/calendar_layout.h"
#include "support/test_host.h"
#include "ui/calendar/calendar_form.h"

namespace purselog {

using testing::TestHost;

namespace {

// Exposes the delegate's decision for a cell, as the grid would paint it.
class DelegateProbe : public CalendarCellDelegate {
 public:
  using CalendarCellDelegate::CalendarCellDelegate;
  QStyleOptionViewItem OptionFor(const QModelIndex& index, bool selected) const {
    QStyleOptionViewItem option;
    if (selected) option.state |= QStyle::State_Selected;
    initStyleOption(&option, index);
    return option;
  }
};

}  // namespace

class CalendarFormTest : public QObject {
  Q_OBJECT

 private:
  TestHost host_;
  Date current_ = MakeDate(2024, 2, 29);
  std::unique_ptr<Tcalendarform> form_;
  std::unique_ptr<QAbstractItemModelTester> model_tester_;

  TCalendarR* Cal() const { return form_->cal(); }
  QString Title() const { return form_->Label1()->text(); }
  QToolButton* Button(const char* name) const {
    return form_->findChild<QToolButton*>(QString::fromLatin1(name));
  }
  // The caller's current date after the dialog: the day chosen with "OK", else unchanged.
  Date Current() const { return form_->Result().value_or(current_); }
  // A new showing of the dialog on `date`.
  void Open(const Date& date) {
    form_->hide();
    current_ = date;
    form_->Prepare(date);
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
  }
  void ClickCell(int row, int column, Qt::MouseButton button = Qt::LeftButton) {
    const QRect rect = Cal()->visualRect(Cal()->model()->index(row, column));
    QTest::mouseClick(Cal()->viewport(), button, Qt::NoModifier, rect.center());
  }
  // The cells drawn as today, as (row, column) pairs.
  QList<QPoint> TodayCells() const {
    QList<QPoint> cells;
    for (int row = 0; row < kCalendarRows; ++row) {
      for (int column = 0; column < kCalendarColumns; ++column) {
        if (Cal()->IsTodayCell(row, column)) cells.push_back(QPoint(column, row));
      }
    }
    return cells;
  }
  QPoint CurrentCell() const {
    return QPoint(Cal()->currentIndex().column(), Cal()->currentIndex().row());
  }

 private slots:
  void init() {
    host_ = TestHost();
    host_.today = MakeDate(2024, 2, 10);
    current_ = MakeDate(2024, 2, 29);
    form_ = std::make_unique<Tcalendarform>(host_, nullptr);
    form_->Prepare(current_);
    model_tester_ = std::make_unique<QAbstractItemModelTester>(
        Cal()->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
  }

  void cleanup() {
    model_tester_.reset();
    form_.reset();
  }

  void TheWindowIsBorderlessAndSizedToItsSkin() {
    QCOMPARE(form_->objectName(), QStringLiteral("calendarform"));
    QVERIFY(form_->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(form_->size(), QSize(260, 240));
    Open(current_);
    // The skin's title band is painted at the top, white inside.
    const QImage picture = form_->grab().toImage();
    QCOMPARE(picture.size(), form_->size());
    QVERIFY(picture.pixelColor(40, 10) != QColor(Qt::white));
    QCOMPARE(picture.pixelColor(8, 200), QColor(Qt::white));
    QCOMPARE(form_->Label2()->text(), QStringLiteral("赤太字：今日"));
    QCOMPARE(form_->Label2()->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QVERIFY(form_->Label2()->font().bold());
    QVERIFY(form_->Label1()->font().bold());
    QCOMPARE(form_->Label1()->palette().color(QPalette::WindowText), QColor(Qt::white));
    QCOMPARE(Button("SpeedButton1")->text(), QStringLiteral("OK"));
    QVERIFY(!Button("SpeedButton2")->icon().isNull());
    QVERIFY(!Button("SpeedButton3")->icon().isNull());
  }

  void ShowingStartsFromTheCurrentDate() {
    Open(MakeDate(2024, 2, 29));
    QCOMPARE(form_->CalendarDate(), MakeDate(2024, 2, 29));
    QCOMPARE(Title(), QStringLiteral("2024年2月29日 木"));
    const QStringList weekdays = {"日", "月", "火", "水", "木", "金", "土"};
    for (int column = 0; column < kCalendarColumns; ++column) {
      QCOMPARE(Cal()->item(0, column)->text(), weekdays[column]);
      QCOMPARE(Cal()->item(0, column)->textAlignment(), int(Qt::AlignCenter));
    }
    // February 2024 begins on a Thursday and has 29 days.
    QCOMPARE(Cal()->item(1, 3)->text(), QString());
    QCOMPARE(Cal()->item(1, 4)->text(), QStringLiteral("1"));
    QCOMPARE(Cal()->item(5, 4)->text(), QStringLiteral("29"));
    QCOMPARE(Cal()->item(5, 5)->text(), QString());
    QCOMPARE(Cal()->item(6, 0)->text(), QString());
    QCOMPARE(CurrentCell(), QPoint(4, 5));
    QVERIFY(Cal()->selectionModel()->isSelected(Cal()->currentIndex()));
    QCOMPARE(Cal()->selectionModel()->selectedIndexes().size(), 1);

    // Every showing replaces the calendar date, even after paging.
    Open(MakeDate(2026, 8, 1));
    QCOMPARE(Title(), QStringLiteral("2026年8月1日 土"));
    QCOMPARE(CurrentCell(), QPoint(6, 1));
    QCOMPARE(Cal()->item(6, 1)->text(), QStringLiteral("31"));  // six rows
    form_->SpeedButton3Click();
    Open(MakeDate(2024, 9, 1));
    QCOMPARE(Title(), QStringLiteral("2024年9月1日 日"));
    QCOMPARE(CurrentCell(), QPoint(0, 1));
  }

  void TodayIsRedAndBoldOnlyInItsMonth() {
    Open(MakeDate(2024, 2, 29));
    // 10 February 2024 is the Saturday of the second row.
    QCOMPARE(TodayCells(), QList<QPoint>{QPoint(6, 2)});
    const QTableWidgetItem* today = Cal()->item(2, 6);
    QCOMPARE(today->text(), QStringLiteral("10"));
    QCOMPARE(today->foreground().color(), QColor(255, 0, 0));
    QVERIFY(today->font().bold());
    QCOMPARE(today->font().family(), Cal()->font().family());
    QVERIFY(!Cal()->item(2, 5)->font().bold());
    QVERIFY(!Cal()->item(2, 5)->data(Qt::ForegroundRole).isValid());

    form_->SpeedButton3Click();  // March 2024
    QVERIFY(TodayCells().isEmpty());
    form_->SpeedButton2Click();
    form_->SpeedButton2Click();  // January 2024: the 10th again, but not today
    QVERIFY(TodayCells().isEmpty());
    form_->SpeedButton3Click();
    QCOMPARE(TodayCells(), QList<QPoint>{QPoint(6, 2)});
    // The same day of the next year is not today either.
    Open(MakeDate(2025, 2, 10));
    QVERIFY(TodayCells().isEmpty());
  }

  void TodayKeepsItsColourWhenSelected() {
    Open(MakeDate(2024, 2, 10));
    DelegateProbe probe;
    const QModelIndex today = Cal()->model()->index(2, 6);
    const QStyleOptionViewItem selected = probe.OptionFor(today, true);
    QCOMPARE(selected.palette.color(QPalette::HighlightedText), QColor(255, 0, 0));
    QVERIFY(selected.font.bold());
    // Another day shows the platform's selection colours; weekday names are not greyed.
    const QStyleOptionViewItem other = probe.OptionFor(Cal()->model()->index(2, 5), true);
    QCOMPARE(other.palette.color(QPalette::HighlightedText),
             Cal()->palette().color(QPalette::HighlightedText));
    QVERIFY(probe.OptionFor(Cal()->model()->index(0, 0), false).state & QStyle::State_Enabled);
    QVERIFY(probe.OptionFor(Cal()->model()->index(1, 0), false).state & QStyle::State_Enabled);
  }

  void AClickOnADaySelectsIt() {
    Open(MakeDate(2024, 2, 29));
    ClickCell(3, 2);  // Tuesday of the third row: the 13th
    QCOMPARE(form_->CalendarDate(), MakeDate(2024, 2, 13));
    QCOMPARE(Title(), QStringLiteral("2024年2月13日 火"));
    QCOMPARE(CurrentCell(), QPoint(2, 3));
    QCOMPARE(Current(), MakeDate(2024, 2, 29));  // nothing written before "OK"
  }

  void AClickOnAnEmptyCellOrAWeekdayChangesNothing() {
    Open(MakeDate(2024, 2, 13));
    const auto unchanged = [this] {
      QCOMPARE(form_->CalendarDate(), MakeDate(2024, 2, 13));
      QCOMPARE(Title(), QStringLiteral("2024年2月13日 火"));
      QCOMPARE(CurrentCell(), QPoint(2, 3));
      QCOMPARE(Cal()->selectionModel()->selectedIndexes(),
               QModelIndexList{Cal()->model()->index(3, 2)});
    };
    ClickCell(1, 0);  // before the 1st
    unchanged();
    ClickCell(5, 6);  // after the 29th
    unchanged();
    ClickCell(0, 3);  // "水"
    unchanged();
    ClickCell(6, 3);
    unchanged();
    QTest::mouseDClick(Cal()->viewport(), Qt::LeftButton, Qt::NoModifier,
                       Cal()->visualRect(Cal()->model()->index(1, 1)).center());
    unchanged();
    QVERIFY(form_->isVisible());
    // A drag from a day onto an empty cell stays on the day.
    const QPoint from = Cal()->visualRect(Cal()->model()->index(3, 2)).center();
    const QPoint to = Cal()->visualRect(Cal()->model()->index(1, 0)).center();
    QTest::mousePress(Cal()->viewport(), Qt::LeftButton, Qt::NoModifier, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), Cal()->viewport()->mapToGlobal(QPointF(to)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Cal()->viewport(), &move);
    QTest::mouseRelease(Cal()->viewport(), Qt::LeftButton, Qt::NoModifier, to);
    unchanged();
  }

  void ArrowKeysMoveOnlyOntoDays() {
    Open(MakeDate(2024, 2, 1));  // Thursday, the first day cell of row 1
    QCOMPARE(CurrentCell(), QPoint(4, 1));
    QTest::keyClick(Cal(), Qt::Key_Left);  // an empty cell
    QCOMPARE(form_->CalendarDate(), MakeDate(2024, 2, 1));
    QTest::keyClick(Cal(), Qt::Key_Up);  // the weekday names
    QCOMPARE(form_->CalendarDate(), MakeDate(2024, 2, 1));
    QCOMPARE(CurrentCell(), QPoint(4, 1));
    QTest::keyClick(Cal(), Qt::Key_Right);
    QCOMPARE(form_->CalendarDate(), MakeDate(2024, 2, 2));
    QCOMPARE(Title(), QStringLiteral("2024年2月2日 金"));
    QTest::keyClick(Cal(), Qt::Key_Down);
    QCOMPARE(form_->CalendarDate(), MakeDate(2024, 2, 9));
    for (int i = 0; i < 5; ++i) QTest::keyClick(Cal(), Qt::Key_Down);  // stops at the 23rd
    QCOMPARE(form_->CalendarDate(), MakeDate(2024, 2, 23));
    QCOMPARE(CurrentCell(), QPoint(5, 4));
    QTest::keyClick(Cal(), Qt::Key_Left);
    QTest::keyClick(Cal(), Qt::Key_Down);
    QCOMPARE(form_->CalendarDate(), MakeDate(2024, 2, 29));
    QTest::keyClick(Cal(), Qt::Key_Right);  // after the last day
    QTest::keyClick(Cal(), Qt::Key_Down);
    QCOMPARE(form_->CalendarDate(), MakeDate(2024, 2, 29));
    QTest::keyClick(Cal(), Qt::Key_Home);  // not an arrow: no move
    QTest::keyClick(Cal(), Qt::Key_1);     // typing does not jump either
    QCOMPARE(form_->CalendarDate(), MakeDate(2024, 2, 29));
    QCOMPARE(CurrentCell(), QPoint(4, 5));
  }

  void MonthButtonsKeepTheDayOrClampIt_data() {
    QTest::addColumn<Date>("start");
    QTest::addColumn<QString>("button");
    QTest::addColumn<Date>("expected");
    QTest::addColumn<QString>("title");
    QTest::newRow("31 Mar 2024, previous")
        << MakeDate(2024, 3, 31) << "SpeedButton2" << MakeDate(2024, 2, 29) << "2024年2月29日 木";
    QTest::newRow("31 Mar 2023, previous")
        << MakeDate(2023, 3, 31) << "SpeedButton2" << MakeDate(2023, 2, 28) << "2023年2月28日 火";
    QTest::newRow("31 Jan 2024, next")
        << MakeDate(2024, 1, 31) << "SpeedButton3" << MakeDate(2024, 2, 29) << "2024年2月29日 木";
    QTest::newRow("31 Jan 2100, next")
        << MakeDate(2100, 1, 31) << "SpeedButton3" << MakeDate(2100, 2, 28) << "2100年2月28日 日";
    QTest::newRow("31 May 2024, previous")
        << MakeDate(2024, 5, 31) << "SpeedButton2" << MakeDate(2024, 4, 30) << "2024年4月30日 火";
    QTest::newRow("15 Dec 2024, next")
        << MakeDate(2024, 12, 15) << "SpeedButton3" << MakeDate(2025, 1, 15) << "2025年1月15日 水";
    QTest::newRow("1 Jan 2024, previous")
        << MakeDate(2024, 1, 1) << "SpeedButton2" << MakeDate(2023, 12, 1) << "2023年12月1日 金";
  }

  void MonthButtonsKeepTheDayOrClampIt() {
    QFETCH(Date, start);
    QFETCH(QString, button);
    QFETCH(Date, expected);
    QFETCH(QString, title);
    Open(start);
    QTest::mouseClick(Button(button.toLatin1().constData()), Qt::LeftButton);
    QCOMPARE(form_->CalendarDate(), expected);
    QCOMPARE(Title(), title);
    const CalendarCell cell =
        MonthLayout(YearOf(expected), MonthOf(expected), 0).CellOf(DayOf(expected));
    QCOMPARE(CurrentCell(), QPoint(cell.column, cell.row));
    QCOMPARE(Cal()->item(cell.row, cell.column)->text(), QString::number(DayOf(expected)));
    QCOMPARE(Current(), start);
  }

  void TheClampedDayIsNotRemembered() {
    // 31 March → February 29 → March 29: the day was clamped, not kept aside.
    Open(MakeDate(2024, 3, 31));
    form_->SpeedButton2Click();
    form_->SpeedButton3Click();
    QCOMPARE(form_->CalendarDate(), MakeDate(2024, 3, 29));
  }

  void OkWritesTheCalendarDate() {
    const int result = TestHost::RunModal(*form_, [this] {
      form_->SpeedButton3Click();  // March 2024 (from 29 February)
      ClickCell(3, 1);             // Monday 11 March
      QCOMPARE(form_->CalendarDate(), MakeDate(2024, 3, 11));
      QTest::mouseClick(Button("SpeedButton1"), Qt::LeftButton);
    });
    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(Current(), MakeDate(2024, 3, 11));
    QVERIFY(!form_->isVisible());
  }

  void EnterOrADoubleClickOnADayIsOk() {
    TestHost::RunModal(*form_, [this] {
      QTest::keyClick(Cal(), Qt::Key_Left);
      QTest::keyClick(Cal(), Qt::Key_Return);
    });
    QCOMPARE(Current(), MakeDate(2024, 2, 28));
    const int result = TestHost::RunModal(*form_, [this] {
      QTest::mouseDClick(Cal()->viewport(), Qt::LeftButton, Qt::NoModifier,
                         Cal()->visualRect(Cal()->model()->index(1, 5)).center());
    });
    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(Current(), MakeDate(2024, 2, 2));
  }

  void ClosingAnotherWayLeavesTheDate() {
    int result = TestHost::RunModal(*form_, [this] {
      form_->SpeedButton3Click();
      form_->SpeedButton3Click();
      ClickCell(2, 2);
      QTest::keyClick(Cal(), Qt::Key_Escape);
    });
    QCOMPARE(result, int(QDialog::Rejected));
    QVERIFY(!form_->isVisible());
    QCOMPARE(Current(), MakeDate(2024, 2, 29));
    result = TestHost::RunModal(*form_, [this] {
      form_->SpeedButton2Click();
      form_->close();
    });
    QCOMPARE(result, int(QDialog::Rejected));
    QCOMPARE(Current(), MakeDate(2024, 2, 29));
    // The host's own way of ending a modal window without an answer.
    host_.ExecModal(*form_);
    QCOMPARE(Current(), MakeDate(2024, 2, 29));
    QCOMPARE(host_.modal_windows.size(), std::size_t{1});
    QCOMPARE(host_.modal_windows[0], QStringLiteral("calendarform"));
  }

  void TheGridTakesTheColoursOfTheDayPageGrid() {
    QWidget main_window;
    auto* maingrid = new QTableView(&main_window);
    QPalette palette = maingrid->palette();
    palette.setColor(QPalette::Base, QColor(250, 250, 240));
    maingrid->setPalette(palette);
    QPalette heading = maingrid->horizontalHeader()->palette();
    heading.setColor(QPalette::Button, QColor(200, 210, 220));
    maingrid->horizontalHeader()->setPalette(heading);

    Tcalendarform form(host_, &main_window, maingrid);
    QCOMPARE(form.cal()->palette().color(QPalette::Base), QColor(250, 250, 240));
    QCOMPARE(form.cal()->HeadingColor(), QColor(200, 210, 220));
    for (int column = 0; column < kCalendarColumns; ++column) {
      QCOMPARE(form.cal()->item(0, column)->background().color(), QColor(200, 210, 220));
    }
    form.cal()->SetCalendarDate(MakeDate(2024, 3, 1));  // the heading stays through layouts
    QCOMPARE(form.cal()->item(0, 0)->background().color(), QColor(200, 210, 220));
    QVERIFY(!form.cal()->item(1, 0)->data(Qt::BackgroundRole).isValid());

    // Without a day page grid: a white grid and the platform's header colour.
    QCOMPARE(Cal()->palette().color(QPalette::Base), QColor(Qt::white));
    QCOMPARE(Cal()->HeadingColor(), Cal()->palette().color(QPalette::Button));
  }

  void CellsShareTheGridWithoutScrolling() {
    Open(current_);
    const QSize area = Cal()->viewport()->size();
    const int width = CalendarCellSize(area.width(), 1);
    const int height = CalendarCellSize(area.height(), 1, kCalendarRows);
    QVERIFY(width >= 30);
    QVERIFY(height >= 18);
    int total_width = 0;
    for (int column = 0; column < kCalendarColumns; ++column) {
      if (column < kCalendarColumns - 1) QCOMPARE(Cal()->columnWidth(column), width + 1);
      total_width += Cal()->columnWidth(column);
    }
    int total_height = 0;
    for (int row = 0; row < kCalendarRows; ++row) total_height += Cal()->rowHeight(row);
    QVERIFY(total_width <= area.width());
    QVERIFY(total_height <= area.height());
    QVERIFY(!Cal()->horizontalScrollBar()->isVisible());
    QVERIFY(!Cal()->verticalScrollBar()->isVisible());
    // Resizing follows the rule: (460 - 2 - 6) / 7 = 64.
    Cal()->resize(460, 300);
    QCOMPARE(Cal()->columnWidth(0), 65);
    QCOMPARE(Cal()->rowHeight(0), (300 - 2 - 6) / 7 + 1);
  }
};

}  // namespace purselog

QTEST_MAIN(purselog::CalendarFormTest)
#include "calendar_form_test.moc"
