// The export options window on its own, and "CSV書き出し" through the real main window with the
// options window and the save dialog answered by the test host.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <filesystem>
#include <memory>

#include "core/text_codec.h"
#include "support/temp_dir.h"
#include "support/test_host.h"
#include "ui/export/save_form.h"
#include "ui/main/day_page_model.h"
#include "ui/main/main_form.h"

namespace purselog {

using testing::ReadBytes;
using testing::TempDir;
using testing::TestHost;
using testing::WriteBytes;

namespace {

std::string S(const char* utf8) { return Utf8ToCp932(utf8); }

// Answers the options window by clicking a choice (none: leave it) and then a button.
TestHost::ModalHandler Choose(std::optional<ExportMode> mode, bool ok) {
  return [mode, ok](QDialog& dialog) {
    return TestHost::RunModal(dialog, [&dialog, mode, ok] {
      auto& form = static_cast<Tsaveform&>(dialog);
      if (mode) QTest::mouseClick(form.RadioButton(*mode), Qt::LeftButton, {}, QPoint(6, 8));
      QTest::mouseClick(ok ? form.SpeedButton1() : form.SpeedButton2(), Qt::LeftButton);
    });
  };
}

}  // namespace

class SaveFormTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TempDir> dir_;
  std::unique_ptr<TestHost> host_;
  std::unique_ptr<Tmainform> form_;

  std::filesystem::path Data(const char* name) const { return dir_->path() / "data" / name; }
  QString Out(const char* name) const {
    return QString::fromStdString((dir_->path() / name).string());
  }

  bool Start() {
    form_ = std::make_unique<Tmainform>(ProgramPaths{dir_->path()}, *host_);
    if (!form_->FormCreate()) return false;
    form_->show();
    return true;
  }
  void Export() { form_->findChild<QAction*>(QStringLiteral("CSV1"))->trigger(); }
  // An incomplete row on the page: it is gone once the page is written back and reloaded.
  void AddIncompleteRow() {
    form_->page_model().InsertEmptyRow(form_->page_model().rowCount());
    form_->page_model().SetCellText(form_->page_model().rowCount() - 1, 0, S("食費"));
  }

 private slots:
  void init() {
    dir_ = std::make_unique<TempDir>();
    std::filesystem::copy_file(PURSELOG_CATEGORY_FILE, dir_->path() / "setting.dat");
    std::filesystem::create_directory(dir_->path() / "data");
    host_ = std::make_unique<TestHost>();
    host_->today = MakeDate(2024, 3, 28);
  }

  void cleanup() {
    form_.reset();
    host_.reset();
    dir_.reset();
  }

  void theOptionsWindowKeepsItsLastChoice() {
    Tsaveform form(nullptr);
    QCOMPARE(form.objectName(), QStringLiteral("saveform"));
    QCOMPARE(form.windowTitle(), QStringLiteral("saveform"));
    QVERIFY(form.windowFlags() & Qt::Tool);
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
    QVERIFY(!form.RadioButton(ExportMode::kExpenseNegative)->font().bold());
    QCOMPARE(form.SpeedButton1()->text(), QStringLiteral("OK"));
    QCOMPARE(form.SpeedButton2()->text(), QStringLiteral("Cancel"));
    for (QWidget* child : form.findChildren<QWidget*>()) {
      QVERIFY2(form.rect().contains(child->geometry()), qPrintable(child->objectName()));
    }

    QCOMPARE(Choose(std::nullopt, true)(form), int(QDialog::Accepted));
    QCOMPARE(form.Result(), ExportMode::kSeparateColumns);
    form.Prepare(MakeDate(2024, 12, 1));
    QCOMPARE(form.Label1()->text(), QStringLiteral("12月分をcsvファイルに書き出します。"));
    QCOMPARE(Choose(ExportMode::kExpenseNegative, false)(form), int(QDialog::Rejected));
    QCOMPARE(form.Result(), std::nullopt);
    QVERIFY(form.RadioButton(ExportMode::kExpenseNegative)->isChecked());
    form.Prepare(MakeDate(2024, 12, 1));
    QCOMPARE(TestHost::RunModal(form, [&form] { QTest::keyClick(&form, Qt::Key_Escape); }),
             int(QDialog::Rejected));
    QCOMPARE(form.Result(), std::nullopt);
    QCOMPARE(Choose(std::nullopt, true)(form), int(QDialog::Accepted));
    QCOMPARE(form.Result(), ExportMode::kExpenseNegative);
  }

  void theCalendarMonthIsExportedAfterThePageIsWrittenBack() {
    WriteBytes(Data("202402.csv"), "20240227," + S("食費") + ",x,1,\r\n");
    WriteBytes(Data("202403.csv"), "20240310," + S("給料") + "," + S("給与") + ",1000,\r\n" +
                                       "20240301," + S("食費") + ",\"a b\",-300,\r\n");
    WriteBytes(dir_->path() / "ini.ini", "[setting]\r\nsime=25\r\n");
    QVERIFY(Start());
    QCOMPARE(form_->ClosingDay(), 25);
    form_->page_model().SetCellText(0, 0, S("食費"));
    form_->page_model().SetCellText(0, 1, S("外食"));
    form_->page_model().SetCellText(0, 2, "500");
    host_->modal_handlers.push_back(Choose(ExportMode::kExpenseNegative, true));
    host_->file_answers.push_back(Out("march.csv"));
    Export();
    QCOMPARE(host_->modal_windows, std::vector<QString>{QStringLiteral("saveform")});
    QCOMPARE(host_->file_requests.size(), std::size_t{1});
    QCOMPARE(host_->file_requests[0].filter, QStringLiteral("CSVファイル(*.csv)|*.csv"));
    QCOMPARE(host_->file_requests[0].directory, QString::fromStdString(dir_->path().string()));
    QCOMPARE(host_->file_requests[0].file_name, QStringLiteral("202403.csv"));
    QCOMPARE(ReadBytes(dir_->path() / "march.csv"), "20240301," + S("食費") + ",\"a b\",--300\r\n" +
                                                        "20240310," + S("給料") + "," + S("給与") +
                                                        ",1000,\r\n" + "20240328," + S("食費") +
                                                        "," + S("外食") + ",-500\r\n");
    QVERIFY(host_->messages.empty());

    host_->modal_handlers.push_back(Choose(ExportMode::kIncomeNegative, true));
    host_->file_answers.push_back(Out("march.csv"));
    Export();
    QCOMPARE(ReadBytes(dir_->path() / "march.csv"), "20240301," + S("食費") + ",\"a b\",-300,\r\n" +
                                                        "20240310," + S("給料") + "," + S("給与") +
                                                        ",-1000\r\n" + "20240328," + S("食費") +
                                                        "," + S("外食") + ",500,\r\n");

    host_->modal_handlers.push_back(Choose(ExportMode::kSeparateColumns, true));
    host_->file_answers.push_back(Out("march.csv"));
    Export();
    QCOMPARE(ReadBytes(dir_->path() / "march.csv"),
             "20240328," + S("食費") + "," + S("外食") + ",500,,\r\n" + "20240310," + S("給料") +
                 "," + S("給与") + ",,1000,\r\n" + "20240301," + S("食費") + ",\"a b\",-300,,\r\n");
    QCOMPARE(form_->CurrentDate(), MakeDate(2024, 3, 28));
    QCOMPARE(form_->labelsub()->text(), QStringLiteral("Total ▲¥500 /Month"));  // 26 March on
  }

  void cancelInEitherDialogWritesNothingAndReloadsThePage() {
    QVERIFY(Start());
    AddIncompleteRow();
    host_->modal_handlers.push_back(Choose(ExportMode::kIncomeNegative, false));
    Export();
    QVERIFY(host_->file_requests.empty());
    QCOMPARE(form_->page_model().rowCount(), 1);
    QCOMPARE(form_->page_model().page(), EmptyDayPage());
    QCOMPARE(ReadBytes(Data("202403.csv")), std::string());  // the page was written back

    AddIncompleteRow();
    host_->modal_handlers.push_back(Choose(std::nullopt, true));
    Export();  // the save dialog is cancelled
    QCOMPARE(host_->file_requests.size(), std::size_t{1});
    QCOMPARE(form_->page_model().rowCount(), 1);
    QCOMPARE(testing::ListDir(dir_->path()), std::string("data|pacs|setting.dat"));
    QVERIFY(host_->messages.empty());

    // An empty month gives an empty file.
    host_->modal_handlers.push_back(Choose(std::nullopt, true));
    host_->file_answers.push_back(Out("empty.csv"));
    Export();
    QVERIFY(std::filesystem::exists(dir_->path() / "empty.csv"));
    QCOMPARE(ReadBytes(dir_->path() / "empty.csv"), std::string());
  }

  void aMonthFileIsNeverTheExportsTarget() {
    WriteBytes(Data("202403.csv"), "20240301," + S("食費") + ",x,300,\r\n");
    QVERIFY(Start());
    AddIncompleteRow();
    host_->modal_handlers.push_back(Choose(ExportMode::kExpenseNegative, true));
    const QString target = QString::fromStdString(Data("202403.csv").string());
    host_->file_answers.push_back(target);
    Export();
    QCOMPARE(host_->messages.size(), std::size_t{1});
    QCOMPARE(host_->messages[0].icon, MessageIcon::kError);
    QCOMPARE(host_->messages[0].text, QStringLiteral("Cannot write file \"") + target +
                                          QStringLiteral("\": it is a month file of the account "
                                                         "book."));
    QCOMPARE(ReadBytes(Data("202403.csv")), "20240301," + S("食費") + ",x,300,\r\n");
    QCOMPARE(form_->page_model().rowCount(), 1);  // reloaded all the same
  }
};

}  // namespace purselog

QTEST_MAIN(purselog::SaveFormTest)
#include "save_form_test.moc"
