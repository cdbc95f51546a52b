// The find window over the real main window, offscreen: "検索" (Ctrl+F) opens it and builds the
// index, find-next opens the day of each hit through the change of date, "Can't find" ends the
// hits, and closing the window forgets the index.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <filesystem>
#include <memory>

#include "core/text_codec.h"
#include "support/temp_dir.h"
#include "support/test_host.h"
#include "ui/main/day_grid.h"
#include "ui/main/day_page_model.h"
#include "ui/main/main_form.h"
#include "ui/search/find_dialog.h"

namespace purselog {

using testing::ReadBytes;
using testing::TempDir;
using testing::TestHost;
using testing::WriteBytes;

namespace {

std::string S(const char* utf8) { return Utf8ToCp932(utf8); }

}  // namespace

class FindDialogTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TempDir> dir_;
  std::unique_ptr<TestHost> host_;
  std::unique_ptr<Tmainform> form_;

  std::filesystem::path Data(const char* name) const { return dir_->path() / "data" / name; }
  TFindDialog* Find() const { return form_->FindDialog1(); }

  bool Start() {
    form_ = std::make_unique<Tmainform>(ProgramPaths{dir_->path()}, *host_);
    if (!form_->FormCreate()) return false;
    form_->show();
    QApplication::setActiveWindow(form_.get());
    return QTest::qWaitForWindowActive(form_.get());
  }

  // Types the text into the find window and presses find-next.
  void FindNext(const QString& text) {
    Find()->FindText()->setText(text);
    QTest::mouseClick(Find()->FindNextButton(), Qt::LeftButton);
  }

  QString Cell(int row, int column) const {
    return form_->page_model().index(row, column).data().toString();
  }

 private slots:
  void init() {
    dir_ = std::make_unique<TempDir>();
    std::filesystem::copy_file(PURSELOG_CATEGORY_FILE, dir_->path() / "setting.dat");
    std::filesystem::create_directory(dir_->path() / "data");
    host_ = std::make_unique<TestHost>();
    host_->today = MakeDate(2024, 3, 20);
  }

  void cleanup() {
    form_.reset();
    host_.reset();
    dir_.reset();
  }

  void findNextOpensEachHitInTurnUntilCantFind() {
    WriteBytes(Data("202403.csv"), "20240305," + S("食費") + "," + S("外食") + ",800,Lunch\r\n" +
                                       "20240305," + S("食費") + ",x,10,Lunch box\r\n");
    WriteBytes(Data("202401.csv"),
               "date,memo Lunch\r\n20240110," + S("給料") + "," + S("給与") + ",1,lunch\r\n");
    QVERIFY(Start());
    QTest::keyClick(form_->maingrid(), Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(host_->modeless_windows, std::vector<QString>{QStringLiteral("FindDialog1")});
    QVERIFY(Find()->isVisible());
    QVERIFY(Find()->HasIndex());
    QCOMPARE(Find()->windowTitle(), QStringLiteral("検索"));
    QVERIFY(std::filesystem::exists(dir_->path() / "~searchindex.tmp"));

    // An unsaved edit on today's page is written back by the first change of date.
    form_->page_model().SetCellText(0, 0, S("食費"));
    form_->page_model().SetCellText(0, 1, S("外食"));
    form_->page_model().SetCellText(0, 2, "5");
    FindNext(QStringLiteral("Lunch"));
    QCOMPARE(form_->CurrentDate(), MakeDate(2024, 3, 5));
    QCOMPARE(form_->labeldate()->text(), QStringLiteral("2024/03/05 (火)"));
    QCOMPARE(Cell(0, 3), QStringLiteral("Lunch"));
    QCOMPARE(form_->Labelday()->text(), QStringLiteral("Sub Total ▲¥810 /Day"));
    QVERIFY(ReadBytes(Data("202403.csv"))
                .ends_with("20240320," + S("食費") + "," + S("外食") + ",5,\r\n"));
    form_->page_model().SetCellText(0, 3, "seen");  // the same day opens again, written back
    FindNext(QStringLiteral("Lunch"));
    QCOMPARE(form_->CurrentDate(), MakeDate(2024, 3, 5));
    QCOMPARE(Cell(0, 3), QStringLiteral("seen"));
    QVERIFY(ReadBytes(Data("202403.csv")).find(",800,seen\r\n") != std::string::npos);
    QVERIFY(host_->messages.empty());
    // No wrap-around: the end is "Can't find" and stays so.
    FindNext(QStringLiteral("Lunch"));
    FindNext(QStringLiteral("Lunch"));
    QCOMPARE(host_->messages.size(), std::size_t{2});
    for (const TestHost::Message& message : host_->messages) {
      QCOMPARE(message.caption, QString());
      QCOMPARE(message.text, QStringLiteral("Can't findLunch"));
      QCOMPARE(message.icon, MessageIcon::kNone);
    }
    QCOMPARE(form_->CurrentDate(), MakeDate(2024, 3, 5));

    // Another text starts again at the oldest line; Enter in the field is find-next.
    Find()->FindText()->setText(QStringLiteral("lunch"));
    QTest::keyClick(Find()->FindText(), Qt::Key_Return);
    QCOMPARE(form_->CurrentDate(), MakeDate(2024, 1, 10));
    FindNext(QString());
    QCOMPARE(host_->messages.back().text, QStringLiteral("Can't find"));
    FindNext(QStringLiteral("x😀"));  // no month file can hold it
    QCOMPARE(host_->messages.back().text, QStringLiteral("Can't findx😀"));
    QVERIFY(Find()->isVisible());
  }

  void closingForgetsTheIndexAndOpeningAgainReadsTheFilesAnew() {
    QVERIFY(Start());
    form_->findChild<QAction*>(QStringLiteral("Find1"))->trigger();
    FindNext(QStringLiteral("5"));
    QCOMPARE(host_->messages.back().text, QStringLiteral("Can't find5"));
    // Saved after the opening: not in the index until the window opens again.
    form_->page_model().SetCellText(0, 0, S("食費"));
    form_->page_model().SetCellText(0, 1, S("外食"));
    form_->page_model().SetCellText(0, 2, "5");
    QTest::keyClick(form_->maingrid(), Qt::Key_PageDown);
    FindNext(QStringLiteral("5"));
    QCOMPARE(host_->messages.size(), std::size_t{2});
    QTest::mouseClick(Find()->CancelButton(), Qt::LeftButton);
    QVERIFY(!Find()->isVisible());
    QVERIFY(!Find()->HasIndex());
    QVERIFY(Find()->Index().lines().empty());
    form_->findChild<QAction*>(QStringLiteral("Find1"))->trigger();
    FindNext(QStringLiteral("5"));
    QCOMPARE(form_->CurrentDate(), MakeDate(2024, 3, 20));
    QCOMPARE(host_->messages.size(), std::size_t{2});
    // "検索" while open builds afresh: the position starts again.
    form_->findChild<QAction*>(QStringLiteral("Find1"))->trigger();
    QCOMPARE(Find()->Index().position(), std::size_t{0});
  }

  void anUnreadableFileLeavesTheWindowOpenWithoutAnIndex() {
    WriteBytes(Data("202402.csv"), "20240210,a,b,1,\r\n");
    WriteBytes(Data("202403.csv"), "20240301,a,b,1,\r\n");
    QVERIFY(Start());
    form_->findChild<QAction*>(QStringLiteral("Find1"))->trigger();
    QVERIFY(Find()->HasIndex());
    QTest::mouseClick(Find()->CancelButton(), Qt::LeftButton);
    std::filesystem::remove(Data("202402.csv"));
    std::filesystem::create_directory(Data("zz.csv"));  // a folder is passed over
    std::filesystem::create_symlink(Data("missing"), Data("202402.csv"));  // dangling: skipped
    std::filesystem::create_symlink(Data("zz.csv"), Data("zy.csv"));
    WriteBytes(Data("202404.csv"), "20240401,a,b,1,\r\n");
    const std::string march = ReadBytes(Data("202403.csv"));
    // A file that cannot be read stops the opening.
    std::filesystem::remove(Data("202404.csv"));
    std::filesystem::create_symlink(Data("202404.csv"), Data("202404.csv"));  // a loop
    form_->findChild<QAction*>(QStringLiteral("Find1"))->trigger();
    QCOMPARE(host_->messages.size(), std::size_t{1});
    QCOMPARE(host_->messages[0].caption, QStringLiteral("Purselog"));
    QCOMPARE(host_->messages[0].icon, MessageIcon::kError);
    QVERIFY(host_->messages[0].text.contains(QStringLiteral("202404.csv")));
    QVERIFY(Find()->isVisible());
    QVERIFY(!Find()->HasIndex());
    FindNext(QStringLiteral("a"));  // never the index of the earlier opening
    QCOMPARE(host_->messages.back().text, QStringLiteral("Can't finda"));
    QCOMPARE(form_->CurrentDate(), MakeDate(2024, 3, 20));
    QCOMPARE(ReadBytes(Data("202403.csv")), march);
  }
};

}  // namespace purselog

QTEST_MAIN(purselog::FindDialogTest)
#include "find_dialog_test.moc"
