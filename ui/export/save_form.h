// Tsaveform: the options window of the CSV export, "saveform". A heading names the month, three
// choices say how expenses and incomes are told apart, "OK" gives the chosen mode and "Cancel"
// gives none. Created once: the last choice stays selected until the program ends. The chosen
// mode has the focus at each showing, the arrow keys change it, Enter is "OK".
#pragma once

#include <QDialog>
#include <optional>

#include "core/date.h"
#include "export/csv_export.h"
#include "ui/common/host.h"

class QLabel;
class QPushButton;
class QRadioButton;

namespace purselog {

class Tsaveform : public QDialog {
  Q_OBJECT

 public:
  Tsaveform(Host& host, QWidget* parent);

  // Before each showing: the heading for the calendar month of `date`, e.g.
  // "3月分をcsvファイルに書き出します。"; no result yet.
  void Prepare(const Date& date);
  // The chosen mode after "OK"; nullopt after "Cancel" or any other way out.
  std::optional<ExportMode> Result() const { return result_; }

  QLabel* Label1() const { return heading_; }
  QRadioButton* RadioButton(ExportMode mode) const;
  QPushButton* SpeedButton1() const { return ok_; }
  QPushButton* SpeedButton2() const { return cancel_; }

  void SpeedButton1Click();  // "OK"
  void SpeedButton2Click();  // "Cancel"

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  std::optional<ExportMode> result_;
  QLabel* heading_ = nullptr;
  QRadioButton* radios_[3] = {};
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

}  // namespace purselog
