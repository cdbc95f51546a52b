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

}  // namespace

Tgraphform::Tgraphform(Host& host, QWidget* parent)
    : SkinnedDialog(parent, "graphform", QStringLiteral("月別支出グラフ"), QSize(kWidth, kHeight),
                    Placement::kCentredAtFirstShowing),
      host_(host) {
  label1_ = MakeLabel(this, "Label1", QRect(24, 6, 385, 17), Qt::AlignLeft);
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

  label6_ = MakeLabel(this, "Label6", QRect(24, 168, 100, 17), Qt::AlignLeft);
  label4_ = MakeLabel(this, "Label4", QRect(64, 168, 160, 17), Qt::AlignRight);
  label7_ = MakeLabel(this, "Label7", QRect(24, 184, 100, 17), Qt::AlignLeft);
  label3_ = MakeLabel(this, "Label3", QRect(64, 184, 160, 17), Qt::AlignRight);
  label8_ = MakeLabel(this, "Label8", QRect(24, 202, 100, 17), Qt::AlignLeft);
  label5_ = MakeLabel(this, "Label5", QRect(64, 202, 160, 17), Qt::AlignRight);
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

  ConnectCommand(
      host_,
      MakeCaptionButton(this, "SpeedButton3", QStringLiteral("Print"), QRect(240, 192, 73, 25)),
      &QToolButton::clicked, this, &Tgraphform::SpeedButton3Click);
  ok_ = MakeCaptionButton(this, "SpeedButton1", QStringLiteral("OK"), QRect(320, 192, 73, 25));
  ConnectCommand(host_, ok_, &QToolButton::clicked, this, &Tgraphform::SpeedButton1Click);
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

void Tgraphform::SpeedButton3Click() { PrintReport(); }

QImage Tgraphform::ComposeReportImage() const {
  QImage image(kReportWidth, BreakdownReportHeight(view_), QImage::Format_RGB32);
  PainterCanvas canvas(image);
  std::vector<CanvasPicture> icons;
  for (const QImage& icon : builtin_icons_) icons.push_back(CanvasPictureOf(icon));
  DrawBreakdownReport(canvas, view_, palette_, CanvasFontOf(font(), kBlack), icons);
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

}  // namespace purselog
