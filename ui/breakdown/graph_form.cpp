#include "ui/breakdown/graph_form.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QToolButton>
#include <algorithm>
#include <array>

#include "reports/pie_chart.h"
#include "reports/print_layout.h"
#include "ui/breakdown/print_report.h"
#include "ui/common/command.h"
#include "ui/common/glass.h"
#include "ui/common/look.h"
#include "ui/common/painter_canvas.h"
#include "ui/common/skin.h"

namespace purselog {

namespace {

constexpr int kWidth = 480;
constexpr int kHeight = 233;
constexpr int kChartWidth = 201;
constexpr int kChartHeight = 105;
constexpr int kRowHeight = 21;
constexpr int kColumnWidths[] = {84, 60, 60};
constexpr int kIncomeColour = 3;
constexpr int kExpenseColour = 0;
// Where the report places its parts: the window's own positions.
constexpr QPoint kChartAt(24, 40);
constexpr int kTableLeft = 240;
constexpr int kTableTop = 40;
constexpr int kValueRight = 224;
constexpr int kReportIconSize = 16;
const char* const kJobTitle = "Purselog収支表";

QColor ToColor(const Rgb& color) { return QColor(color.red, color.green, color.blue); }

// Draws a cell tightly, as the fixed narrow columns need: the icon one pixel from the left
// edge, the text two pixels from its edge (after the icon), clipped to the cell.
class TightCellDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    painter->save();
    painter->setClipRect(option.rect);
    const QVariant background = index.data(Qt::BackgroundRole);
    if (background.canConvert<QBrush>()) painter->fillRect(option.rect, background.value<QBrush>());
    QRect text_rect = option.rect.adjusted(2, 0, -2, 0);
    const QPixmap icon = index.data(Qt::DecorationRole).value<QPixmap>();
    if (!icon.isNull()) {
      painter->drawPixmap(option.rect.left() + 1,
                          option.rect.top() + (option.rect.height() - icon.height()) / 2, icon);
      text_rect.setLeft(option.rect.left() + 1 + icon.width() + 2);
    }
    const QVariant alignment = index.data(Qt::TextAlignmentRole);
    painter->setFont(option.font);
    painter->setPen(option.palette.color(QPalette::Text));
    painter->drawText(
        text_rect, alignment.isValid() ? alignment.toInt() : int(Qt::AlignLeft | Qt::AlignVCenter),
        index.data(Qt::DisplayRole).toString());
    painter->restore();
  }
};

void SetTextColor(QLabel* label, const QColor& color) {
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, color);
  label->setPalette(palette);
}

}  // namespace

Tgraphform::Tgraphform(Host& host, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), host_(host) {
  setObjectName(QStringLiteral("graphform"));
  setWindowTitle(QStringLiteral("月別支出グラフ"));
  setFixedSize(kWidth, kHeight);
  setFont(GothicFont(12));

  label1_ = MakeLabel("Label1", QRect(24, 6, 385, 17), Qt::AlignLeft);
  SetTextColor(label1_, Qt::white);
  TitleDrag::Install(label1_);

  image2_ = new QLabel(this);
  image2_->setObjectName(QStringLiteral("Image2"));
  image2_->setGeometry(kChartAt.x(), kChartAt.y(), kChartWidth, kChartHeight);

  grid_ = new QTableWidget(1, 3, this);
  grid_->setObjectName(QStringLiteral("grid"));
  grid_->setGeometry(kTableLeft, kTableTop, 230, 145);
  grid_->setFont(GothicFont(12));
  grid_->verticalHeader()->hide();
  grid_->verticalHeader()->setMinimumSectionSize(1);
  grid_->verticalHeader()->setDefaultSectionSize(kRowHeight);
  grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid_->horizontalHeader()->setMinimumSectionSize(1);
  grid_->horizontalHeader()->setFixedHeight(kRowHeight);
  grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid_->horizontalHeader()->setSectionsClickable(false);
  grid_->horizontalHeader()->setHighlightSections(false);
  grid_->horizontalHeader()->setFont(GothicFont(12));
  for (int column = 0; column < 3; ++column) {
    grid_->horizontalHeader()->resizeSection(column, kColumnWidths[column]);
  }
  QStringList header;
  for (const std::string& text : BreakdownHeader()) header << ToGlass(text);
  grid_->setHorizontalHeaderLabels(header);
  grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setSelectionMode(QAbstractItemView::NoSelection);
  grid_->setFocusPolicy(Qt::NoFocus);
  grid_->setWordWrap(false);
  grid_->setItemDelegate(new TightCellDelegate(grid_));
  // The amounts take what the grid has left beside the first two columns.
  grid_->horizontalHeader()->setStretchLastSection(true);

  label6_ = MakeLabel("Label6", QRect(24, 168, 100, 17), Qt::AlignLeft);
  label4_ = MakeLabel("Label4", QRect(64, 168, 160, 17), Qt::AlignRight);
  label7_ = MakeLabel("Label7", QRect(24, 184, 100, 17), Qt::AlignLeft);
  label3_ = MakeLabel("Label3", QRect(64, 184, 160, 17), Qt::AlignRight);
  label8_ = MakeLabel("Label8", QRect(24, 202, 100, 17), Qt::AlignLeft);
  label5_ = MakeLabel("Label5", QRect(64, 202, 160, 17), Qt::AlignRight);
  // The captions stand in front of the values where both are long.
  label6_->raise();
  label7_->raise();
  label8_->raise();

  shape1_ = new QFrame(this);
  shape1_->setObjectName(QStringLiteral("Shape1"));
  shape1_->setGeometry(24, 198, 201, 1);
  shape1_->setAutoFillBackground(true);
  QPalette rule = shape1_->palette();
  rule.setColor(QPalette::Window, Qt::black);
  shape1_->setPalette(rule);

  connect(MakeCaptionButton(this, "SpeedButton3", QStringLiteral("Print"), QRect(240, 192, 73, 25)),
          &QToolButton::clicked, this, &Tgraphform::SpeedButton3Click);
  ok_ = MakeCaptionButton(this, "SpeedButton1", QStringLiteral("OK"), QRect(320, 192, 73, 25));
  connect(ok_, &QToolButton::clicked, this, &Tgraphform::SpeedButton1Click);
}

QLabel* Tgraphform::MakeLabel(const char* name, const QRect& geometry, Qt::Alignment alignment) {
  auto* label = new QLabel(this);
  label->setObjectName(QString::fromLatin1(name));
  label->setGeometry(geometry);
  label->setFont(GothicFont(12, true));
  label->setAlignment(alignment | Qt::AlignVCenter);
  return label;
}

void Tgraphform::Prepare(BreakdownView view, const ChartPaletteColors& palette,
                         std::vector<QImage> builtin_icons) {
  view_ = std::move(view);
  palette_ = palette;
  builtin_icons_ = std::move(builtin_icons);
}

const QImage* Tgraphform::IconOf(const BreakdownRow& row) const {
  if (row.category_index < 0 || row.category_index >= static_cast<int>(builtin_icons_.size())) {
    return nullptr;
  }
  return &builtin_icons_[static_cast<std::size_t>(row.category_index)];
}

void Tgraphform::FormShow() {
  skin_ = QImage(size(), QImage::Format_RGB32);
  PaintSkin(skin_, BuiltinSkinPieces());
  FillTable();
  SpeedButton2Click();

  label6_->setText(ToGlass(view_.income_caption));
  SetTextColor(label6_, ToColor(palette_[kIncomeColour]));
  label4_->setText(ToGlass(view_.income_text));
  SetTextColor(label4_, ToColor(palette_[kIncomeColour]));
  label7_->setText(ToGlass(view_.expense_caption));
  SetTextColor(label7_, ToColor(palette_[kExpenseColour]));
  label3_->setText(ToGlass(view_.expense_text));
  SetTextColor(label3_, ToColor(palette_[kExpenseColour]));
  label8_->setText(ToGlass(view_.balance_caption));
  label5_->setText(ToGlass(view_.balance_text));
  label1_->setText(ToGlass(view_.title));
  // Centred when first opened; afterwards it keeps the place the user gave it.
  if (!shown_before_) CentreOnScreen(*this);
  shown_before_ = true;
  ok_->setFocus(Qt::OtherFocusReason);
  update();
}

void Tgraphform::FillTable() {
  grid_->clearContents();
  // Always at least one body row, empty when there is nothing to list.
  grid_->setRowCount(std::max<int>(1, static_cast<int>(view_.rows.size())));
  for (std::size_t i = 0; i < view_.rows.size(); ++i) {
    const BreakdownRow& row = view_.rows[i];
    const int r = static_cast<int>(i);
    auto* category = new QTableWidgetItem(ToGlass(row.category));
    category->setBackground(ToColor(palette_[i % palette_.size()]));
    if (const QImage* icon = IconOf(row)) {
      category->setData(Qt::DecorationRole, QPixmap::fromImage(*icon));
    }
    auto* share = new QTableWidgetItem(ToGlass(row.share));
    auto* amount = new QTableWidgetItem(ToGlass(row.amount));
    amount->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (QTableWidgetItem* item : {category, share, amount}) item->setFlags(Qt::ItemIsEnabled);
    share->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    category->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid_->setItem(r, 0, category);
    grid_->setItem(r, 1, share);
    grid_->setItem(r, 2, amount);
  }
  grid_->scrollToTop();
}

void Tgraphform::SpeedButton1Click() { accept(); }

void Tgraphform::SpeedButton2Click() {
  chart_ = QImage(kChartWidth, kChartHeight, QImage::Format_RGB32);
  PainterCanvas canvas(chart_);
  std::vector<MoneySum> amounts;
  for (const BreakdownRow& row : view_.rows) amounts.push_back(row.value);
  DrawBreakdownPie(canvas, amounts, view_.total, palette_);
  image2_->setPixmap(QPixmap::fromImage(chart_));
}

void Tgraphform::SpeedButton3Click() {
  RunCommand(host_, this, [this] { PrintReport(); });
}

QImage Tgraphform::ComposeReportImage() const {
  const int table_rows = grid_->rowCount() + 1;  // the header and the body as shown
  QImage image(kReportWidth, ReportImageHeight(table_rows), QImage::Format_RGB32);
  image.fill(Qt::white);
  PainterCanvas canvas(image);
  canvas.SetBrush(kWhite);
  canvas.SetPen(kBlack);

  // The window's font, bold, black.
  CanvasFont bold = CanvasFontOf(font(), kBlack);
  bold.bold = true;
  canvas.SetFont(bold);
  canvas.TextOut(24, 10, view_.print_title);
  {
    QPainter painter(&image);
    painter.drawImage(kChartAt, chart_);
  }

  // The totals lines with the fonts and colours of their labels.
  struct Line {
    int y;
    const std::string& caption;
    const std::string& value;
    Rgb color;
  };
  const Line lines[] = {
      {168, view_.income_caption, view_.income_text, palette_[kIncomeColour]},
      {184, view_.expense_caption, view_.expense_text, palette_[kExpenseColour]},
      {202, view_.balance_caption, view_.balance_text, kBlack},
  };
  for (const Line& line : lines) {
    CanvasFont line_font = bold;
    line_font.color = line.color;
    canvas.SetFont(line_font);
    canvas.TextOut(24, line.y, line.caption);
  }
  canvas.MoveTo(24, 198);
  canvas.LineTo(225, 198);
  for (const Line& line : lines) {
    CanvasFont line_font = bold;
    line_font.color = line.color;
    canvas.SetFont(line_font);
    canvas.TextOut(kValueRight - canvas.TextWidth(line.value), line.y, line.value);
  }

  // The table, in the last value's font without bold, its columns as wide as their widest texts
  // (the header's included) plus 10.
  CanvasFont table_font = bold;
  table_font.bold = false;
  canvas.SetFont(table_font);
  std::vector<std::array<std::string, 3>> cells;
  cells.push_back({BreakdownHeader()[0], BreakdownHeader()[1], BreakdownHeader()[2]});
  for (const BreakdownRow& row : view_.rows) cells.push_back({row.category, row.share, row.amount});
  int widths[3] = {0, 0, 0};
  for (const auto& row : cells) {
    for (int c = 0; c < 3; ++c) {
      widths[c] = std::max(widths[c], canvas.TextWidth(row[static_cast<std::size_t>(c)]) + 10);
    }
  }
  const int text_left = kTableLeft + kReportIconSize + 2;
  for (std::size_t r = 0; r < cells.size(); ++r) {
    const int y = kTableTop + kReportRowHeight * static_cast<int>(r);
    if (r >= 1) {
      if (const QImage* icon = IconOf(view_.rows[r - 1])) {
        // The icon's bottom-left colour is its background: white on paper.
        QImage scratch = icon->copy(0, 0, kReportIconSize, kReportIconSize)
                             .convertToFormat(QImage::Format_ARGB32);
        const QRgb background = scratch.pixel(0, kReportIconSize - 1);
        for (int py = 0; py < scratch.height(); ++py) {
          for (int px = 0; px < scratch.width(); ++px) {
            if (scratch.pixel(px, py) == background) scratch.setPixel(px, py, qRgb(255, 255, 255));
          }
        }
        QPainter painter(&image);
        painter.drawImage(kTableLeft, y, scratch);
      }
    }
    canvas.SetBrush(r >= 1 ? palette_[(r - 1) % palette_.size()] : kWhite);
    canvas.TextOut(text_left, y, cells[r][0]);
    canvas.SetBrush(kWhite);
    canvas.TextOut(text_left + widths[0], y, cells[r][1]);
    const int amount_right = text_left + widths[0] + widths[1] + widths[2];
    canvas.TextOut(amount_right - canvas.TextWidth(cells[r][2]), y, cells[r][2]);
  }
  return image;
}

void Tgraphform::PrintReport() {
  const QImage report = ComposeReportImage();
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(QString::fromUtf8(kJobTitle));
  if (!host_.ExecPrintDialog(this, printer)) return;
  // The dialog has set the printer and the number of copies.
  printer.setDocName(QString::fromUtf8(kJobTitle));
  PrintBitmap(printer, report);
}

void Tgraphform::reject() { SpeedButton1Click(); }

void Tgraphform::closeEvent(QCloseEvent* event) { event->ignore(); }

void Tgraphform::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

void Tgraphform::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, skin_);
}

}  // namespace purselog
