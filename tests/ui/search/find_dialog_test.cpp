// The find window over the real main window, offscreen: "検索" opens it and builds the index,
// find-next opens the day of each hit through the change of date, "Can't find" ends the hits,
// and closing the window forgets the index.
#include <QLabel>
#include <QPushButton>

#include "support/main_window_fixture.h"
#include "ui/search/find_dialog.h"

namespace purselog {

class FindDialogTest : public MainWindowFixture {
  Q_OBJECT

 private:
  TFindDialog* Find() const { return form_->FindDialog1(); }
  void Open() { Action("Find1")->trigger(); }
  void FindNext(const QString& text) {
    Find()->FindText()->setText(text);
    Click(Find()->FindNextButton());
  }
  QStringList Messages() const {
    QStringList texts;
    for (const TestHost::Message& message : host_->messages) texts << message.text;
    return texts;
  }

 private slots:
  void init() {
    SetUp();
    std::filesystem::create_directory(Path("data"));
    host_->today = MakeDate(2024, 3, 20);
    QVERIFY(Start());
  }
  void cleanup() { TearDown(); }

  void findNextOpensEachHitInTurnUntilCantFind() {
    WriteBytes(Data("202403.csv"), "20240305,a,x,800,Lunch\r\n20240305,a,y,10,Lunch box\r\n");
    WriteBytes(Data("202401.csv"), "date,Lunch\r\n20240110,b,x,1,lunch\r\n");
    PressKey(Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(host_->modeless_windows, std::vector<QString>{QStringLiteral("FindDialog1")});
    QVERIFY(Find()->isVisible());
    QVERIFY(std::filesystem::exists(Path("~searchindex.tmp")));

    SetRow(0, {"a", "x", "5"});  // an edit the change of date writes back
    FindNext(QStringLiteral("Lunch"));
    QCOMPARE(form_->CurrentDate(), MakeDate(2024, 3, 5));
    QCOMPARE(form_->labeldate()->text(), QStringLiteral("2024/03/05 (火)"));
    QVERIFY(ReadBytes(Data("202403.csv")).ends_with("20240320,a,x,5,\r\n"));
    FindNext(QStringLiteral("Lunch"));  // the second hit of the same day opens it again
    QCOMPARE(form_->CurrentDate(), MakeDate(2024, 3, 5));
    QVERIFY(host_->messages.empty());
    FindNext(QStringLiteral("Lunch"));
    FindNext(QStringLiteral("Lunch"));
    QCOMPARE(Messages(), QStringList({"Can't findLunch", "Can't findLunch"}));
    QCOMPARE(host_->messages[0].caption, QString());
    QCOMPARE(host_->messages[0].icon, MessageIcon::kNone);

    // Another text starts at the oldest line; Enter in the field is find-next.
    Find()->FindText()->setText(QStringLiteral("lunch"));
    QTest::keyClick(Find()->FindText(), Qt::Key_Return);
    QCOMPARE(form_->CurrentDate(), MakeDate(2024, 1, 10));
    FindNext(QString());
    FindNext(QStringLiteral("x😀"));  // no month file can hold it
    QCOMPARE(Messages().mid(2), QStringList({"Can't find", "Can't findx😀"}));
    QVERIFY(Find()->isVisible());
  }

  void closingForgetsTheIndexAndAFailedOpeningLeavesNone() {
    Open();
    SetRow(0, {"a", "x", "5"});
    PressKey(Qt::Key_PageDown);
    FindNext(QStringLiteral("5"));  // saved after the opening: not in its index
    QCOMPARE(Messages(), QStringList{"Can't find5"});
    Click(Find()->CancelButton());
    QVERIFY(!Find()->isVisible());
    QVERIFY(!Find()->HasIndex());
    Open();
    FindNext(QStringLiteral("5"));
    QCOMPARE(form_->CurrentDate(), MakeDate(2024, 3, 20));

    const std::string march = ReadBytes(Data("202403.csv"));
    std::filesystem::create_symlink(Data("loop.csv"), Data("loop.csv"));  // cannot be read
    Open();
    QCOMPARE(host_->messages.size(), std::size_t{2});
    QCOMPARE(host_->messages[1].caption, QStringLiteral("Purselog"));
    QCOMPARE(host_->messages[1].icon, MessageIcon::kError);
    QVERIFY(host_->messages[1].text.contains(QStringLiteral("loop.csv")));
    QVERIFY(Find()->isVisible());
    QVERIFY(!Find()->HasIndex());
    FindNext(QStringLiteral("5"));  // never the index of an earlier opening
    QCOMPARE(Messages().last(), QStringLiteral("Can't find5"));
    QCOMPARE(ReadBytes(Data("202403.csv")), march);
  }
};

}  // namespace purselog

QTEST_MAIN(purselog::FindDialogTest)
#include "find_dialog_test.moc"
