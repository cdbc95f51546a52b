#include "ui/breakdown/print_report.h"

#include <QPainter>
#include <QPrinter>

#include "core/errors.h"

namespace purselog {

void PaintPrintedPage(QPainter& painter, const PrintPlacement& placement, const QImage& picture) {
  const CanvasRect& at = placement.picture;
  painter.drawImage(QRect(at.left, at.top, at.Width(), at.Height()), picture);
  const CanvasRect& frame = placement.frame;
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(Qt::black, 0));  // cosmetic: one device pixel
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRect(frame.left, frame.top, frame.Width() - 1, frame.Height() - 1));
}

void PrintBitmap(QPrinter& printer, const QImage& picture) {
  const PrintPlacement placement = PlacePrintedPicture(
      picture.width(), picture.height(), printer.logicalDpiX(), printer.logicalDpiY());
  QPainter painter;
  if (!painter.begin(&printer)) {
    const QString target =
        printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
    throw AppError("Cannot print on \"" + target.toStdString() + "\"");
  }
  PaintPrintedPage(painter, placement, picture);
  if (!painter.end()) throw AppError("Printing did not finish");
}

}  // namespace purselog
