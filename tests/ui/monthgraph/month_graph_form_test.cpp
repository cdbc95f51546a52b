// The monthly graph opened from the main window's menu item "月別グラフ".
#include <QComboBox>
#include <QPainter>
#include <QSpinBox>
#include <QToolButton>

#include "categories/grid_file.h"
#include "support/main_window_fixture.h"
#include "ui/monthgraph/month_graph_form.h"

namespace purselog {

namespace {

// Whether any pixel of the 18 x 16 icon place at the left of an item differs from `colour`.
bool IconDrawn(const QImage& item, const QColor& colour) {
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 18; ++x) {
      if (item.pixelColor(x, y) != colour) return true;
    }
  }
  return false;
}

}  // namespace

class MonthGraphFormTest : public MainWindowFixture {
  Q_OBJECT

 private:
  // Opens the graph from the menu and runs `act` on it while it is shown; returns its result.
  int OpenGraph(std::function<void(Tmonthgraph&)> act) {
    return OpenModal<Tmonthgraph>([this] { Action("N14")->trigger(); }, std::move(act));
  }

  static void Click(Tmonthgraph& graph, const char* button) {
    graph.findChild<QToolButton*>(QString::fromLatin1(button))->click();
  }

 private slots:
  void init() {
    SetUp();
    std::filesystem::create_directory(Path("data"));
  }
  void cleanup() { TearDown(); }

  void drawsTheCalendarMonthsOfTheYearAndKeepsTheSeries() {
    // Closing on the 25th; the page of 10 March 2001 is shown and its file is read as it stands.
    WriteBytes(Path("ini.ini"), "[setting]\r\nsime=25\r\n");
    host_->today = MakeDate(2001, 3, 10);
    const std::string march =
        S("20010310,食費,昼食,60000\r\n20010328,食費,夕食,30000\r\n"
          "20010320,給料,給与,95000\r\n");
    WriteBytes(Data("200103.csv"), march);
    QVERIFY(Start());
    const ChartPaletteColors palette = form_->ChartPalette();
    // A pixel low in the bar of March, and one near the top of the chart.
    const auto march_at = [](const QImage& chart, int y) { return chart.pixelColor(181, y); };

    const int result = OpenGraph([&](Tmonthgraph& graph) {
      QCOMPARE(graph.geometry(), QRect(227, 128, 673, 369));
      QComboBox* series = graph.ComboBox1();
      QCOMPARE(series->count(), 13);
      QCOMPARE(series->itemText(1), QStringLiteral("総収入"));
      QCOMPARE(series->itemText(2), QStringLiteral("食費"));
      // March holds the 28th, which the accounting month would give to April.
      QCOMPARE(graph.Sums()->months[2][2], std::string("90000"));
      QCOMPARE(graph.SpinEdit1()->value(), 100000);
      QCOMPARE(graph.ChartImage().size(), QSize(641, 297));
      QCOMPARE(march_at(graph.ChartImage(), 200), ToColor(palette[3]));

      // "総収入" and half the scale take effect with "Draw Graph": the bar rises above the axis.
      QTest::keyClick(series, Qt::Key_Down);
      graph.SpinEdit1()->setValue(50000);
      QCOMPARE(march_at(graph.ChartImage(), 200), ToColor(palette[3]));
      Click(graph, "SpeedButton1");
      const QImage income = graph.ChartImage();
      QCOMPARE(march_at(income, 30), ToColor(palette[0]));

      // A scale below 1: the message, and the chart as it was.
      graph.SpinEdit1()->setValue(0);
      Click(graph, "SpeedButton1");
      QCOMPARE(host_->messages.size(), std::size_t{1});
      QCOMPARE(host_->messages[0].caption, QStringLiteral("error"));
      QCOMPARE(host_->messages[0].text, QStringLiteral("1以上の値を指定してください"));
      QCOMPARE(graph.ChartImage(), income);
      Click(graph, "SpeedButton2");
    });
    QCOMPARE(result, int(QDialog::Accepted));

    // Shown again: the income still, with the scale recomputed.
    const int again = OpenGraph([&](Tmonthgraph& graph) {
      QCOMPARE(graph.ComboBox1()->currentIndex(), 1);
      QCOMPARE(graph.SpinEdit1()->value(), 100000);
      QCOMPARE(march_at(graph.ChartImage(), 200), ToColor(palette[0]));
      QVERIFY(march_at(graph.ChartImage(), 30) != ToColor(palette[0]));
      Click(graph, "SpeedButton6");
    });
    QCOMPARE(again, int(QDialog::Accepted));
    QCOMPARE(ReadBytes(Data("200103.csv")), march);  // nothing written back
    QCOMPARE(host_->messages.size(), std::size_t{1});
  }

  void listsIconsForTheTotalsAndBuiltInCategoriesOnly() {
    // Two user categories after the eleven built-in ones.
    GridTable table;
    LoadGridFile(Path("setting.dat"), table);
    table.Resize(table.columns(), 14);
    for (const int row : {12, 13}) {
      table.SetCell(0, row, S("支出"));
      table.SetCell(1, row, S(row == 12 ? "書籍" : "趣味"));
      table.SetCell(2, row, "x");
    }
    SaveGridFile(Path("setting.dat"), table);
    QVERIFY(Start());
    OpenGraph([&](Tmonthgraph& graph) {
      QCOMPARE(graph.ComboBox1()->count(), 15);
      for (const bool chosen : {false, true}) {
        const QColor back =
            graph.ComboBox1()->palette().color(chosen ? QPalette::Highlight : QPalette::Base);
        for (int index = 0; index < 15; ++index) {
          QImage item(113, 16, QImage::Format_RGB32);
          QPainter painter(&item);
          graph.ComboBox1DrawItem(painter, index, item.rect(), chosen);
          QCOMPARE(IconDrawn(item, back), index < 13);
          QCOMPARE(item.pixelColor(0, 0), back);  // the key colour shows the item's colour
        }
      }
      graph.ComboBox1()->setCurrentIndex(14);
    });

    // The user categories gone: the series falls back to the total expense.
    std::filesystem::copy_file(PURSELOG_CATEGORY_FILE, Path("setting.dat"),
                               std::filesystem::copy_options::overwrite_existing);
    form_->book().ReloadCategories();
    OpenGraph([&](Tmonthgraph& graph) {
      QCOMPARE(graph.SeriesIndex(), 0);
      QCOMPARE(graph.ComboBox1()->currentIndex(), 0);
      QVERIFY(!graph.ChartImage().isNull());
    });

    // A month file that cannot be read: its error, and no chart to show or draw.
    std::filesystem::create_directory(Data("202405.csv"));
    OpenGraph([&](Tmonthgraph& graph) {
      QVERIFY(!graph.Sums());
      QCOMPARE(graph.ComboBox1()->count(), 0);
      Click(graph, "SpeedButton1");
      QVERIFY(graph.ChartImage().isNull());
    });
    QCOMPARE(host_->messages.size(), std::size_t{1});
    QCOMPARE(host_->messages[0].icon, MessageIcon::kError);
    QVERIFY(host_->messages[0].text.contains(QStringLiteral("202405.csv")));
  }
};

}  // namespace purselog

QTEST_MAIN(purselog::MonthGraphFormTest)
#include "month_graph_form_test.moc"
