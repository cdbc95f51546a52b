// Failed writes through the windows, made by the file layer's fault seam: at a change of date,
// at shutdown, at "Save Close" of the category settings, at an export and at a NET merge. Each
// shows the system's error through the host and loses nothing that was on screen: the page, the
// date, the cells of the settings grid, and the bytes each file held before.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>
#include <cerrno>
#include <filesystem>
#include <memory>
#include <system_error>

#include "categories/category_settings.h"
#include "core/text_codec.h"
#include "support/file_faults.h"
#include "support/loopback_server.h"
#include "support/temp_dir.h"
#include "support/test_host.h"
#include "ui/category_settings/himoku_form.h"
#include "ui/category_settings/settings_grid.h"
#include "ui/closing_day/sime_form.h"
#include "ui/export/save_form.h"
#include "ui/main/day_grid.h"
#include "ui/main/day_page_model.h"
#include "ui/main/main_form.h"
#include "ui/net/net_form.h"

namespace purselog {

using testing::FileFault;
using testing::FileFaultPlan;
using testing::ListDir;
using testing::LoopbackServer;
using testing::ReadBytes;
using testing::TempDir;
using testing::TestHost;
using testing::WriteBytes;

namespace {

std::string S(const char* utf8) { return Utf8ToCp932(utf8); }

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

class WindowFaultsTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TempDir> dir_;
  std::unique_ptr<TestHost> host_;
  std::unique_ptr<Tmainform> form_;

  std::filesystem::path Path(const char* name) const { return dir_->path() / name; }
  std::filesystem::path Data(const char* name) const { return dir_->path() / "data" / name; }

  // The main window on 31 January 2024 with an entry typed and not yet written.
  void StartAndType() {
    form_ = std::make_unique<Tmainform>(ProgramPaths{dir_->path()}, *host_);
    QVERIFY(form_->FormCreate());
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    for (int column = 0; column < 3; ++column) {
      form_->page_model().SetCellText(0, column, kTypedPage[0][static_cast<std::size_t>(column)]);
    }
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
    QCOMPARE(form_->page_model().page(), kTypedPage);
  }

 private slots:
  void init() {
    dir_ = std::make_unique<TempDir>();
    std::filesystem::copy_file(PURSELOG_CATEGORY_FILE, Path("setting.dat"));
    std::filesystem::create_directory(Path("data"));
    WriteBytes(Data("202401.csv"), kJanuary);
    host_ = std::make_unique<TestHost>();
  }

  void cleanup() {
    form_.reset();
    host_.reset();
    dir_.reset();
  }

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
      QTest::keyClick(form_->maingrid(), Qt::Key_PageDown);
      QCOMPARE(plan.Failures(), 1);
    }
    ExpectError(SystemError(action.toLatin1().constData(),
                            replaced ? Path("data") : Data("202401.csv"), ENOSPC));
    ExpectTypedPageShown();
    QCOMPARE(ReadBytes(Data("202401.csv")), replaced ? kJanuary + kTypedLine : kJanuary);
    QCOMPARE(ListDir(Path("data")), std::string("202401.csv"));
    // Once the file can be written, the page goes there and the date moves on.
    QTest::keyClick(form_->maingrid(), Qt::Key_PageDown);
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
    host_->modal_handlers.push_back([](QDialog& dialog) {
      return TestHost::RunModal(dialog, [&dialog] {
        auto& sime = static_cast<Tsimeform&>(dialog);
        sime.RadioButton2()->setChecked(true);
        sime.Edit1()->setText(QStringLiteral("25"));
        sime.Button1Click();
      });
    });
    form_->findChild<QAction*>(QStringLiteral("N9"))->trigger();
    QCOMPARE(form_->ClosingDay(), 25);
    const std::string month = ReadBytes(Data("202401.csv"));  // the closing day wrote the page
    form_->page_model().SetCellText(0, 3, "memo");
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
    QCOMPARE(form_->page_model().page()[0][3], std::string("memo"));
    // Closing again writes both.
    QVERIFY(form_->close());
    QVERIFY(host_->messages.empty());
    QCOMPARE(ReadBytes(Data("202401.csv")), kJanuary + memo_line);
    QVERIFY(ReadBytes(Path("ini.ini")).find("sime=25\r\n") != std::string::npos);
  }

  void saveCloseThatCannotWriteKeepsTheSettingsWindowWithItsCells() {
    const std::string table = ReadBytes(Path("setting.dat"));
    StartAndType();
    host_->modal_handlers.push_back([&](QDialog& dialog) {
      return TestHost::RunModal(dialog, [&] {
        auto& window = static_cast<THIMOKUForm&>(dialog);
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
    });
    form_->findChild<QToolButton*>(QStringLiteral("SpeedButton7"))->click();
    QVERIFY(host_->messages.empty());
    QVERIFY(ReadBytes(Path("setting.dat")).find("2,3,changed\r\n") != std::string::npos);
    ExpectTypedPageShown();
  }

  void anExportThatCannotWriteKeepsTheFileAndThePage() {
    const std::filesystem::path target = Path("export.csv");
    WriteBytes(target, "old\r\n");
    StartAndType();
    host_->modal_handlers.push_back([](QDialog& dialog) {
      return TestHost::RunModal(
          dialog, [&dialog] { static_cast<Tsaveform&>(dialog).SpeedButton1()->click(); });
    });
    host_->file_answers.push_back(QString::fromStdString(target.string()));
    {
      FileFaultPlan plan({{FileStep::kFlush, 1, 1, EIO, "export.csv"}});
      form_->findChild<QAction*>(QStringLiteral("CSV1"))->trigger();
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
    host_->modal_handlers.push_back([](QDialog& dialog) {
      return TestHost::RunModal(dialog, [&dialog] {
        auto& net = static_cast<Tfnet&>(dialog);
        net.Button1()->click();
        QVERIFY(net.Button2()->isEnabled());
        net.Button2()->click();
      });
    });
    const std::filesystem::path failing =
        file == QStringLiteral("~net.dat") ? Path("~net.dat") : Data("202312.csv");
    {
      FileFaultPlan plan({{FileStep::kRename, nth, 1, ENOSPC, file.toStdString()}});
      form_->findChild<QAction*>(QStringLiteral("NET1"))->trigger();
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
