// Printing one picture as one page: scaled into a fixed box inside a frame (see
// reports/print_layout.h), the frame outlined.
#pragma once

#include <QImage>

#include "reports/print_layout.h"

class QPainter;
class QPrinter;

namespace purselog {

// Paints the page on `painter`, whose origin is the top left of the printable area and whose
// units are device pixels.
void PaintPrintedPage(QPainter& painter, const PrintPlacement& placement, const QImage& picture);

// PrintBitmap: prints the picture as one document on the printer as the print dialog left it
// (its resolution, its copies, its job title). Throws AppError when the printer cannot be
// started.
void PrintBitmap(QPrinter& printer, const QImage& picture);

}  // namespace purselog
