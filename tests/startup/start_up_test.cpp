// What start-up leaves for after the first paint: the other windows are made together, in
// their fixed order, on a turn of the event loop after the main window is first painted, or at
// once when one of them is asked for before that; a start that failed makes none. The program's
// font names one installed family, so that matching it needs no substitutes.
#include <QDialog>
#include <QFontDatabase>
#include <QFontInfo>

#include "support/main_window_fixture.h"
#include "ui/breakdown/graph_form.h"
#include "ui/calendar/calendar_form.h"
#include "ui/category_settings/himoku_form.h"
#include "ui/closing_day/sime_form.h"
#include "ui/common/look.h"
#include "ui/export/save_form.h"
#include "ui/monthgraph/month_graph_form.h"
#include "ui/net/net_form.h"
#include "ui/search/find_dialog.h"

namespace purselog {

class StartUpTest : public MainWindowFixture {
  Q_OBJECT

 private:
  // The other windows in the order they were made, and in the order they must be made.
  static void CompareOrder(Tmainform& form) {
    const QList<QDialog*> made = form.findChildren<QDialog*>(Qt::FindDirectChildrenOnly);
    const QList<QDialog*> order = {form.HIMOKUForm(), form.calendarform(), form.graphform(),
                                   form.saveform(),   form.fnet(),         form.simeform(),
                                   form.monthgraph(), form.FindDialog1()};
    QCOMPARE(made, order);
  }

 private slots:
  void init() { SetUp(); }
  void cleanup() { TearDown(); }

  void theOtherWindowsAreMadeOnTheTurnAfterTheFirstPaint() {
    Tmainform& form = MakeForm();
    QVERIFY(form.FormCreate());
    QVERIFY(!form.WindowsCreated());
    form.show();
    form.repaint();
    QVERIFY(!form.WindowsCreated());
    QTRY_VERIFY(form.WindowsCreated());
    CompareOrder(form);
  }

  void askingForOneBeforeThePaintMakesThemAll() {
    Tmainform& form = MakeForm();
    QVERIFY(form.FormCreate());
    QVERIFY(form.monthgraph() != nullptr);
    QVERIFY(form.WindowsCreated());
    CompareOrder(form);
    // The paint after it makes no second set.
    form.show();
    form.repaint();
    QCoreApplication::processEvents();
    QCOMPARE(form.findChildren<QDialog*>(Qt::FindDirectChildrenOnly).size(), 8);
  }

  void aFailedStartMakesNoWindows() {
    std::filesystem::remove(Path("setting.dat"));
    Tmainform& form = MakeForm();
    QVERIFY(!form.FormCreate());
    QCOMPARE(host_->messages.size(), std::size_t{1});
    form.show();
    form.repaint();
    QCoreApplication::processEvents();
    QVERIFY(!form.WindowsCreated());
    QVERIFY(form.HIMOKUForm() == nullptr);
    QVERIFY(form.findChildren<QDialog*>().isEmpty());
  }

  void theFontNamesOneInstalledFamily() {
    const QFont font = GothicFont(12, true);
    QCOMPARE(font.families().size(), qsizetype{1});
    QVERIFY(QFontDatabase::hasFamily(font.family()));
    QCOMPARE(QFontInfo(font).family(), font.family());
    QCOMPARE(font.pixelSize(), 12);
    QVERIFY(font.bold());
  }
};

}  // namespace purselog

QTEST_MAIN(purselog::StartUpTest)
#include "start_up_test.moc"
