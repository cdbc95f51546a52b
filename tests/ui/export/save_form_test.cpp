// The export options window, and "CSV書き出し" through the real main window with the options
// window and the save dialog answered by the test host.
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "support/main_window_fixture.h"
#include "ui/export/save_form.h"

namespace purselog {

namespace {

// Answers the options window: clicks a choice (none: leaves it as it is), then a button.
TestHost::ModalHandler ChooseMode(std::optional<ExportMode> mode, bool ok) {
  return [mode, ok](QDialog& dialog) {
    return TestHost::RunModal(dialog, [&dialog, mode, ok] {
      auto& form = static_cast<Tsaveform&>(dialog);
      if (mode) QTest::mouseClick(form.RadioButton(*mode), Qt::LeftButton, {}, QPoint(6, 8));
      QTest::mouseClick(ok ? form.SpeedButton1() : form.SpeedButton2(), Qt::LeftButton);
    });
  };
}

}  // namespace

class SaveFormTest : public MainWindowFixture {
  Q_OBJECT

 private:
  static QString PathText(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
  }
  // Runs the export; an incomplete row added first shows whether the page was reloaded.
  void Export() {
    Model().InsertEmptyRow(Model().rowCount());
    Model().SetCellText(Model().rowCount() - 1, 0, S("食費"));
    Action("CSV1")->trigger();
    for (const DayRow& row : Model().page()) QVERIFY(row[1] != "" || row[0] == "");
  }

 private slots:
  void init() {
    SetUp();
    std::filesystem::create_directory(Path("data"));
    host_->today = MakeDate(2024, 3, 28);
  }
  void cleanup() { TearDown(); }

  void theOptionsWindowKeepsItsLastChoice() {
    Tsaveform form(*host_, nullptr);
    QCOMPARE(form.windowTitle(), QStringLiteral("saveform"));
    QVERIFY(!(form.windowFlags() & Qt::WindowCloseButtonHint));
    form.Prepare(MakeDate(2024, 3, 28));
    QCOMPARE(form.Label1()->text(), QStringLiteral("3月分をcsvファイルに書き出します。"));
    QCOMPARE(form.RadioButton(ExportMode::kExpenseNegative)->text(),
             QStringLiteral("支出を－、収入を＋とする。"));
    QCOMPARE(form.RadioButton(ExportMode::kIncomeNegative)->text(),
             QStringLiteral("支出を＋、収入を－とする。"));
    QCOMPARE(form.RadioButton(ExportMode::kSeparateColumns)->text(),
             QStringLiteral("支出、収入をカラム分けして書き出し"));
    QVERIFY(form.RadioButton(ExportMode::kSeparateColumns)->font().bold());
    QCOMPARE(ChooseMode(std::nullopt, true)(form), int(QDialog::Accepted));
    QCOMPARE(form.Result(), ExportMode::kSeparateColumns);
    form.Prepare(MakeDate(2024, 12, 1));
    QCOMPARE(form.Label1()->text(), QStringLiteral("12月分をcsvファイルに書き出します。"));
    QCOMPARE(ChooseMode(ExportMode::kExpenseNegative, false)(form), int(QDialog::Rejected));
    QCOMPARE(form.Result(), std::nullopt);
    form.Prepare(MakeDate(2024, 12, 1));
    QCOMPARE(ChooseMode(std::nullopt, true)(form), int(QDialog::Accepted));
    QCOMPARE(form.Result(), ExportMode::kExpenseNegative);
  }

  void theChosenModeHasTheFocusAndTheArrowsChangeIt() {
    Tsaveform form(*host_, nullptr);
    const auto keys = [&form] {
      QCOMPARE(QApplication::focusWidget(), form.RadioButton(ExportMode::kSeparateColumns));
      for (const Qt::Key key : {Qt::Key_Up, Qt::Key_Up, Qt::Key_Down, Qt::Key_Return}) {
        TestHost::Key(key);
      }
    };
    QCOMPARE(TestHost::RunModal(form, keys), int(QDialog::Accepted));
    QCOMPARE(form.Result(), ExportMode::kIncomeNegative);
  }

  void theCalendarMonthIsExportedAfterThePageIsWrittenBack() {
    WriteBytes(Data("202402.csv"), "20240227," + S("食費") + ",x,1,\r\n");
    WriteBytes(Data("202403.csv"), "20240310," + S("給料") + ",x,1000,\r\n");
    WriteBytes(Path("ini.ini"), "[setting]\r\nsime=25\r\n");
    QVERIFY(Start());
    QCOMPARE(form_->ClosingDay(), 25);
    SetRow(0, {S("食費"), "a b", "-300"});
    host_->modal_handlers.push_back(ChooseMode(ExportMode::kExpenseNegative, true));
    host_->file_answers.push_back(PathText(Path("march.csv")));
    Export();
    QCOMPARE(host_->modal_windows, std::vector<QString>{QStringLiteral("saveform")});
    QCOMPARE(host_->file_requests.size(), std::size_t{1});
    QCOMPARE(host_->file_requests[0].filter, QStringLiteral("CSVファイル(*.csv)|*.csv"));
    QCOMPARE(host_->file_requests[0].directory, PathText(dir_->path()));
    QCOMPARE(host_->file_requests[0].file_name, QStringLiteral("202403.csv"));
    QCOMPARE(ReadBytes(Path("march.csv")), "20240310," + S("給料") + ",x,1000,\r\n" + "20240328," +
                                               S("食費") + ",\"a b\",--300\r\n");
    QVERIFY(host_->messages.empty());
  }

  void cancelInEitherDialogWritesNothing() {
    QVERIFY(Start());
    host_->modal_handlers.push_back(ChooseMode(ExportMode::kIncomeNegative, false));
    Export();
    QVERIFY(host_->file_requests.empty());
    QCOMPARE(ReadBytes(Data("202403.csv")), std::string());  // the page was written back
    host_->modal_handlers.push_back(ChooseMode(std::nullopt, true));
    Export();  // the save dialog is cancelled
    QCOMPARE(host_->file_requests.size(), std::size_t{1});
    QCOMPARE(testing::ListDir(dir_->path()), std::string("data|pacs|setting.dat"));
    // An empty month gives an empty file.
    host_->modal_handlers.push_back(ChooseMode(std::nullopt, true));
    host_->file_answers.push_back(PathText(Path("empty.csv")));
    Export();
    QCOMPARE(testing::ListDir(dir_->path()), std::string("data|empty.csv|pacs|setting.dat"));
    QCOMPARE(ReadBytes(Path("empty.csv")), std::string());
    QVERIFY(host_->messages.empty());
  }

  void aMonthFileIsNeverTheExportsTarget() {
    const std::string march = "20240301," + S("食費") + ",x,300,\r\n";
    WriteBytes(Data("202403.csv"), march);
    QVERIFY(Start());
    host_->modal_handlers.push_back(ChooseMode(ExportMode::kExpenseNegative, true));
    host_->file_answers.push_back(PathText(Data("202403.csv")));
    Export();
    QCOMPARE(host_->messages.size(), std::size_t{1});
    QCOMPARE(host_->messages[0].icon, MessageIcon::kError);
    QCOMPARE(host_->messages[0].text, "Cannot write file \"" + PathText(Data("202403.csv")) +
                                          "\": it is a month file of the account book.");
    QCOMPARE(ReadBytes(Data("202403.csv")), march);
  }
};

}  // namespace purselog

QTEST_MAIN(purselog::SaveFormTest)
#include "save_form_test.moc"
