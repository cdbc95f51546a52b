// Failed writes through the windows, made by the file layer's fault seam: at a change of date,
// at shutdown, at "Save Close" of the category settings, at an export and at a NET merge. Each
// shows the system's error through the host and loses nothing that was on screen: the page, the
// date, the cells of the settings grid, and the bytes each file held before.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <cerrno>
#include <system_error>

#include "categories/category_settings.h"
#include "support/file_faults.h"
#include "support/loopback_server.h"
#include "support/main_window_fixture.h"
#include "ui/category_settings/himoku_form.h"
#include "ui/category_settings/settings_grid.h"
#include "ui/closing_day/sime_form.h"
#include "ui/export/save_form.h"
#include "ui/net/net_form.h"

namespace purselog {

using testing::FileFault;
using testing::FileFaultPlan;
using testing::ListDir;
using testing::LoopbackServer;

namespace {

// The file layer's message for a failed call, as the host shows it.
QString SystemError(const char* action, const std::filesystem::path& path, int error) {
  return QString::fromStdString(std::string(action) + " \"" + path.string() +
                                "\": " + std::generic_category().message(error) + ".");
}

// Another day of January, on file before the test.
const std::string kJanuary = "20240130," + Utf8ToCp932("食費") + ",x,5,\r\n";
// The entry typed on the page of 31 January and the line it is stored as.
const DayPage kTypedPage = {{Utf8ToCp932("食費"), "lunch", "800", ""}};
const std::string kTypedLine = "20240131," + Utf8ToCp932("食費") + ",lunch,800,\r\n";

}  // namespace

class WindowFaultsTest : public MainWindowFixture {
  Q_OBJECT

 private:
  // The main window on 31 January 2024 with an entry typed and not yet written.
  void StartAndType() {
    QVERIFY(Start());
    SetRow(0, {kTypedPage[0][0], kTypedPage[0][1], kTypedPage[0][2]});
  }

  // The one message shown is the program's error with `text`.
  void ExpectError(const QString& text) {
    QCOMPARE(host_->messages.size(), std::size_t{1});
    QCOMPARE(host_->messages[0].caption, QStringLiteral("Purselog"));
    QCOMPARE(host_->messages[0].icon, MessageIcon::kError);
    QCOMPARE(host_->messages[0].text, text);
    host_->messages.clear();
  }

  // The window still shows 31 January with the typed entry.
  void ExpectTypedPageShown() {
    QCOMPARE(form_->CurrentDate(), MakeDate(2024, 1, 31));
    QCOMPARE(form_->labeldate()->text(), QStringLiteral("2024/01/31 (水)"));
    QCOMPARE(Model().page(), kTypedPage);
  }

 private slots:
  void init() {
    SetUp();
    std::filesystem::create_directory(Path("data"));
    WriteBytes(Data("202401.csv"), kJanuary);
  }
  void cleanup() { TearDown(); }

  void aChangeOfDateThatCannotWriteStaysOnItsPage_data() {
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("nth");
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("replaced");  // whether the new bytes were already in place
    QTest::newRow("read") << int(FileStep::kOpen) << 1 << "Cannot open file" << false;
    QTest::newRow("create") << int(FileStep::kOpen) << 2 << "Cannot create file" << false;
    QTest::newRow("write") << int(FileStep::kWrite) << 1 << "Cannot write file" << false;
    QTest::newRow("flush") << int(FileStep::kFlush) << 1 << "Cannot write file" << false;
    QTest::newRow("rename") << int(FileStep::kRename) << 1 << "Cannot create file" << false;
    QTest::newRow("sync") << int(FileStep::kSync) << 1 << "Cannot sync directory" << true;
  }

  void aChangeOfDateThatCannotWriteStaysOnItsPage() {
    QFETCH(int, step);
    QFETCH(int, nth);
    QFETCH(QString, action);
    QFETCH(bool, replaced);
    StartAndType();
    {
      FileFaultPlan plan({{static_cast<FileStep>(step), nth, 1, ENOSPC, "202401.csv"}});
      PressKey(Qt::Key_PageDown);
      QCOMPARE(plan.Failures(), 1);
    }
    ExpectError(SystemError(action.toLatin1().constData(),
                            replaced ? Path("data") : Data("202401.csv"), ENOSPC));
    ExpectTypedPageShown();
    QCOMPARE(ReadBytes(Data("202401.csv")), replaced ? kJanuary + kTypedLine : kJanuary);
    QCOMPARE(ListDir(Path("data")), std::string("202401.csv"));
    // Once the file can be written, the page goes there and the date moves on.
    PressKey(Qt::Key_PageDown);
    QVERIFY(host_->messages.empty());
    QCOMPARE(form_->CurrentDate(), MakeDate(2024, 2, 1));
    QCOMPARE(ReadBytes(Data("202401.csv")), kJanuary + kTypedLine);
  }

  void closingThatCannotWriteKeepsTheWindowWithItsPageAndSettings_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("page") << "202401.csv";
    QTest::newRow("settings") << "ini.ini";
  }

  void closingThatCannotWriteKeepsTheWindowWithItsPageAndSettings() {
    QFETCH(QString, file);
    const std::string ini = "[setting]\r\nsime=0\r\n";
    WriteBytes(Path("ini.ini"), ini);
    StartAndType();
    // A closing day chosen since the start lives only in the window until shutdown.
    AnswerModal<Tsimeform>([](Tsimeform& sime) {
      sime.RadioButton2()->setChecked(true);
      sime.Edit1()->setText(QStringLiteral("25"));
      sime.Button1Click();
    });
    Action("N9")->trigger();
    QCOMPARE(form_->ClosingDay(), 25);
    const std::string month = ReadBytes(Data("202401.csv"));  // the closing day wrote the page
    Model().SetCellText(0, 3, "memo");
    const std::string memo_line = "20240131," + S("食費") + ",lunch,800,memo\r\n";
    {
      FileFaultPlan plan({{FileStep::kRename, 1, 1, ENOSPC, file.toStdString()}});
      QVERIFY(!form_->close());
    }
    QVERIFY(form_->isVisible());
    if (file == QStringLiteral("ini.ini")) {
      ExpectError(QString::fromStdString(Path("ini.ini").string()) +
                  QStringLiteral(" に書き込めません."));
      QCOMPARE(ReadBytes(Data("202401.csv")), kJanuary + memo_line);  // the page went first
    } else {
      ExpectError(SystemError("Cannot create file", Data("202401.csv"), ENOSPC));
      QCOMPARE(ReadBytes(Data("202401.csv")), month);
    }
    QCOMPARE(ReadBytes(Path("ini.ini")), ini);
    QCOMPARE(form_->ClosingDay(), 25);
    QCOMPARE(Model().page()[0][3], std::string("memo"));
    // Closing again writes both.
    QVERIFY(form_->close());
    QVERIFY(host_->messages.empty());
    QCOMPARE(ReadBytes(Data("202401.csv")), kJanuary + memo_line);
    QVERIFY(ReadBytes(Path("ini.ini")).find("sime=25\r\n") != std::string::npos);
  }

  void saveCloseThatCannotWriteKeepsTheSettingsWindowWithItsCells() {
    const std::string table = ReadBytes(Path("setting.dat"));
    StartAndType();
    AnswerModal<THIMOKUForm>([&](THIMOKUForm& window) {
      CategorySettingsModel& model = window.model();
      const QModelIndex cell = model.index(CategorySettingsModel::ModelRow(3), 2);
      QVERIFY(model.setData(cell, QStringLiteral("changed"), Qt::EditRole));
      auto* save_close = window.findChild<QPushButton*>(QStringLiteral("Button4"));
      {
        FileFaultPlan plan({{FileStep::kWrite, 1, 1, ENOSPC, "setting.dat"}});
        save_close->click();
        QCOMPARE(plan.Failures(), 1);
      }
      ExpectError(SystemError("Cannot write file", Path("setting.dat"), ENOSPC));
      QVERIFY(window.isVisible());
      QCOMPARE(cell.data().toString(), QStringLiteral("changed"));
      QCOMPARE(ReadBytes(Path("setting.dat")), table);
      QCOMPARE(ListDir(dir_->path()), std::string("data|pacs|setting.dat"));
      save_close->click();
      QVERIFY(!window.isVisible());
    });
    Button("SpeedButton7")->click();
    QVERIFY(host_->messages.empty());
    QVERIFY(ReadBytes(Path("setting.dat")).find("2,3,changed\r\n") != std::string::npos);
    ExpectTypedPageShown();
  }

  void anExportThatCannotWriteKeepsTheFileAndThePage() {
    const std::filesystem::path target = Path("export.csv");
    WriteBytes(target, "old\r\n");
    StartAndType();
    AnswerModal<Tsaveform>([](Tsaveform& form) { form.SpeedButton1()->click(); });
    host_->file_answers.push_back(QString::fromStdString(target.string()));
    {
      FileFaultPlan plan({{FileStep::kFlush, 1, 1, EIO, "export.csv"}});
      Action("CSV1")->trigger();
      QCOMPARE(plan.Failures(), 1);
    }
    ExpectError(SystemError("Cannot write file", target, EIO));
    QCOMPARE(ReadBytes(target), std::string("old\r\n"));
    QCOMPARE(ListDir(dir_->path()), std::string("data|export.csv|pacs|setting.dat"));
    ExpectTypedPageShown();
    QCOMPARE(ReadBytes(Data("202401.csv")), kJanuary + kTypedLine);  // written back first
  }

  void aNetMergeThatCannotWriteKeepsTheFilesAndThePage_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("nth");  // the write of the file that fails
    QTest::addColumn<bool>("merged");
    QTest::addColumn<int>("requests");
    // The month file the merge writes.
    QTest::newRow("month file") << "202312.csv" << 1 << false << 2;
    // ~net.dat emptied before the import (after the check's two writes): nothing starts.
    QTest::newRow("answer file emptied") << "~net.dat" << 3 << false << 1;
    // The answer of the import: the service has deleted what it delivered, so the merge takes
    // it from memory.
    QTest::newRow("answer file") << "~net.dat" << 4 << true << 2;
  }

  void aNetMergeThatCannotWriteKeepsTheFilesAndThePage() {
    QFETCH(QString, file);
    QFETCH(int, nth);
    QFETCH(bool, merged);
    QFETCH(int, requests);
    const std::string december = "20231201," + S("日用品") + ",soap,3,\r\n";
    WriteBytes(Data("202312.csv"), december);
    const std::string answer = "20231215," + S("食費") + ",cake,100,\r\n";
    LoopbackServer server({{"HTTP/1.0 200 OK\r\n\r\n" + answer}});
    WriteBytes(Path("ini.ini"), "[net]\r\nurl=" + server.Url("/money/purselog.cgi") + "\r\n");
    StartAndType();
    AnswerModal<Tfnet>([](Tfnet& net) {
      net.Button1()->click();
      QVERIFY(net.Button2()->isEnabled());
      net.Button2()->click();
    });
    const std::filesystem::path failing =
        file == QStringLiteral("~net.dat") ? Path("~net.dat") : Data("202312.csv");
    {
      FileFaultPlan plan({{FileStep::kRename, nth, 1, ENOSPC, file.toStdString()}});
      Action("NET1")->trigger();
      QCOMPARE(plan.Failures(), 1);
    }
    ExpectError(SystemError("Cannot create file", failing, ENOSPC));
    QCOMPARE(server.Requests().size(), static_cast<std::size_t>(requests));
    QCOMPARE(ReadBytes(Data("202312.csv")), merged ? december + answer : december);
    // What the service delivered is kept somewhere: in the month file, or in ~net.dat.
    if (!merged) QCOMPARE(ReadBytes(Path("~net.dat")), answer);
    ExpectTypedPageShown();
    if (requests == 2) QCOMPARE(ReadBytes(Data("202401.csv")), kJanuary + kTypedLine);
  }
};

}  // namespace purselog

QTEST_MAIN(purselog::WindowFaultsTest)
#include "window_faults_test.moc"
