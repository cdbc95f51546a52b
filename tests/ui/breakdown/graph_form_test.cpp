// The breakdown window opened from the main window with Ctrl+G, and its printed report.
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QTableWidget>
#include <QToolButton>

#include "support/main_window_fixture.h"
#include "ui/breakdown/graph_form.h"
#include "ui/breakdown/print_report.h"
#include "ui/common/look.h"

namespace purselog {

namespace {

QColor LabelColor(const QLabel* label) { return label->palette().color(QPalette::WindowText); }

}  // namespace

class GraphFormTest : public MainWindowFixture {
  Q_OBJECT

 private:
  // The realistic two months of the golden case, closing on the 25th, on 10 April 2024.
  void UseTwoMonths() {
    const std::filesystem::path input =
        std::filesystem::path(PURSELOG_TEST_DATA_DIR) / "golden" / "breakdown_two_months" / "input";
    std::filesystem::copy(input / "data", Path("data"));
    WriteBytes(Path("ini.ini"), "[setting]\r\nsime=25\r\n");
    host_->today = MakeDate(2024, 4, 10);
  }

  // Opens the breakdown with Ctrl+G and runs `act` on the window while it is shown; returns its
  // result.
  int OpenBreakdown(std::function<void(Tgraphform&)> act) {
    return OpenModal<Tgraphform>([this] { PressKey(Qt::Key_G, Qt::ControlModifier); },
                                 std::move(act));
  }

 private slots:
  void init() { SetUp(); }
  void cleanup() { TearDown(); }

  void showsTheBreakdownOfTheAccountingMonth() {
    UseTwoMonths();
    QVERIFY(Start());
    const ChartPaletteColors palette = form_->ChartPalette();
    host_->print_answers.push_back([](QPrinter&) { return false; });
    const int result = OpenBreakdown([&](Tgraphform& graph) {
      QCOMPARE(graph.size(), QSize(480, 233));
      QCOMPARE(graph.Label1()->text(),
               QStringLiteral("月別支出グラフ   2024年3月26日～2024年4月25日"));
      QTableWidget* grid = graph.grid();
      QCOMPARE(grid->rowCount(), 9);
      QCOMPARE(grid->horizontalHeaderItem(1)->text(), QStringLiteral("構成比(%)"));
      QCOMPARE(grid->selectionMode(), QAbstractItemView::NoSelection);
      // The largest first, in the first colour, with its icon; the amount as stored.
      QCOMPARE(grid->item(0, 0)->text(), QStringLiteral("住居費"));
      QCOMPARE(grid->item(0, 0)->background().color(), ToColor(palette[0]));
      QVERIFY(!grid->item(0, 0)->data(Qt::DecorationRole).value<QPixmap>().isNull());
      QCOMPARE(grid->item(0, 2)->text(), QStringLiteral("¥78000"));
      QCOMPARE(grid->item(0, 2)->textAlignment() & Qt::AlignRight, int(Qt::AlignRight));
      QCOMPARE(grid->item(8, 0)->background().color(), ToColor(palette[8]));
      QCOMPARE(grid->item(0, 1)->flags(), Qt::ItemFlags(Qt::ItemIsEnabled));  // not selectable

      QCOMPARE(graph.Label6()->text(), QStringLiteral("4月度総収入："));
      QCOMPARE(LabelColor(graph.Label6()), ToColor(palette[3]));
      QCOMPARE(LabelColor(graph.Label4()), ToColor(palette[3]));
      QCOMPARE(graph.Label7()->text(), QStringLiteral("4月度総支出："));
      QCOMPARE(LabelColor(graph.Label3()), ToColor(palette[0]));
      QCOMPARE(graph.Label8()->text(), QStringLiteral("4月度収支："));
      QCOMPARE(graph.Label5()->text().left(1), QStringLiteral("¥"));
      QCOMPARE(graph.Label5()->text(), form_->labelsub()->text().mid(6).chopped(7));

      // The pie: the largest slice from twelve o'clock.
      const QImage& chart = graph.ChartImage();
      QCOMPARE(chart.size(), QSize(201, 105));
      QCOMPARE(chart.pixelColor(150, 30), ToColor(palette[0]));
      QCOMPARE(chart.pixelColor(0, 104), QColor(Qt::white));

      graph.close();  // the close request does nothing
      QVERIFY(graph.isVisible());
      // OK has the focus; Tab reaches Print, its focus shown, and Enter presses it; Esc is OK.
      QCOMPARE(QApplication::focusWidget(), graph.findChild<QWidget*>("SpeedButton1"));
      TestHost::Key(Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), graph.findChild<QWidget*>("SpeedButton3"));
      QCOMPARE(QApplication::focusWidget()->grab().toImage().pixelColor(0, 12), kFocusFrame);
      TestHost::Key(Qt::Key_Return);
      QVERIFY(host_->print_answers.empty());  // the print dialog was asked
      TestHost::Key(Qt::Key_Escape);
      QVERIFY(!graph.isVisible());
    });
    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(host_->modal_windows, std::vector<QString>{QStringLiteral("graphform")});
    QVERIFY(host_->messages.empty());
  }

  void nothingToShowGivesTheMessageAndNoWindow() {
    QVERIFY(Start());
    PressKey(Qt::Key_G, Qt::ControlModifier);
    QCOMPARE(host_->messages.size(), std::size_t{1});
    QCOMPARE(host_->messages[0].caption, QStringLiteral("注意"));
    QCOMPARE(host_->messages[0].text, QStringLiteral("適切なデータがありません。"));
    QVERIFY(host_->modal_windows.empty());

    // A month file that cannot be read: its error, and no window.
    std::filesystem::create_directory(Data("202402.csv"));
    WriteBytes(Path("ini.ini"), "[setting]\r\nsime=25\r\n");
    form_.reset();
    QVERIFY(Start());
    host_->messages.clear();
    Button("SpeedButton8")->click();
    QVERIFY(!host_->messages.empty());
    QCOMPARE(host_->messages.back().icon, MessageIcon::kError);
    QVERIFY(host_->messages.back().text.contains(QStringLiteral("202402.csv")));
    QVERIFY(host_->modal_windows.empty());
  }

  void printsTheReportAsOnePage() {
    UseTwoMonths();
    QVERIFY(Start());
    const ChartPaletteColors palette = form_->ChartPalette();
    const std::filesystem::path pdf = Path("report.pdf");
    OpenBreakdown([&](Tgraphform& graph) {
      // The layout is the report's (reports/print_layout); here the picture it paints.
      const QImage report = graph.ComposeReportImage();
      QCOMPARE(report.size(), QSize(480, 18 * 10 + 50));
      QCOMPARE(report.pixelColor(24 + 150, 40 + 30), graph.ChartImage().pixelColor(150, 30));
      QCOMPARE(report.pixelColor(240, 58 + 15), QColor(Qt::white));  // the icon's background
      QCOMPARE(report.pixelColor(258, 58), ToColor(palette[0]));

      // Cancelled: nothing printed, the window stays.
      auto* print = graph.findChild<QToolButton*>(QStringLiteral("SpeedButton3"));
      print->click();
      QVERIFY(!std::filesystem::exists(pdf));
      host_->print_answers.push_back([&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf.string()));
        return true;
      });
      print->click();
      QVERIFY(graph.isVisible());
      graph.SpeedButton1Click();
    });
    const std::string bytes = ReadBytes(pdf);
    QVERIFY(bytes.starts_with("%PDF"));
    const QByteArray document = QByteArray::fromStdString(bytes);
    QCOMPARE(document.count("/Type /Page") - document.count("/Type /Pages"), 1);
    // The job title is the document's title (UTF-16 with its byte order mark).
    const std::string title("\xFE\xFF\0P\0u\0r\0s\0e\0l\0o\0g\x53\xCE\x65\x2F\x88\x68", 24);
    QVERIFY(bytes.find("/Title (" + title + ")") != std::string::npos);
    QVERIFY(host_->messages.empty());
  }

  void thePageFrameAndTheCentredPicture() {
    // At 96 dots per inch a printer pixel is a window pixel.
    QImage picture(480, 212, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QImage page(500, 300, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
      QPainter painter(&page);
      PaintPrintedPage(painter, PlacePrintedPicture(480, 212, 96, 96), picture);
    }
    QCOMPARE(page.pixelColor(0, 0), QColor(Qt::black));
    QCOMPARE(page.pixelColor(475, 286), QColor(Qt::black));
    QCOMPARE(page.pixelColor(476, 286), QColor(Qt::white));
    QCOMPARE(page.pixelColor(29, 42), QColor(Qt::white));
    QCOMPARE(page.pixelColor(30, 42), QColor(Qt::red));
    QCOMPARE(page.pixelColor(445, 225), QColor(Qt::red));  // 416 × 184
    QCOMPARE(page.pixelColor(446, 225), QColor(Qt::white));
    QCOMPARE(page.pixelColor(445, 226), QColor(Qt::white));
  }
};

}  // namespace purselog

QTEST_MAIN(purselog::GraphFormTest)
#include "graph_form_test.moc"
