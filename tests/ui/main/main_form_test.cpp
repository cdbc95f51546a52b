// The real main window, driven offscreen through its grid, keys and menus.
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QToolButton>
#include <QWheelEvent>
#include <new>
#include <stdexcept>

#include "support/main_window_fixture.h"
#include "ui/calendar/calendar_form.h"
#include "ui/closing_day/sime_form.h"
#include "ui/common/command.h"
#include "ui/common/grid_cells.h"
#include "ui/common/look.h"

namespace purselog {

class MainFormTest : public MainWindowFixture {
  Q_OBJECT

 public:
  MainFormTest() {
    options_.open_lists = false;
    options_.model_tester = true;
  }

 private slots:
  void init() { SetUp(); }
  void cleanup() { TearDown(); }

  void firstRunCreatesTheFoldersAndWritesTheSettingsAtShutdown() {
    QVERIFY(Start());
    QVERIFY(std::filesystem::is_directory(Path("pacs")));
    QVERIFY(std::filesystem::is_directory(Path("data")));
    QVERIFY(!std::filesystem::exists(Path("ini.ini")));
    QCOMPARE(Model().rowCount(), 1);
    QCOMPARE(Model().page(), EmptyDayPage());
    QCOMPARE(form_->labeldate()->text(), QStringLiteral("2024/01/31 (水)"));
    QCOMPARE(form_->labelsub()->text(), QStringLiteral("Total ¥0 /Month"));
    QCOMPARE(form_->Labelday()->text(), QStringLiteral("Sub Total ¥0 /Day"));
    QCOMPARE(Model().headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("金額"));
    QCOMPARE(Grid()->horizontalHeader()->sortIndicatorSection(), 2);
    QCOMPARE(Grid()->horizontalHeader()->sortIndicatorOrder(), Qt::AscendingOrder);
    QCOMPARE(form_->ChartPalette()[20], (Rgb{219, 8, 0}));
    QCOMPARE(form_->BuiltinIcons().size(), std::size_t{11});
    QCOMPARE(form_->BuiltinIcons()[0].size(), QSize(18, 16));
    QCOMPARE(form_->BuiltinIcons()[0].pixelColor(0, 0).alpha(), 0);  // the strip's background

    QVERIFY(form_->close());
    QCOMPARE(ReadBytes(Path("ini.ini")),
             std::string("[setting]\r\nclipbmp=\r\ndisplayclip=0\r\nsime=0\r\n"
                         "[ExtImg]\r\nnum=0\r\n"));
    QCOMPARE(ReadBytes(Data("202401.csv")), std::string());
    QVERIFY(std::filesystem::exists(Data("202401.csv")));
    QVERIFY(host_->messages.empty());
  }

  void settingsAreReadAtStartAndWrittenBack() {
    std::filesystem::create_directory(Path("pacs"));
    WriteBytes(Path("pacs") / "a.bmp", "BM");
    WriteBytes(Path("ini.ini"),
               "[setting]\r\nsime=0xA\r\n[ExtImg]\r\nnum=40\r\n0=a.bmp\r\n1=missing.pac\r\n"
               "[net]\r\nid=someone\r\n");
    QVERIFY(Start());
    QCOMPARE(form_->ClosingDay(), 10);
    QVERIFY(form_->close());
    std::string expected =
        "[setting]\r\nsime=10\r\nclipbmp=\r\ndisplayclip=0\r\n[ExtImg]\r\nnum=40\r\n0=a.bmp\r\n1="
        "\r\n";
    for (int i = 2; i < 32; ++i) expected += std::to_string(i) + "=\r\n";
    expected += "[net]\r\nid=someone\r\n";
    QCOMPARE(ReadBytes(Path("ini.ini")), expected);
  }

  void aClosingDayOutsideTheRangeReadsAsZero() {
    WriteBytes(Path("ini.ini"), "[setting]\r\nsime=40\r\n");
    QVERIFY(Start());
    QCOMPARE(form_->ClosingDay(), 0);
    form_.reset();
    WriteBytes(Path("ini.ini"), "[setting]\r\nsime=-1\r\n");
    QVERIFY(Start());
    QCOMPARE(form_->ClosingDay(), 0);
  }

  void startingWithoutTheCategoryTableEndsTheProgram() {
    std::filesystem::remove(Path("setting.dat"));
    MakeForm();
    QVERIFY(!form_->FormCreate());
    QCOMPARE(host_->messages.size(), std::size_t{1});
    QCOMPARE(host_->messages[0].caption, QStringLiteral("注意"));
    QCOMPARE(host_->messages[0].text, QStringLiteral("setting.dat がありません"));
    QVERIFY(std::filesystem::is_directory(Path("pacs")));
    QVERIFY(!std::filesystem::exists(Path("data")));
    QVERIFY(form_->close());  // nothing is written when the start failed
    QVERIFY(!std::filesystem::exists(Path("ini.ini")));
  }

  void startUpErrorsAreShownAndEndTheProgram() {
    WriteBytes(Path("setting.dat"), "20,0\r\n");
    MakeForm();
    QVERIFY(!form_->FormCreate());
    QCOMPARE(host_->messages.back().caption, QStringLiteral("Purselog"));
    QCOMPARE(host_->messages.back().text,
             QString::fromStdString("File contains no data or corrupt file " +
                                    Path("setting.dat").string() + "."));
    QCOMPARE(host_->messages.back().icon, MessageIcon::kError);

    std::filesystem::copy_file(PURSELOG_CATEGORY_FILE, Path("setting.dat"),
                               std::filesystem::copy_options::overwrite_existing);
    std::filesystem::remove_all(Path("data"));
    WriteBytes(Path("data"), "a file where the data folder should be");
    MakeForm();
    QVERIFY(!form_->FormCreate());
    QVERIFY(host_->messages.back().text.endsWith(QStringLiteral("data\": File exists.")));
  }

  void anEntryTypedAndPageDownAcrossTheMonthEnd() {
    QVERIFY(Start());
    Enter(0, "食費", "外食", "1200");
    QCOMPARE(form_->Labelday()->text(), QStringLiteral("Sub Total ▲¥1,200 /Day"));
    QCOMPARE(form_->labelsub()->text(), QStringLiteral("Total ¥0 /Month"));  // not yet saved
    QCOMPARE(Model().RowIcon(0), form_->BuiltinIcons()[0]);
    Type(0, 3, QStringLiteral("友人と 2人"));
    Enter(1, "給料", "給与", "250000");

    PressKey(Qt::Key_PageDown);
    QCOMPARE(form_->CurrentDate(), MakeDate(2024, 2, 1));
    QCOMPARE(form_->labeldate()->text(), QStringLiteral("2024/02/01 (木)"));
    QCOMPARE(Model().page(), EmptyDayPage());
    QCOMPARE(ReadBytes(Data("202401.csv")), "20240131," + S("食費") + "," + S("外食") + ",1200,\"" +
                                                S("友人と 2人") + "\"\r\n" + "20240131," +
                                                S("給料") + "," + S("給与") + ",250000,\r\n");
    QVERIFY(!std::filesystem::exists(Data("202402.csv")));
    QCOMPARE(form_->labelsub()->text(), QStringLiteral("Total ¥0 /Month"));

    Enter(0, "交通費", "電車", "320");
    PressKey(Qt::Key_PageUp);
    QCOMPARE(form_->CurrentDate(), MakeDate(2024, 1, 31));
    QCOMPARE(ReadBytes(Data("202402.csv")),
             "20240201," + S("交通費") + "," + S("電車") + ",320,\r\n");
    QCOMPARE(Model().rowCount(), 2);
    QCOMPARE(CellText(0, 3), QStringLiteral("友人と 2人"));
    QCOMPARE(CellText(1, 0), QStringLiteral("給料"));
    QCOMPARE(form_->labelsub()->text(), QStringLiteral("Total ¥248,800 /Month"));
    QCOMPARE(form_->Labelday()->text(), QStringLiteral("Sub Total ¥248,800 /Day"));
    QVERIFY(host_->messages.empty());
  }

  void aRefusedAmountReturnsAndItsEditorOpensAgain() {
    QVERIFY(Start());
    Enter(0, "食費", "外食", "500");
    const QModelIndex amount = Model().index(0, 2);
    // The rule is the ledger's (EditCell); here, that the editor opens again with the old text.
    const QStringList refused = {QStringLiteral("1,200"), QStringLiteral("１２３")};
    for (const QString& text : refused) {
      Type(0, 2, text);
      QCOMPARE(CellText(0, 2), QStringLiteral("500"));
      QTRY_VERIFY(Grid()->IsEditing());
      QCOMPARE(Grid()->currentIndex(), amount);
      auto* edit = qobject_cast<QLineEdit*>(Grid()->indexWidget(amount));
      QVERIFY(edit != nullptr);
      QCOMPARE(edit->text(), QStringLiteral("500"));
      QTest::keyClick(edit, Qt::Key_Escape);
    }
    QCOMPARE(form_->Labelday()->text(), QStringLiteral("Sub Total ▲¥500 /Day"));
    Type(0, 2, QStringLiteral("1e3"));
    QCOMPARE(CellText(0, 2), QStringLiteral("1e3"));
    QCOMPARE(form_->Labelday()->text(), QStringLiteral("Sub Total ▲¥1,000 /Day"));
    QVERIFY(host_->messages.empty());
  }

  void anIncomeRowIsColouredAcrossItsCells() {
    QVERIFY(Start());
    Enter(0, "給料", "給与", "1000");
    Enter(1, "食費", "外食", "10");
    for (int column = 0; column < 4; ++column) {
      QCOMPARE(Model().index(0, column).data(Qt::BackgroundRole).value<QColor>(),
               QColor(236, 243, 255));
      QCOMPARE(Model().index(0, column).data(Qt::ForegroundRole).value<QColor>(),
               QColor(16, 16, 96));
      QCOMPARE(Model().index(1, column).data(Qt::BackgroundRole).value<QColor>(),
               QColor(Qt::white));
    }
    // On screen: an empty memo cell of the income row is painted in the income colour.
    Grid()->setCurrentIndex(Model().index(1, 0));
    const QRect memo = Grid()->visualRect(Model().index(0, 3));
    const QImage shot = Grid()->viewport()->grab().toImage();
    QCOMPARE(shot.pixelColor(memo.center()), QColor(236, 243, 255));
    // Changing the category to an expense recolours the row.
    Choose(0, 0, QStringLiteral("食費"));
    QCOMPARE(Model().index(0, 3).data(Qt::BackgroundRole).value<QColor>(), QColor(Qt::white));
  }

  void ctrlDDeletesOnlyFromADescriptionAmountOrMemoCell() {
    QVERIFY(Start());
    Enter(0, "食費", "外食", "1");
    Enter(1, "食費", "昼食", "2");
    Grid()->setCurrentIndex(Model().index(1, 0));
    PressKey(Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(Model().rowCount(), 2);
    Grid()->setCurrentIndex(Model().index(0, 2));
    PressKey(Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(Model().rowCount(), 1);
    QCOMPARE(CellText(0, 1), QStringLiteral("昼食"));
    QCOMPARE(host_->calculators_started, 0);  // "電卓" only shows the key
    QVERIFY(Action("cal")->text().endsWith(QStringLiteral("Ctrl+D")));
    Action("cal")->trigger();
    QCOMPARE(host_->calculators_started, 1);
  }

  void deletingTheOnlyRowEmptiesIt() {
    QVERIFY(Start());
    Enter(0, "食費", "外食", "1");
    QVERIFY(!Model().RowIcon(0).isNull());
    QTest::mouseClick(Grid()->viewport(), Qt::RightButton, {},
                      Grid()->visualRect(Model().index(0, 1)).center());
    Action("deleteRow1")->trigger();
    QCOMPARE(Model().rowCount(), 1);
    QCOMPARE(Model().page(), EmptyDayPage());
    QVERIFY(Model().RowIcon(0).isNull());
    // Below the last row is no row: nothing to delete.
    QTest::mouseClick(Grid()->viewport(), Qt::RightButton, {}, QPoint(10, 150));
    Action("deleteRow1")->trigger();
    QCOMPARE(Model().rowCount(), 1);
  }

  void rowsAreAddedByKeysMenusAndADoubleClickBelow() {
    QVERIFY(Start());
    QTest::mouseDClick(Grid()->viewport(), Qt::LeftButton, {}, QPoint(20, 120));
    QCOMPARE(Model().rowCount(), 2);
    QCOMPARE(Grid()->currentIndex(), Model().index(1, 0));
    QTest::mouseDClick(Grid()->viewport(), Qt::LeftButton, {}, QPoint(20, 120));
    QCOMPARE(Model().rowCount(), 3);
    PressKey(Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(Model().rowCount(), 4);
    QCOMPARE(Grid()->currentIndex(), Model().index(3, 0));
    Grid()->setCurrentIndex(Model().index(0, 2));
    PressKey(Qt::Key_Delete);
    QCOMPARE(Model().rowCount(), 3);
    Enter(0, "食費", "外食", "9");
    Grid()->setCurrentIndex(Model().index(0, 1));
    PressKey(Qt::Key_Insert);
    QCOMPARE(Model().rowCount(), 4);
    QCOMPARE(CellText(0, 0), QString());
    QCOMPARE(CellText(1, 0), QStringLiteral("食費"));
    // Enter walks right, then down, then into a new row.
    Grid()->setCurrentIndex(Model().index(3, 3));
    PressKey(Qt::Key_Return);
    QCOMPARE(Model().rowCount(), 5);
    QCOMPARE(Grid()->currentIndex(), Model().index(4, 0));
  }

  void aTitleClickSortsAmountsAsText() {
    QVERIFY(Start());
    QHeaderView* header = Grid()->horizontalHeader();
    const auto click_title = [header](int column, int offset) {
      const int left = header->sectionViewportPosition(column);
      const QPoint point(offset >= 0 ? left + offset : left + header->sectionSize(column) + offset,
                         header->height() / 2);
      QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, point);
    };
    Enter(0, "食費", "外食", "1000");
    click_title(2, 40);  // one row: nothing to sort
    QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
    Enter(1, "給料", "給与", "200");
    click_title(2, 40);  // the last sorted column turns: descending by text
    QCOMPARE(CellText(0, 2), QStringLiteral("200"));
    QCOMPARE(CellText(1, 2), QStringLiteral("1000"));
    QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
    QCOMPARE(Model().RowIcon(0), form_->BuiltinIcons()[9]);  // icons move with their rows
    QVERIFY(Model().IsIncomeRow(0));
    click_title(2, 40);
    QCOMPARE(CellText(0, 2), QStringLiteral("1000"));
    click_title(2, 2);  // at the border a drag resizes; no sort
    click_title(2, -3);
    QCOMPARE(CellText(0, 2), QStringLiteral("1000"));
    click_title(1, 40);  // another column sorts ascending
    QCOMPARE(CellText(0, 1), QStringLiteral("外食"));
    QCOMPARE(header->sortIndicatorSection(), 1);
    PressKey(Qt::Key_PageDown);
    PressKey(Qt::Key_PageUp);
    QCOMPARE(CellText(0, 1), QStringLiteral("外食"));  // saved in the sorted order
  }

  void pasteTakesTheClipboardIntoAmountAndMemoCellsOnly() {
    QVERIFY(Start());
    Enter(0, "食費", "外食", "5");
    QGuiApplication::clipboard()->setText(QStringLiteral("1,234"));
    Grid()->setCurrentIndex(Model().index(0, 2));
    PressKey(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(CellText(0, 2), QStringLiteral("1,234"));
    QCOMPARE(form_->Labelday()->text(), QStringLiteral("Sub Total ▲¥5 /Day"));  // not recomputed
    Grid()->setCurrentIndex(Model().index(0, 0));
    PressKey(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(CellText(0, 0), QStringLiteral("食費"));
    QGuiApplication::clipboard()->setText(QStringLiteral("two\r\nlines\n"));
    Grid()->setCurrentIndex(Model().index(0, 3));
    Action("paste1")->trigger();
    QCOMPARE(CellText(0, 3), QStringLiteral("two lines"));
    PressKey(Qt::Key_PageDown);
    QCOMPARE(ReadBytes(Data("202401.csv")),
             "20240131," + S("食費") + "," + S("外食") + ",\"1,234\",\"two lines\"\r\n");
    PressKey(Qt::Key_PageUp);
    QCOMPARE(form_->Labelday()->text(), QStringLiteral("Sub Total ¥0 /Day"));  // counts 0
  }

  void f8ShowsSpendingOnly() {
    QVERIFY(Start());
    Enter(0, "給料", "給与", "5000");
    Enter(1, "食費", "外食", "1200");
    QCOMPARE(form_->Labelday()->text(), QStringLiteral("Sub Total ¥3,800 /Day"));
    PressKey(Qt::Key_F8);
    QVERIFY(form_->SpendingOnlyMode());
    QVERIFY(Action("N13")->isChecked());
    QCOMPARE(form_->Labelday()->text(), QStringLiteral("Total Spent ▲¥1,200 /Day"));
    QCOMPARE(form_->labelsub()->text(), QStringLiteral("Total ¥0 /Month"));  // no file yet
    PressKey(Qt::Key_PageDown);
    PressKey(Qt::Key_PageUp);
    QCOMPARE(form_->labelsub()->text(), QStringLiteral("Total Spent ▲¥1,200 /Month"));
    PressKey(Qt::Key_F8);
    QCOMPARE(form_->Labelday()->text(), QStringLiteral("Sub Total ¥3,800 /Day"));
    QCOMPARE(form_->labelsub()->text(), QStringLiteral("Total ¥3,800 /Month"));
  }

  void hiddenItemsKeepTheirKeys() {
    QVERIFY(Start());
    QVERIFY(!Action("N11")->isVisible());
    QVERIFY(!Action("N12")->isVisible());
    QSignalSpy calendar(Action("N11"), &QAction::triggered);
    QSignalSpy graph(Action("N12"), &QAction::triggered);
    PressKey(Qt::Key_K, Qt::ControlModifier);
    PressKey(Qt::Key_G, Qt::ControlModifier);
    QCOMPARE(calendar.count(), 1);
    QCOMPARE(graph.count(), 1);
    const QStringList captions = [this] {
      QStringList visible;
      for (QAction* action : form_->MainMenu()->actions()) {
        if (action->isVisible()) visible << (action->isSeparator() ? "-" : action->text());
      }
      return visible;
    }();
    QCOMPARE(captions,
             QStringList({"今日へ...（入力完了）", "-", "行削除", "新規行", "-", "CSV書き出し",
                          "NET機能", "-", "締め日変更", "-", "電卓\tCtrl+D", "paste", "検索",
                          "合計を総支出のみ表示", "月別グラフ"}));
  }

  void todayRewritesThePageAndDropsIncompleteRows() {
    QVERIFY(Start());
    Enter(0, "食費", "外食", "30");
    Model().InsertEmptyRow(0);
    Choose(0, 0, QStringLiteral("日用品"));  // no description, no amount
    PressKey(Qt::Key_T, Qt::ControlModifier);
    QCOMPARE(form_->CurrentDate(), MakeDate(2024, 1, 31));
    QCOMPARE(Model().rowCount(), 1);
    QCOMPARE(CellText(0, 0), QStringLiteral("食費"));
  }

  void aPageThatCannotBeSavedKeepsTheDate() {
    QVERIFY(Start());
    Enter(0, "食費", "外食", "30");
    std::filesystem::create_directory(Data("202401.csv"));
    PressKey(Qt::Key_PageDown);
    QCOMPARE(form_->CurrentDate(), MakeDate(2024, 1, 31));
    QCOMPARE(form_->labeldate()->text(), QStringLiteral("2024/01/31 (水)"));
    QCOMPARE(CellText(0, 2), QStringLiteral("30"));
    QCOMPARE(host_->messages.size(), std::size_t{1});
    QCOMPARE(host_->messages[0].caption, QStringLiteral("Purselog"));
    QCOMPARE(host_->messages[0].text,
             QString::fromStdString("Cannot open file \"" + Data("202401.csv").string() +
                                    "\": Is a directory."));

    // Closing cannot save either: the window stays, nothing of the settings is written.
    QVERIFY(!form_->close());
    QVERIFY(form_->isVisible());
    QVERIFY(!std::filesystem::exists(Path("ini.ini")));
    std::filesystem::remove(Data("202401.csv"));
    QVERIFY(form_->close());
    QVERIFY(std::filesystem::exists(Path("ini.ini")));
    QCOMPARE(ReadBytes(Data("202401.csv")), "20240131," + S("食費") + "," + S("外食") + ",30,\r\n");
  }

  void anUnreadableNewMonthNeverEmptiesItsDay() {
    WriteBytes(Path("keep.csv"), "20240201,a,b,1,\r\n");
    QVERIFY(Start());
    Enter(0, "食費", "外食", "30");
    std::filesystem::create_directory(Data("202402.csv"));
    PressKey(Qt::Key_PageDown);
    QCOMPARE(host_->messages.size(), std::size_t{1});
    QVERIFY(host_->messages[0].text.contains(QStringLiteral("202402.csv\": Is a directory")));
    // Back on the day that was written, with its page and labels.
    QCOMPARE(form_->CurrentDate(), MakeDate(2024, 1, 31));
    QCOMPARE(form_->labeldate()->text(), QStringLiteral("2024/01/31 (水)"));
    QCOMPARE(CellText(0, 1), QStringLiteral("外食"));
    // Once the file can be read, its day is shown as stored.
    std::filesystem::remove(Data("202402.csv"));
    std::filesystem::copy_file(Path("keep.csv"), Data("202402.csv"));
    PressKey(Qt::Key_PageDown);
    QCOMPARE(form_->CurrentDate(), MakeDate(2024, 2, 1));
    QCOMPARE(CellText(0, 0), QStringLiteral("a"));
    QCOMPARE(ReadBytes(Data("202402.csv")), std::string("20240201,a,b,1,\r\n"));
  }

  void theCalendarOpensTheChosenDayOnOkOnly() {
    std::filesystem::create_directory(Path("data"));
    WriteBytes(Data("202402.csv"), "20240229," + S("食費") + "," + S("外食") + ",700,\r\n");
    QVERIFY(Start());
    Enter(0, "食費", "外食", "30");
    // Paged to another month, then closed without "OK": the page stays, written and reloaded.
    AnswerModal<Tcalendarform>([](Tcalendarform& calendar) {
      QCOMPARE(calendar.CalendarDate(), MakeDate(2024, 1, 31));
      calendar.SpeedButton3Click();
      QCOMPARE(calendar.CalendarDate(), MakeDate(2024, 2, 29));
      calendar.reject();
    });
    PressKey(Qt::Key_K, Qt::ControlModifier);
    QCOMPARE(host_->modal_windows.size(), std::size_t{1});
    QCOMPARE(host_->modal_windows[0], QStringLiteral("calendarform"));
    QCOMPARE(form_->CurrentDate(), MakeDate(2024, 1, 31));
    QCOMPARE(ReadBytes(Data("202401.csv")), "20240131," + S("食費") + "," + S("外食") + ",30,\r\n");

    // "OK" on a day of another month: that day's page and its month's totals.
    AnswerModal<Tcalendarform>([](Tcalendarform& calendar) {
      calendar.SpeedButton3Click();
      calendar.SpeedButton1Click();
    });
    Button("SpeedButton4")->click();
    QCOMPARE(form_->CurrentDate(), MakeDate(2024, 2, 29));
    QCOMPARE(form_->labeldate()->text(), QStringLiteral("2024/02/29 (木)"));
    QCOMPARE(CellText(0, 2), QStringLiteral("700"));
    QCOMPARE(form_->labelsub()->text(), QStringLiteral("Total ▲¥700 /Month"));
    QCOMPARE(form_->Labelday()->text(), QStringLiteral("Sub Total ▲¥700 /Day"));
  }

  void theClosingDayDialogSetsThePeriodOfTheMonthLine() {
    std::filesystem::create_directory(Path("data"));
    WriteBytes(Data("202401.csv"),
               "20240126," + S("食費") + ",x,100,\r\n" + "20240110," + S("食費") + ",x,5,\r\n");
    WriteBytes(Data("202402.csv"),
               "20240210," + S("食費") + ",x,20,\r\n" + "20240226," + S("食費") + ",x,3000,\r\n");
    host_->today = MakeDate(2024, 2, 10);
    QVERIFY(Start());
    QCOMPARE(form_->labelsub()->text(), QStringLiteral("Total ▲¥3,020 /Month"));
    Type(0, 3, QStringLiteral("memo"));  // an unsaved edit is written before the reload
    AnswerModal<Tsimeform>([](Tsimeform& sime) {
      QVERIFY(sime.RadioButton1()->isChecked());
      sime.RadioButton2()->setChecked(true);
      sime.Edit1()->setText(QStringLiteral("25"));
      sime.Button1Click();
    });
    Action("N9")->trigger();
    QCOMPARE(form_->ClosingDay(), 25);
    // 26 January to 25 February.
    QCOMPARE(form_->labelsub()->text(), QStringLiteral("Total ▲¥120 /Month"));
    QCOMPARE(form_->labeldate()->text(), QStringLiteral("2024/02/10 (土)"));
    QCOMPARE(CellText(0, 3), QStringLiteral("memo"));

    AnswerModal<Tsimeform>([](Tsimeform& sime) {
      QVERIFY(sime.RadioButton2()->isChecked());
      QCOMPARE(sime.Edit1()->text(), QStringLiteral("25"));
      sime.RadioButton1()->setChecked(true);
      sime.Edit1()->setText(QStringLiteral("x"));
      sime.Button1Click();
    });
    Action("N9")->trigger();
    QCOMPARE(form_->ClosingDay(), 0);
    QCOMPARE(form_->labelsub()->text(), QStringLiteral("Total ▲¥3,020 /Month"));
    QVERIFY(host_->messages.empty());
    QVERIFY(form_->close());
    QVERIFY(ReadBytes(Path("ini.ini")).find("sime=0\r\n") != std::string::npos);
  }

  void aListCellChangesOnlyByAChoiceInItsList() {
    QVERIFY(Start());
    Enter(0, "食費", "外食", "500");
    // The list closed with Esc, the editor still open: Page Down turns the page, the cell
    // keeps its category.
    auto* list = OpenEditor<QComboBox>(0, 0);
    QVERIFY(list != nullptr);
    list->showPopup();
    QTest::keyClick(list->view(), Qt::Key_Escape);
    QVERIFY(Grid()->IsEditing());
    QTest::keyClick(list, Qt::Key_PageDown);
    QCOMPARE(form_->CurrentDate(), MakeDate(2024, 2, 1));
    QCOMPARE(ReadBytes(Data("202401.csv")),
             "20240131," + S("食費") + "," + S("外食") + ",500,\r\n");
    PressKey(Qt::Key_PageUp);
    // Nor do the wheel, Page Up, Home, End or a typed letter over a closed list; an arrow key
    // opens the list, Enter on the closed list keeps the text.
    list = OpenEditor<QComboBox>(0, 0);
    QVERIFY(list != nullptr);
    QWheelEvent wheel(QPointF(5, 5), list->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(list, &wheel);
    for (const Qt::Key key : {Qt::Key_Home, Qt::Key_End, Qt::Key_A}) QTest::keyClick(list, key);
    QCOMPARE(list->currentText(), QStringLiteral("食費"));
    QTest::keyClick(list, Qt::Key_Down);
    QVERIFY(list->view()->isVisible());
    QCOMPARE(list->currentText(), QStringLiteral("食費"));
    QTest::keyClick(list->view(), Qt::Key_Escape);
    QTest::keyClick(list, Qt::Key_Return);
    QVERIFY(!Grid()->IsEditing());
    QCOMPARE(CellText(0, 0), QStringLiteral("食費"));
    QCOMPARE(form_->CurrentDate(), MakeDate(2024, 1, 31));
  }

  void ctrlNThenCtrlDAndTheCurrentCellCountsAsSelected() {
    QVERIFY(Start());
    Enter(0, "食費", "外食", "500");  // Enter after the amount: the memo cell is current
    QCOMPARE(Grid()->currentIndex(), Model().index(0, 3));
    PressOnFocus(Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(Model().rowCount(), 2);
    QCOMPARE(Selected(), QModelIndexList({Model().index(1, 0)}));
    PressOnFocus(Qt::Key_D, Qt::ControlModifier);  // the new row's category cell: nothing
    QCOMPARE(Model().rowCount(), 2);
    QCOMPARE(CellText(0, 1), QStringLiteral("外食"));
    Action("N1")->trigger();  // the grid menu's "新規行" too
    QCOMPARE(Selected(), QModelIndexList({Model().index(2, 0)}));
    PressKey(Qt::Key_PageDown);
    QCOMPARE(ReadBytes(Data("202401.csv")),
             "20240131," + S("食費") + "," + S("外食") + ",500,\r\n");
    PressKey(Qt::Key_PageUp);

    // After a deletion the current cell is selected, and counts as selected when nothing is.
    Enter(1, "食費", "昼食", "7");
    Grid()->SetCurrentCell(Model().index(1, 1));
    PressKey(Qt::Key_Delete);
    QCOMPARE(Model().rowCount(), 1);
    QCOMPARE(Selected(), QModelIndexList({Model().index(0, 1)}));
    Grid()->selectionModel()->clearSelection();
    PressKey(Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(Model().page(), EmptyDayPage());
    Enter(0, "食費", "外食", "500");
    QGuiApplication::clipboard()->setText(QStringLiteral("memo"));
    Grid()->setCurrentIndex(Model().index(0, 3));
    Grid()->selectionModel()->clearSelection();
    PressKey(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(CellText(0, 3), QStringLiteral("memo"));
  }

  void typingStartsAtOnceAfterEveryChangeOfDate() {
    QVERIFY(Start());
    const auto ready = [this] {
      return Grid()->hasFocus() && Grid()->currentIndex() == Model().index(0, 0) &&
             Selected() == QModelIndexList({Model().index(0, 0)});
    };
    Enter(0, "食費", "外食", "500");
    Grid()->SetCurrentCell(Model().index(0, 2));
    PressKey(Qt::Key_PageDown);
    QVERIFY(ready());
    PressKey(Qt::Key_T, Qt::ControlModifier);
    QVERIFY(ready());
    AnswerModal<Tcalendarform>([](Tcalendarform& calendar) {
      calendar.SpeedButton2Click();
      calendar.SpeedButton1Click();
    });
    PressKey(Qt::Key_K, Qt::ControlModifier);
    QCOMPARE(form_->CurrentDate(), MakeDate(2023, 12, 31));
    QVERIFY(ready());
    Action("N9")->trigger();
    QVERIFY(ready());
    // F2 opens the first cell at once; a typed amount goes straight in.
    PressKey(Qt::Key_F2);
    QVERIFY(Grid()->IsEditing());
  }

  void ctrlVInsideAnOpenEditorIsThePasteCommand() {
    QVERIFY(Start());
    Enter(0, "食費", "外食", "500");
    QGuiApplication::clipboard()->setText(QStringLiteral("1,234"));
    auto* amount = OpenEditor<QLineEdit>(0, 2);
    QVERIFY(amount != nullptr);
    QTest::keyClicks(amount, QStringLiteral("12"));
    PressOnFocus(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(CellText(0, 2), QStringLiteral("1,234"));  // pasted as it is, not refused
    QVERIFY(!Grid()->IsEditing());
    QGuiApplication::clipboard()->setText(QStringLiteral("two\nlines"));
    QVERIFY(OpenEditor<QLineEdit>(0, 3) != nullptr);
    PressOnFocus(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(CellText(0, 3), QStringLiteral("two lines"));
  }

  void everyDeliveredCategoryShowsItsWholeName() {
    QVERIFY(Start());
    const QFontMetrics metrics(Grid()->font());
    const QRect cell = Grid()->visualRect(Model().index(0, 0));
    const int room = NameRect(cell, form_->BuiltinIcons()[0].width()).width();
    for (const std::string& name : form_->categories().names()) {
      QVERIFY2(metrics.horizontalAdvance(QString::fromStdString(Cp932ToUtf8(name))) <= room,
               name.c_str());
    }
    // The month line stands above the panel's border (y 61), level with the buttons.
    const QRect line = form_->labelsub()->geometry();
    QVERIFY(line.bottom() < 61);
    QVERIFY(qAbs(line.center().y() - 50) <= 2);
  }

  void charactersWithoutAShiftJisFormAreMappedOrRefused() {
    QVERIFY(Start());
    Enter(0, "食費", "外食", "500");
    Type(0, 3, QStringLiteral("10時〜12時 −5"));
    QCOMPARE(Model().page()[0][3], S("10時～12時 －5"));
    Type(0, 3, QStringLiteral("a😀"));
    QCOMPARE(Model().page()[0][3], S("10時～12時 －5"));
    QTRY_COMPARE(host_->messages.size(), std::size_t{1});
    QCOMPARE(host_->messages[0].caption, QStringLiteral("注意"));
    QCOMPARE(host_->messages[0].text,
             QStringLiteral("保存できない文字「😀」(U+1F600) が含まれています"));
    QGuiApplication::clipboard()->setText(QStringLiteral("x\u0E01"));
    Grid()->SetCurrentCell(Model().index(0, 3));
    PressKey(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(Model().page()[0][3], S("10時～12時 －5"));
    QTRY_COMPARE(host_->messages.size(), std::size_t{2});
    QCOMPARE(host_->messages[1].text,
             QStringLiteral("保存できない文字「ก」(U+0E01) が含まれています"));
  }

  void aCellOpenedAndLeftKeepsItsBytes() {
    std::filesystem::create_directory(Path("data"));
    const std::string memo(40000, 'm');
    const std::string month = "20240131," + S("食費") + ",\x82\xA0\xFF,1," + memo + "\r\n";
    WriteBytes(Data("202401.csv"), month);
    QVERIFY(Start());
    QVERIFY(OpenEditor<QLineEdit>(0, 3) != nullptr);
    PressOnFocus(Qt::Key_Return);
    QVERIFY(OpenEditor<QWidget>(0, 1) != nullptr);  // bytes the screen cannot show
    PressOnFocus(Qt::Key_Return);
    PressKey(Qt::Key_PageDown);
    QCOMPARE(ReadBytes(Data("202401.csv")), month);
  }

  void anErrorInsideACommandIsShownAndTheWindowGoesOn() {
    QVERIFY(Start());
    QVERIFY(!RunCommand(*host_, form_.get(), [] { throw std::invalid_argument("stoi"); }));
    QVERIFY(!RunCommand(*host_, form_.get(), [] { throw std::bad_alloc(); }));
    QCOMPARE(host_->messages.size(), std::size_t{2});
    QCOMPARE(host_->messages[0].caption, QStringLiteral("Purselog"));
    QCOMPARE(host_->messages[0].text, QStringLiteral("stoi."));
    QCOMPARE(host_->messages[0].icon, MessageIcon::kError);
    QCOMPARE(host_->messages[1].text, QStringLiteral("std::bad_alloc."));
    PressKey(Qt::Key_PageDown);
    QCOMPARE(form_->CurrentDate(), MakeDate(2024, 2, 1));
  }

  void aMonthTotalThatCannotBeComputedShowsNoFigure() {
    std::filesystem::create_directory(Path("data"));
    WriteBytes(Path("ini.ini"), "[setting]\r\nsime=25\r\n");
    WriteBytes(Data("202401.csv"), "20240131," + S("食費") + ",x,20,\r\n");
    std::filesystem::create_directory(Data("202402.csv"));  // 26 January to 25 February
    QVERIFY(Start());
    QCOMPARE(host_->messages.size(), std::size_t{1});
    QVERIFY(host_->messages[0].text.contains(QStringLiteral("202402.csv\": Is a directory")));
    QCOMPARE(form_->labelsub()->text(), QString());
    QCOMPARE(form_->Labelday()->text(), QStringLiteral("Sub Total ▲¥20 /Day"));
  }

  void oddLinesOfAHandEditedFileSurvive() {
    std::filesystem::create_directory(Path("data"));
    const std::string odd = "header,x\r\n20240130 " + S("食費") + " a 1\r\n\xff\xfe\r\n   \r\n" +
                            "20240131," + S("未知") + ",x,1,\r\n";
    WriteBytes(Data("202401.csv"), odd);
    QVERIFY(Start());
    QCOMPARE(CellText(0, 0), QStringLiteral("未知"));
    QVERIFY(Model().RowIcon(0).isNull());
    QVERIFY(!Model().IsIncomeRow(0));
    // A category not in the table offers a text editor for its description.
    Grid()->edit(Model().index(0, 1));
    QVERIFY(qobject_cast<QLineEdit*>(Grid()->indexWidget(Model().index(0, 1))) != nullptr);
    PressKey(Qt::Key_PageDown);
    QCOMPARE(ReadBytes(Data("202401.csv")), "header,x\r\n20240130 " + S("食費") +
                                                " a 1\r\n\xff\xfe\r\n   \r\n" + "20240131," +
                                                S("未知") + ",x,1,\r\n");
  }
};

}  // namespace purselog

QTEST_MAIN(purselog::MainFormTest)
#include "main_form_test.moc"
