#include "ui/monthgraph/month_graph_form.h"

#include <QLabel>
#include <QPainter>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <climits>
#include <functional>

#include "categories/icons/category_icons.h"
#include "core/comma_text.h"
#include "ui/common/command.h"
#include "ui/common/glass.h"
#include "ui/common/look.h"
#include "ui/common/painter_canvas.h"
#include "ui/common/resources.h"
#include "ui/common/skin.h"

namespace purselog {

namespace {

constexpr int kWidth = 673;
constexpr int kHeight = 369;
constexpr QPoint kScreenPosition(227, 128);
constexpr int kChartWidth = 641;
constexpr int kChartHeight = 297;
constexpr int kScaleStep = 10000;
constexpr int kItemHeight = 16;
constexpr int kIconWidth = 18;
constexpr int kIconHeight = 16;
constexpr QRgb kIconKey = qRgb(255, 0, 255);

using ItemPainter = std::function<void(QPainter&, int, const QRect&, bool)>;

// The items of the open list, drawn by the window, 16 pixels high.
class SeriesItemDelegate : public QStyledItemDelegate {
 public:
  SeriesItemDelegate(ItemPainter draw, QObject* parent)
      : QStyledItemDelegate(parent), draw_(std::move(draw)) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    painter->save();
    draw_(*painter, index.row(), option.rect, option.state.testFlag(QStyle::State_Selected));
    painter->restore();
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
    return QSize(option.rect.width(), kItemHeight);
  }

 private:
  ItemPainter draw_;
};

// The closed list shows its chosen item as the open list draws it, inside the box's frame,
// beside its arrow; as selected while the box has the focus.
class SeriesComboBox : public QComboBox {
 public:
  SeriesComboBox(ItemPainter draw, QWidget* parent) : QComboBox(parent), draw_(std::move(draw)) {
    setItemDelegate(new SeriesItemDelegate(draw_, this));
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    if (currentIndex() < 0) return;
    const QRect arrow =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, this);
    QRect field = rect().adjusted(1, 1, -1, -1);
    field.setRight(arrow.left() - 1);
    painter.setClipRect(field);
    draw_(painter, currentIndex(), field, hasFocus());
  }

 private:
  ItemPainter draw_;
};

// The two halves of inouticons, with their key colour left out.
std::array<QImage, 2> LoadTotalIcons() {
  InitResources();
  const QImage pair = QImage(QStringLiteral(":/purselog/inouticons.png"));
  return {WithTransparentBackground(pair.copy(0, 0, kIconWidth, kIconHeight), kIconKey),
          WithTransparentBackground(pair.copy(kIconWidth, 0, kIconWidth, kIconHeight), kIconKey)};
}

}  // namespace

Tmonthgraph::Tmonthgraph(Host& host, const Book& book, const std::vector<QImage>& builtin_icons,
                         QWidget* parent)
    : SkinnedDialog(parent, "monthgraph", QStringLiteral("月別収入・支出グラフ"),
                    QSize(kWidth, kHeight), Placement::kPlacedByWindow),
      host_(host),
      book_(book),
      builtin_icons_(builtin_icons),
      total_icons_(LoadTotalIcons()) {
  move(kScreenPosition);
  graph_font_ = CanvasFontOf(font(), kBlack);

  label1_ =
      MakeTitleLabel(this, "Label1", QStringLiteral("月別収入・支出グラフ"), QRect(24, 6, 617, 17));

  QToolButton* close_glyph = MakeGlyphButton(this, "SpeedButton6", QStringLiteral("btn_close"),
                                             QRect(644, 3, 16, 16), GlyphBackdrop::kTitleBand);
  ConnectCommand(host_, close_glyph, &QToolButton::clicked, this, &Tmonthgraph::SpeedButton6Click);

  image2_ = new QLabel(this);
  image2_->setObjectName(QStringLiteral("Image2"));
  image2_->setGeometry(16, 30, kChartWidth, kChartHeight);

  // The scale: a whole number with no bounds, stepping by 10000.
  spin_edit1_ = new QSpinBox(this);
  spin_edit1_->setObjectName(QStringLiteral("SpinEdit1"));
  spin_edit1_->setGeometry(16, 336, 73, 21);
  spin_edit1_->setRange(INT_MIN, INT_MAX);
  spin_edit1_->setSingleStep(kScaleStep);
  spin_edit1_->setFont(GothicFont(12));

  auto* label3 = new QLabel(QStringLiteral("Y"), this);
  label3->setObjectName(QStringLiteral("Label3"));
  label3->move(96, 340);
  label3->adjustSize();

  combo_box1_ = new SeriesComboBox(
      [this](QPainter& painter, int index, const QRect& rect, bool selected) {
        ComboBox1DrawItem(painter, index, rect, selected);
      },
      this);
  combo_box1_->setObjectName(QStringLiteral("ComboBox1"));
  combo_box1_->setGeometry(160, 336, 113, 18);
  combo_box1_->setFont(GothicFont(12));
  ConnectCommand(host_, combo_box1_, &QComboBox::currentIndexChanged, this,
                 &Tmonthgraph::ComboBox1Change);

  QToolButton* draw = MakeCaptionButton(this, "SpeedButton1", QStringLiteral("Draw Graph"),
                                        QRect(280, 336, 113, 25));
  QPalette draw_text = draw->palette();
  draw_text.setColor(QPalette::ButtonText, QColor(70, 70, 70));
  draw->setPalette(draw_text);
  ConnectCommand(host_, draw, &QToolButton::clicked, this, &Tmonthgraph::SpeedButton1Click);
  ConnectCommand(
      host_,
      MakeCaptionButton(this, "SpeedButton2", QStringLiteral("Close"), QRect(584, 336, 73, 25)),
      &QToolButton::clicked, this, &Tmonthgraph::SpeedButton6Click);
}

void Tmonthgraph::FormShow() {
  // A month file that cannot be read: its error, and no chart.
  if (RunCommand(host_, this, [this] { SpeedButton3Click(); })) {
    RunCommand(host_, this, [this] { SpeedButton1Click(); });
  }
  update();
}

void Tmonthgraph::ClearChart() {
  chart_ = QImage();
  image2_->clear();
}

void Tmonthgraph::SpeedButton3Click() {
  // Nothing of an earlier showing stays, whether or not the sums can be read.
  sums_.reset();
  ClearChart();
  const QSignalBlocker blocker(combo_box1_);
  combo_box1_->clear();
  sums_ =
      ComputeMonthSums(book_.paths().DataDir(), YearOf(book_.CurrentDate()), book_.categories());
  for (const std::string& series : MonthGraphSeries(book_.categories())) {
    combo_box1_->addItem(ToGlass(series));
  }
  // Categories deleted since the last showing: back to the total expense.
  if (series_index_ < 0 || series_index_ >= combo_box1_->count()) series_index_ = kExpenseSeries;
  combo_box1_->setCurrentIndex(series_index_);
  spin_edit1_->setValue(sums_->scale);
}

void Tmonthgraph::SpeedButton1Click() {
  if (!sums_) return;
  // The field's text as typed; a text that is not a whole number counts as 0.
  const int scale = ParseIntegerText(FromGlass(spin_edit1_->cleanText())).value_or(0);
  if (scale <= 0) {
    // The previous chart stays.
    host_.ShowMessage(this, QStringLiteral("error"), QStringLiteral("1以上の値を指定してください"),
                      MessageIcon::kNone);
    return;
  }
  SetUpMonthGraph(graph_, *sums_, series_index_, scale, book_.ChartPalette(), &graph_font_);
  chart_ = QImage(kChartWidth, kChartHeight, QImage::Format_RGB32);
  PainterCanvas canvas(chart_);
  graph_.Draw(canvas);
  image2_->setPixmap(QPixmap::fromImage(chart_));
}

void Tmonthgraph::SpeedButton6Click() { accept(); }

void Tmonthgraph::ComboBox1Change(int index) {
  if (index >= 0) series_index_ = index;
}

void Tmonthgraph::ComboBox1DrawItem(QPainter& painter, int index, const QRect& rect,
                                    bool selected) const {
  const QPalette& colours = combo_box1_->palette();
  painter.fillRect(rect, colours.color(selected ? QPalette::Highlight : QPalette::Base));
  // The icon's key colour shows the item's colour: the icons are drawn with it left out.
  const QImage* icon = nullptr;
  if (index == kExpenseSeries || index == kIncomeSeries) {
    icon = &total_icons_[static_cast<std::size_t>(index)];
  } else if (index >= kFirstCategorySeries &&
             index - kFirstCategorySeries < static_cast<int>(builtin_icons_.size())) {
    icon = &builtin_icons_[static_cast<std::size_t>(index - kFirstCategorySeries)];
  }
  if (icon != nullptr) painter.drawImage(rect.topLeft(), icon->copy(0, 0, kIconWidth, kIconHeight));
  painter.setFont(combo_box1_->font());
  painter.setPen(colours.color(selected ? QPalette::HighlightedText : QPalette::Text));
  painter.drawText(rect.left() + 20, rect.top() + 2 + painter.fontMetrics().ascent(),
                   combo_box1_->itemText(index));
}

}  // namespace purselog
