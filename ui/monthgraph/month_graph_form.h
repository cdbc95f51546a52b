// Tmonthgraph: the monthly income and expense graph. At every showing it sums the twelve month
// files of the year of the book's date as they stand, refills the series list ("総支出",
// "総収入", then the categories), sets the automatic scale and draws the chosen series; the user
// may then pick another series or scale and press "Draw Graph". Only the chosen series
// (SeriesIndex) lasts from one showing to the next. Created once, shown modally.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QImage>
#include <array>
#include <optional>
#include <vector>

#include "book/book.h"
#include "reports/ez_graph.h"
#include "reports/month_graph.h"
#include "ui/common/host.h"
#include "ui/common/skinned_dialog.h"

class QLabel;
class QSpinBox;
class QToolButton;

namespace purselog {

class Tmonthgraph : public SkinnedDialog {
  Q_OBJECT

 public:
  // Reads the book (its date, categories, data folder and chart colours) at every showing;
  // `builtin_icons` are the main window's built-in category icons (icon k for category k).
  Tmonthgraph(Host& host, const Book& book, const std::vector<QImage>& builtin_icons,
              QWidget* parent);

  void SpeedButton1Click();  // "Draw Graph"
  void SpeedButton3Click();  // the aggregation, run at every showing
  void SpeedButton6Click();  // the close buttons
  void ComboBox1Change(int index);
  // Draws item `index` of the series list into `rect`: its icon (the two totals and the
  // categories with a built-in icon) on the item's colour, its text beside it.
  void ComboBox1DrawItem(QPainter& painter, int index, const QRect& rect, bool selected) const;

  int SeriesIndex() const { return series_index_; }
  // The sums of the last showing; none when they could not be read.
  const std::optional<MonthSums>& Sums() const { return sums_; }
  // The chart as shown in Image2 (null while there is none).
  const QImage& ChartImage() const { return chart_; }
  QLabel* Label1() const { return label1_; }
  QSpinBox* SpinEdit1() const { return spin_edit1_; }
  QComboBox* ComboBox1() const { return combo_box1_; }

 private:
  void FormShow() override;
  void ClearChart();

  Host& host_;
  const Book& book_;
  const std::vector<QImage>& builtin_icons_;
  std::array<QImage, 2> total_icons_;  // the expense and the income icon of inouticons
  TezGraph graph_;
  CanvasFont graph_font_;
  std::optional<MonthSums> sums_;
  int series_index_ = 0;
  QImage chart_;
  QLabel* label1_ = nullptr;
  QLabel* image2_ = nullptr;
  QSpinBox* spin_edit1_ = nullptr;
  QComboBox* combo_box1_ = nullptr;
};

}  // namespace purselog
