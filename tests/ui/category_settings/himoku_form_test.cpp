// The category settings window, opened from the real main window offscreen and driven through
// its grid, buttons and pop-up menu; the main window's part when it closes; the icon slots from
// start-up to shutdown.
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QWheelEvent>

#include "categories/category_settings.h"
#include "support/icon_files.h"
#include "support/main_window_fixture.h"
#include "ui/category_settings/himoku_form.h"
#include "ui/category_settings/settings_grid.h"
#include "ui/common/grid_cells.h"

namespace purselog {

using testing::Bmp;
using testing::IconPack;

namespace {

// A 16 x 16 bitmap in one colour with a magenta key frame.
std::string FramedBmp(QRgb colour) {
  return Bmp(16, 16, [colour](int x, int y) {
    return x == 0 || y == 0 || x == 15 || y == 15 ? qRgb(255, 0, 255) : colour;
  });
}

// A pack whose mask leaves a round picture: a disc of `colour`, white (transparent) around it.
std::string DiscPac(QRgb colour) {
  const auto inside = [](int x, int y) { return (x - 8) * (x - 8) + (y - 8) * (y - 8) < 40; };
  return IconPack(Bmp(16, 16, [&](int, int) { return colour; }), Bmp(16, 16, [&](int x, int y) {
                    return inside(x, y) ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
                  }));
}

}  // namespace

class HimokuFormTest : public MainWindowFixture {
  Q_OBJECT

 public:
  HimokuFormTest() { options_.open_lists = false; }

 private:
  std::string delivered_;

  // The delivered table with user rows after it: {kind, name, first preset} each.
  void WriteTable(const std::vector<std::array<const char*, 3>>& user_rows) {
    std::string bytes = delivered_;
    const int rows = 12 + static_cast<int>(user_rows.size());
    bytes.replace(0, bytes.find("\r\n"), "20," + std::to_string(rows));
    for (std::size_t i = 0; i < user_rows.size(); ++i) {
      const std::string row = std::to_string(12 + i);
      for (int column = 0; column < 3; ++column) {
        if (*user_rows[i][column] == '\0') continue;
        bytes += std::to_string(column) + "," + row + "," + S(user_rows[i][column]) + "\r\n";
      }
    }
    WriteBytes(Path("setting.dat"), bytes);
  }

  // Opens the window from its button; `act` works in it while it is shown.
  void Open(const std::function<void(THIMOKUForm&)>& act) {
    AnswerModal<THIMOKUForm>([act](THIMOKUForm& window) {
      window.grid()->delegate().set_open_lists(false);
      QAbstractItemModelTester tester(&window.model(),
                                      QAbstractItemModelTester::FailureReportingMode::QtTest);
      act(window);
    });
    Button("SpeedButton7")->click();
  }

  static QModelIndex Cell(THIMOKUForm& window, int table_row, int column) {
    return window.model().index(CategorySettingsModel::ModelRow(table_row), column);
  }
  static QString Text(THIMOKUForm& window, int table_row, int column) {
    return Cell(window, table_row, column).data().toString();
  }
  static void Click(THIMOKUForm& window, const char* button) {
    window.findChild<QPushButton*>(QString::fromLatin1(button))->click();
  }
  static void Select(THIMOKUForm& window, int table_row, int column = 1) {
    window.grid()->SetCurrentCell(Cell(window, table_row, column));
  }
  // A press of the right button on the row's name, as before the pop-up menu.
  static void PressOn(THIMOKUForm& window, int table_row) {
    const QModelIndex index = Cell(window, table_row, kNameColumn);
    window.grid()->scrollTo(index);
    const QPoint point = window.grid()->visualRect(index).center();
    QTest::mousePress(window.grid()->viewport(), Qt::RightButton, {}, point);
    QTest::mouseRelease(window.grid()->viewport(), Qt::RightButton, {}, point);
  }
  static void Menu(THIMOKUForm& window, const char* item) {
    window.findChild<QAction*>(QString::fromLatin1(item))->trigger();
  }
  // Types into a text cell and presses Enter.
  static void Type(THIMOKUForm& window, int table_row, int column, const QString& text) {
    TypeInto(window.grid(), Cell(window, table_row, column), text);
    QCoreApplication::processEvents();
  }

 private slots:
  void init() {
    SetUp();
    delivered_ = ReadBytes(Path("setting.dat"));
  }
  void cleanup() { TearDown(); }

  void showsTheWholeFileWithItsRulesAndColours() {
    WriteTable({{"支出", "旅行", ""}});
    QVERIFY(Start());
    QCOMPARE(form_->categories().size(), 11);  // row 12 has no first preset
    Open([&](THIMOKUForm& window) {
      QCOMPARE(window.size(), QSize(454, 368));
      QCOMPARE(window.grid()->geometry(), QRect(16, 32, 425, 289));
      QCOMPARE(window.Label1()->text(), QStringLiteral("費目設定"));
      QCOMPARE(window.findChild<QPushButton*>(QStringLiteral("Button1"))
                   ->palette()
                   .color(QPalette::ButtonText),
               QColor(16, 16, 96));
      QCOMPARE(window.model().rowCount(), 12);
      QCOMPARE(Text(window, 12, 1), QStringLiteral("旅行"));
      QCOMPARE(window.model().headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
               QStringLiteral("支出/収入"));
      QCOMPARE(window.grid()->columnWidth(10), 87);
      QCOMPARE(window.grid()->columnWidth(9), 64);
      // Kind and name of the built-in rows are locked.
      QVERIFY(!(Cell(window, 11, 1).flags() & Qt::ItemIsEditable));
      QVERIFY(Cell(window, 11, 2).flags() & Qt::ItemIsEditable);
      QVERIFY(Cell(window, 12, 0).flags() & Qt::ItemIsEditable);
      // Built-in rows show their icons.
      QCOMPARE(Cell(window, 1, 1).data(Qt::DecorationRole).value<QImage>(),
               form_->BuiltinIcons()[0]);
      QVERIFY(Cell(window, 12, 1).data(Qt::DecorationRole).isNull());
      for (int row = 1; row <= 11; ++row) {  // the delivered names show whole beside them
        const QModelIndex name = Cell(window, row, kNameColumn);
        const QImage picture = name.data(Qt::DecorationRole).value<QImage>();
        const QFontMetrics metrics(name.data(Qt::FontRole).value<QFont>());
        QVERIFY(metrics.horizontalAdvance(name.data().toString()) <=
                NameRect(window.grid()->visualRect(name), picture.width()).width());
      }
      // Colours: the name column white and bold, an income row blue throughout.
      QCOMPARE(Cell(window, 1, 2).data(Qt::BackgroundRole).value<QColor>(), QColor(248, 248, 248));
      QCOMPARE(Cell(window, 1, 1).data(Qt::BackgroundRole).value<QColor>(), QColor(Qt::white));
      QVERIFY(Cell(window, 1, 1).data(Qt::FontRole).value<QFont>().bold());
      QCOMPARE(Cell(window, 10, 1).data(Qt::BackgroundRole).value<QColor>(), QColor(236, 243, 255));
      QCOMPARE(Cell(window, 10, 4).data(Qt::ForegroundRole).value<QColor>(), QColor(16, 16, 96));
      // The kind is chosen from exactly two entries, and the row follows at once.
      const QModelIndex kind = Cell(window, 12, 0);
      window.grid()->setCurrentIndex(kind);
      window.grid()->edit(kind);
      auto* list = qobject_cast<QComboBox*>(window.grid()->indexWidget(kind));
      QVERIFY(list != nullptr);
      QCOMPARE(list->count(), 2);
      QCOMPARE(list->itemText(0), QStringLiteral("支出"));
      QCOMPARE(list->itemText(1), QStringLiteral("収入"));
      QCOMPARE(list->currentIndex(), 0);
      // The wheel over the closed list changes nothing; a choice in the open list does.
      QWheelEvent wheel(QPointF(5, 5), list->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                        Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
      QApplication::sendEvent(list, &wheel);
      QTest::keyClick(list, Qt::Key_PageDown);
      QCOMPARE(list->currentIndex(), 0);
      list->showPopup();
      list->view()->setCurrentIndex(list->model()->index(1, 0));
      QTest::keyClick(list->view(), Qt::Key_Return);
      QCOMPARE(Text(window, 12, 0), QStringLiteral("収入"));
      QCOMPARE(Cell(window, 12, 5).data(Qt::BackgroundRole).value<QColor>(), QColor(236, 243, 255));
      // A cell keeps one line; a character without a Shift_JIS form is refused.
      QVERIFY(window.model().setData(Cell(window, 12, 3), QStringLiteral("a\r\nb\tc\bd"),
                                     Qt::EditRole));
      QCOMPARE(window.table().Cell(3, 12), std::string("a b cd"));
      QVERIFY(!window.model().setData(Cell(window, 12, 4), QStringLiteral("x😀"), Qt::EditRole));
      QCoreApplication::processEvents();
      QCOMPARE(host_->messages.size(), std::size_t{1});
      QCOMPARE(host_->messages[0].caption, QStringLiteral("注意"));

      // Tab walks the cells and leaves the grid after the last; Ctrl+Tab leaves it at once.
      const auto focused = [&window](const char* name) {
        return QApplication::focusWidget() == window.findChild<QWidget*>(name);
      };
      QVERIFY(TestHost::Activate(window));  // again, after the list's pop-up
      window.grid()->SetCurrentCell(Cell(window, 1, 0));
      for (int i = 0; i < 8; ++i) TestHost::Key(Qt::Key_Tab);
      QVERIFY(focused("StringGrid1") && window.grid()->currentIndex() == Cell(window, 1, 8));
      TestHost::Key(Qt::Key_Tab, Qt::ControlModifier);
      TestHost::Key(Qt::Key_Return);  // "費目追加"
      QVERIFY(focused("Button1") && window.model().rowCount() == 13);
      TestHost::Key(Qt::Key_Backtab, Qt::ShiftModifier);
      QVERIFY(focused("StringGrid1"));
      window.grid()->SetCurrentCell(Cell(window, 13, 19));
      TestHost::Key(Qt::Key_Tab);
      QVERIFY(focused("Button1"));
      TestHost::Key(Qt::Key_Escape);  // "Cancel"
      QVERIFY(!window.isVisible());
    });
    QCOMPARE(host_->modal_windows, std::vector<QString>{QStringLiteral("HIMOKUForm")});
  }

  void cancelWritesNothingAndSaveCloseWritesTheTable() {
    QVERIFY(Start());
    const std::string before = ReadBytes(Path("setting.dat"));
    Open([&](THIMOKUForm& window) {
      Type(window, 3, 2, QStringLiteral("changed"));
      QCOMPARE(Text(window, 3, 2), QStringLiteral("changed"));
      QVERIFY(window.isVisible());  // Enter ends the edit, it presses no button
      Click(window, "Button1");
      window.grid()->horizontalHeader()->resizeSection(3, 100);
      Click(window, "Button3");
    });
    QCOMPARE(ReadBytes(Path("setting.dat")), before);

    Open([&](THIMOKUForm& window) {
      // The next opening shows the file again.
      QCOMPARE(window.model().rowCount(), 11);
      QVERIFY(Text(window, 3, 2) != QStringLiteral("changed"));
      QCOMPARE(window.grid()->columnWidth(3), 64);
      Click(window, "Button1");
      Type(window, 12, 1, QStringLiteral("旅行"));
      Type(window, 12, 2, QStringLiteral("宿泊"));
      window.grid()->horizontalHeader()->resizeSection(3, 100);
      Click(window, "Button4");
      QVERIFY(!window.isVisible());
    });
    std::string expected = before;
    expected.replace(0, 5, "20,13");
    expected.replace(expected.find("cw 3,64"), 7, "cw 3,100");
    expected += "1,12," + S("旅行") + "\r\n2,12," + S("宿泊") + "\r\n";
    QCOMPARE(ReadBytes(Path("setting.dat")), expected);
    // The main window reads the table again when the window closes.
    QCOMPARE(form_->categories().size(), 12);
    QCOMPARE(form_->categories().FindCategory(S("旅行")), 11);
  }

  void rowsAreAddedDeletedInsertedAndDragged() {
    WriteTable(
        {{"支出", "u12", "p"}, {"支出", "u13", "p"}, {"支出", "u14", "p"}, {"支出", "u15", "p"}});
    QVERIFY(Start());
    Open([&](THIMOKUForm& window) {
      QCOMPARE(window.model().rowCount(), 15);
      for (int i = 0; i < 12; ++i) Click(window, "Button1");
      QCOMPARE(window.table().rows(), 25);
      QCOMPARE(window.model().rowCount(), 24);

      Select(window, 5);
      const QString fifth = Text(window, 5, 1);
      Click(window, "Button2");
      QCOMPARE(host_->messages.size(), std::size_t{1});
      QCOMPARE(host_->messages[0].caption, QStringLiteral("警告"));
      QCOMPARE(host_->messages[0].text, QStringLiteral("この行は削除できません"));
      QCOMPARE(window.table().rows(), 25);
      QCOMPARE(Text(window, 5, 1), fifth);

      Select(window, 14);
      Click(window, "Button2");
      QCOMPARE(host_->messages.size(), std::size_t{1});
      QCOMPARE(window.table().rows(), 24);
      QCOMPARE(Text(window, 14, 1), QStringLiteral("u15"));

      // Insert adds a row above the current one, beyond the limit of "費目追加" too.
      Select(window, 3, 2);
      for (int i = 0; i < 4; ++i) QTest::keyClick(window.grid(), Qt::Key_Insert);
      QCOMPARE(window.table().rows(), 28);
      QCOMPARE(Text(window, 3, 1), QString());
      QCOMPARE(Text(window, 18, 1), QStringLiteral("u15"));
      QVERIFY(Cell(window, 15, 1).flags() & Qt::ItemIsEditable);  // a built-in name moved down

      // A selected row is dragged to another place.
      Select(window, 18);
      QWidget* viewport = window.grid()->viewport();
      window.grid()->scrollTo(Cell(window, 18, 1));
      const QPoint start = window.grid()->visualRect(Cell(window, 18, 1)).center();
      const QPoint target = window.grid()->visualRect(Cell(window, 14, 1)).center();
      QTest::mousePress(viewport, Qt::LeftButton, {}, start);
      QMouseEvent move(QEvent::MouseMove, target, viewport->mapToGlobal(target), Qt::NoButton,
                       Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(viewport, &move);
      QTest::mouseRelease(viewport, Qt::LeftButton, {}, target);
      QCOMPARE(Text(window, 14, 1), QStringLiteral("u15"));
      QCOMPARE(window.grid()->currentIndex().row(), CategorySettingsModel::ModelRow(14));
      Click(window, "Button3");
    });
  }

  void iconsOfUserRowsFromPacsToShutdown() {
    WriteTable({{"支出", "旅行", "宿泊"}, {"支出", "趣味", "本"}, {"収入", "臨時", "賞与"}});
    std::filesystem::create_directory(Path("pacs"));
    WriteBytes(Path("pacs") / "red.bmp", FramedBmp(qRgb(200, 0, 0)));
    WriteBytes(Path("pacs") / "disc.pac", DiscPac(qRgb(0, 120, 0)));
    WriteBytes(Path("pacs") / "blue.bmp", FramedBmp(qRgb(0, 0, 200)));
    WriteBytes(Path("ini.ini"), "[ExtImg]\r\nnum=3\r\n0=red.bmp\r\n1=disc.pac\r\n2=blue.bmp\r\n");
    std::filesystem::create_directory(Path("data"));
    WriteBytes(Path("data") / "202401.csv", "20240131," + S("旅行") + ",x,1,\r\n");
    QVERIFY(Start());
    for (int slot = 0; slot < 3; ++slot) QVERIFY(!form_->SlotPictures().Picture(slot).isNull());
    // The day page shows the picture of the row's slot.
    QCOMPARE(Model().RowIcon(0), form_->SlotPictures().Picture(0));
    const QImage disc = form_->SlotPictures().Picture(1);
    const QImage blue = form_->SlotPictures().Picture(2);
    WriteBytes(Path("green.bmp"), FramedBmp(qRgb(0, 160, 0)));
    WriteBytes(Path("flat.bmp"), Bmp(16, 8, [](int, int) { return qRgb(1, 2, 3); }));

    Open([&](THIMOKUForm& window) {
      QCOMPARE(Cell(window, 13, 1).data(Qt::DecorationRole).value<QImage>(), disc);
      // A built-in row has no slot: no file dialog.
      PressOn(window, 5);
      Menu(window, "ADDICON1");
      QVERIFY(host_->file_requests.empty());
      // A bitmap of another size changes nothing.
      host_->file_answers.push_back(QString::fromStdString(Path("flat.bmp").string()));
      PressOn(window, 14);
      Menu(window, "ADDICON1");
      QCOMPARE(host_->file_requests.size(), std::size_t{1});
      QCOMPARE(host_->file_requests[0].filter,
               QStringLiteral("Pacfile or bmp 16*16(*.pac *.bmp)|*.pac;*.bmp"));
      QVERIFY(!std::filesystem::exists(Path("pacs") / "flat.bmp"));
      QCOMPARE(form_->book().icon_slots().names[2], std::string("blue.bmp"));
      // Row 12 takes a new picture; the count and the other pictures stay.
      host_->file_answers.push_back(QString::fromStdString(Path("green.bmp").string()));
      PressOn(window, 12);
      Menu(window, "ADDICON1");
      QCOMPARE(ReadBytes(Path("pacs") / "green.bmp"), ReadBytes(Path("green.bmp")));
      QCOMPARE(form_->book().icon_slots().count, 3);
      QCOMPARE(form_->book().icon_slots().names[0], std::string("green.bmp"));
      QCOMPARE(form_->SlotPictures().Picture(0).pixelColor(5, 5), QColor(0, 160, 0));
      QCOMPARE(form_->SlotPictures().Picture(1), disc);
      QCOMPARE(form_->SlotPictures().Picture(2), blue);
      QCOMPARE(Cell(window, 12, 1).data(Qt::DecorationRole).value<QImage>(),
               form_->SlotPictures().Picture(0));

      // What the user sees: row 12 with its bitmap, row 13 with its pack.
      Select(window, 1, 2);
      window.grid()->scrollTo(Cell(window, 13, 1));
      const QImage shot = window.grab().toImage();
      const QPoint grid_at = window.grid()->viewport()->mapTo(&window, QPoint(0, 0));
      const QRect bmp_cell = window.grid()->visualRect(Cell(window, 12, 1)).translated(grid_at);
      const QRect pac_cell = window.grid()->visualRect(Cell(window, 13, 1)).translated(grid_at);
      const auto has = [&shot](const QRect& cell, const QColor& colour) {
        for (int y = cell.top(); y <= cell.bottom(); ++y) {
          for (int x = cell.left(); x < cell.left() + 24; ++x) {
            if (shot.pixelColor(x, y) == colour) return true;
          }
        }
        return false;
      };
      QVERIFY(has(bmp_cell, QColor(0, 160, 0)));
      QVERIFY(has(pac_cell, QColor(0, 120, 0)));
      QVERIFY(!has(bmp_cell, QColor(255, 0, 255)));
      if (const QByteArray out = qgetenv("PURSELOG_SCREENSHOT"); !out.isEmpty()) {
        shot.save(QString::fromLocal8Bit(out));
      }

      // "Del ICON" on row 13: the picture goes, the file stays.
      PressOn(window, 13);
      Menu(window, "DelICON1");
      QVERIFY(Cell(window, 13, 1).data(Qt::DecorationRole).isNull());
      QVERIFY(std::filesystem::exists(Path("pacs") / "disc.pac"));
      Click(window, "Button3");  // the slots changed all the same
    });
    QCOMPARE(Model().RowIcon(0), form_->SlotPictures().Picture(0));
    QVERIFY(form_->close());
    const std::string ini = ReadBytes(Path("ini.ini"));
    QVERIFY(ini.find("num=3\r\n") != std::string::npos);
    QVERIFY(ini.find("0=green.bmp\r\n") != std::string::npos);
    QVERIFY(ini.find("1=\r\n") != std::string::npos);
    QVERIFY(ini.find("2=blue.bmp\r\n") != std::string::npos);
  }

  void startUpReadsAtMostThirtyTwoSlots() {
    std::filesystem::create_directory(Path("pacs"));
    WriteBytes(Path("pacs") / "ok.bmp", FramedBmp(qRgb(9, 9, 9)));
    WriteBytes(Path("pacs") / "short.pac", IconPack("", "").substr(0, 2000));
    std::string ini = "[ExtImg]\r\nnum=40\r\n";
    for (int i = 0; i < 40; ++i) {
      ini += std::to_string(i) + "=" +
             (i == 1   ? "short.pac"
              : i == 2 ? "gone.bmp"
                       : "ok.bmp") +
             "\r\n";
    }
    WriteBytes(Path("ini.ini"), ini);
    QVERIFY(Start());
    for (int slot = 0; slot < 32; ++slot) {
      QCOMPARE(form_->SlotPictures().Picture(slot).isNull(), slot == 1 || slot == 2);
    }
    QVERIFY(form_->close());
    const std::string written = ReadBytes(Path("ini.ini"));
    QVERIFY(written.find("num=40\r\n") != std::string::npos);
    QVERIFY(written.find("\r\n1=short.pac\r\n") != std::string::npos);  // kept, without picture
    QVERIFY(written.find("\r\n2=\r\n") != std::string::npos);           // its file has gone
  }
};

}  // namespace purselog

QTEST_MAIN(purselog::HimokuFormTest)
#include "himoku_form_test.moc"
