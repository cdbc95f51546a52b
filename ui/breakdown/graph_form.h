// Tgraphform: the category breakdown window. It presents what it is handed (the table rows, the
// totals and the title of one breakdown): the pie of the expense categories, the table from the
// largest amount down with each category's colour and icon, the income, expense and balance
// lines, "Print" (the printed report) and "OK", which closes it (Esc too). "OK" has the focus at
// each showing; Tab goes to "Print" and back. Created once, shown modally as often as needed,
// refilled completely at every showing.
#pragma once

#include <QImage>
#include <vector>

#include "core/color.h"
#include "reports/breakdown.h"
#include "ui/common/host.h"
#include "ui/common/skinned_dialog.h"

class QFrame;
class QLabel;
class QTableWidget;
class QToolButton;

namespace purselog {

class Tgraphform : public SkinnedDialog {
  Q_OBJECT

 public:
  Tgraphform(Host& host, QWidget* parent);

  // What the next showing presents: the breakdown, the chart colours, and the built-in category
  // icons (icon k for category index k).
  void Prepare(BreakdownView view, const ChartPaletteColors& palette,
               std::vector<QImage> builtin_icons);

  QLabel* Label1() const { return label1_; }  // title
  QLabel* Label3() const { return label3_; }  // expense value
  QLabel* Label4() const { return label4_; }  // income value
  QLabel* Label5() const { return label5_; }  // balance value
  QLabel* Label6() const { return label6_; }  // income caption
  QLabel* Label7() const { return label7_; }  // expense caption
  QLabel* Label8() const { return label8_; }  // balance caption
  QTableWidget* grid() const { return grid_; }
  // The pie as shown in Image2.
  const QImage& ChartImage() const { return chart_; }

  void SpeedButton1Click();  // "OK"
  void SpeedButton2Click();  // draws the pie
  void SpeedButton3Click();  // "Print"

  // ReportImage: the report as printed, composed afresh from what the window shows.
  QImage ComposeReportImage() const;
  // Composes the report, asks the print dialog, prints one page when confirmed.
  void PrintReport();

  // Esc closes the window as "OK" does; the window's close request does nothing.
  void reject() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormShow() override;
  void FillTable();
  const QImage* IconOf(const BreakdownRow& row) const;

  Host& host_;
  BreakdownView view_;
  ChartPaletteColors palette_{};
  std::vector<QImage> builtin_icons_;
  QImage chart_;
  QLabel* label1_ = nullptr;
  QLabel* image2_ = nullptr;
  QTableWidget* grid_ = nullptr;
  QLabel* label3_ = nullptr;
  QLabel* label4_ = nullptr;
  QLabel* label5_ = nullptr;
  QLabel* label6_ = nullptr;
  QLabel* label7_ = nullptr;
  QLabel* label8_ = nullptr;
  QFrame* shape1_ = nullptr;
  QToolButton* ok_ = nullptr;
};

}  // namespace purselog
