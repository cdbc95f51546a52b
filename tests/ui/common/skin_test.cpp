// The painted window frame and the title drag.
#include <QLabel>
#include <QtTest>

#include "ui/common/skin.h"

namespace purselog {

namespace {

QImage Solid(int width, int height, QColor color) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(color);
  return image;
}

// Every pixel of the rectangle has the colour.
bool Filled(const QImage& image, const QRect& rect, QColor color) {
  for (int y = rect.top(); y <= rect.bottom(); ++y) {
    for (int x = rect.left(); x <= rect.right(); ++x) {
      if (image.pixelColor(x, y) != color) return false;
    }
  }
  return true;
}

}  // namespace

class SkinTest : public QObject {
  Q_OBJECT

 private slots:
  void piecesAreCopiedAndTheirSlicesStretched() {
    SkinPieces pieces{Solid(32, 21, Qt::red),    Solid(32, 21, Qt::darkRed),
                      Solid(32, 6, Qt::green),   Solid(32, 6, Qt::darkGreen),
                      Solid(6, 15, Qt::magenta), Solid(6, 15, Qt::darkMagenta)};
    // The slices that make the edges: columns 29-30 of the left corners, row 0 of the sides.
    for (int y = 0; y < 21; ++y) {
      pieces.lt.setPixelColor(29, y, Qt::blue);
      pieces.lt.setPixelColor(30, y, Qt::blue);
    }
    for (int y = 0; y < 6; ++y) {
      pieces.lb.setPixelColor(29, y, Qt::cyan);
      pieces.lb.setPixelColor(30, y, Qt::cyan);
    }
    for (int x = 0; x < 6; ++x) {
      pieces.l.setPixelColor(x, 0, Qt::yellow);
      pieces.r.setPixelColor(x, 0, Qt::gray);
    }
    QImage target(454, 368, QImage::Format_RGB32);
    target.fill(Qt::black);
    PaintSkin(target, pieces);

    QVERIFY(Filled(target, QRect(32, 0, 390, 21), Qt::blue));  // x = 32 ... 421
    QCOMPARE(target.pixelColor(30, 0), QColor(Qt::blue));      // the slice in the corner itself
    QCOMPARE(target.pixelColor(31, 0), QColor(Qt::red));
    QCOMPARE(target.pixelColor(422, 0), QColor(Qt::darkRed));
    QVERIFY(Filled(target, QRect(32, 362, 390, 6), Qt::cyan));
    QCOMPARE(target.pixelColor(453, 367), QColor(Qt::darkGreen));
    QVERIFY(Filled(target, QRect(0, 21, 6, 341), Qt::yellow));  // y = 21 ... 361
    QCOMPARE(target.pixelColor(0, 362), QColor(Qt::green));
    QVERIFY(Filled(target, QRect(448, 21, 6, 341), Qt::gray));
    QVERIFY(Filled(target, QRect(6, 21, 442, 341), Qt::white));  // the inside
  }

  void theShippedPiecesHaveTheirSizes() {
    const SkinPieces& pieces = BuiltinSkinPieces();
    QCOMPARE(pieces.lt.size(), QSize(32, 21));
    QCOMPARE(pieces.rt.size(), QSize(32, 21));
    QCOMPARE(pieces.lb.size(), QSize(32, 6));
    QCOMPARE(pieces.rb.size(), QSize(32, 6));
    QCOMPARE(pieces.l.size(), QSize(6, 15));
    QCOMPARE(pieces.r.size(), QSize(6, 15));
  }

  void onlyTheLeftButtonDragsTheWindow() {
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setGeometry(100, 100, 200, 100);
    auto* title = new QLabel(QStringLiteral("title"), &window);
    title->setGeometry(10, 5, 150, 17);
    TitleDrag::Install(title);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QPoint start = window.pos();

    QTest::mousePress(title, Qt::RightButton, {}, QPoint(5, 5));
    QMouseEvent right_move(QEvent::MouseMove, QPointF(40, 30), title->mapToGlobal(QPointF(40, 30)),
                           Qt::NoButton, Qt::RightButton, {});
    QApplication::sendEvent(title, &right_move);
    QTest::mouseRelease(title, Qt::RightButton, {}, QPoint(40, 30));
    QCOMPARE(window.pos(), start);

    QTest::mousePress(title, Qt::LeftButton, {}, QPoint(5, 5));
    QMouseEvent left_move(QEvent::MouseMove, QPointF(45, 25), title->mapToGlobal(QPointF(45, 25)),
                          Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(title, &left_move);
    QTest::mouseRelease(title, Qt::LeftButton, {}, QPoint(45, 25));
    QCOMPARE(window.pos(), start + QPoint(40, 20));
  }
};

}  // namespace purselog

QTEST_MAIN(purselog::SkinTest)
#include "skin_test.moc"
