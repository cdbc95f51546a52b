// The chart canvas on a QImage: exact, aliased pixels.
#include <QSet>
#include <QtTest>

#include "reports/pie_chart.h"
#include "ui/common/painter_canvas.h"

namespace purselog {

class PainterCanvasTest : public QObject {
  Q_OBJECT

 private slots:
  void rectanglesAndLinesCoverExactlyTheirPixels() {
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(Qt::white);
    PainterCanvas canvas(image);
    canvas.SetBrush({255, 0, 0});
    canvas.Rectangle({1, 1, 5, 4});
    QCOMPARE(image.pixelColor(1, 1), QColor(Qt::black));
    QCOMPARE(image.pixelColor(4, 3), QColor(Qt::black));
    QCOMPARE(image.pixelColor(2, 2), QColor(Qt::red));
    QCOMPARE(image.pixelColor(5, 1), QColor(Qt::white));
    QCOMPARE(image.pixelColor(1, 4), QColor(Qt::white));
    canvas.FillRect({6, 1, 6, 5});  // empty
    QCOMPARE(image.pixelColor(6, 1), QColor(Qt::white));
    canvas.SetPen({0, 0, 255});
    canvas.MoveTo(0, 5);
    canvas.LineTo(7, 5);
    QCOMPARE(image.pixelColor(0, 5), QColor(Qt::blue));
    QCOMPARE(image.pixelColor(6, 5), QColor(Qt::blue));
    QCOMPARE(image.pixelColor(7, 5), QColor(Qt::white));  // the end point stays
  }

  void textCellsAreFilledWithTheBrush() {
    QImage image(60, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    PainterCanvas canvas(image);
    canvas.SetBrush({0, 255, 0});
    const int width = canvas.TextWidth("\\1");
    QVERIFY(width > 0);
    QCOMPARE(canvas.TextHeight("\\1"), QFontMetrics(ScreenFont(canvas.Font())).height());
    canvas.TextOut(2, 3, "\\1");
    QCOMPARE(image.pixelColor(2, 3), QColor(Qt::green));
    QCOMPARE(image.pixelColor(1, 3), QColor(Qt::white));
    QCOMPARE(image.pixelColor(2 + width, 3), QColor(Qt::white));
  }

  void pieWedgesAreAliasedAndRunClockwiseFromTwelve() {
    QImage image(201, 105, QImage::Format_RGB32);
    PainterCanvas canvas(image);
    DrawBreakdownPie(canvas, {Money::FromWhole(1), Money::FromWhole(3)}, Money::FromWhole(4),
                     {Rgb{255, 0, 0}, Rgb{0, 0, 255}});
    // Red from twelve to 91 degrees, then blue round to twelve again.
    QCOMPARE(image.pixelColor(150, 30), QColor(Qt::red));
    QCOMPARE(image.pixelColor(150, 70), QColor(Qt::blue));
    QCOMPARE(image.pixelColor(50, 30), QColor(Qt::blue));
    QCOMPARE(image.pixelColor(100, 0), QColor(Qt::black));  // the rim at twelve
    QCOMPARE(image.pixelColor(0, 0), QColor(Qt::white));
    QCOMPARE(image.pixelColor(100, 103), QColor(Qt::white));  // below the ellipse
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
    }
    QCOMPARE(colours,
             (QSet<QRgb>{qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 0, 255)}));
  }
};

}  // namespace purselog

QTEST_MAIN(purselog::PainterCanvasTest)
#include "painter_canvas_test.moc"
