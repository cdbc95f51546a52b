// Tsimeform: the closing-day dialog "締め日変更". The user chooses calendar months or a
// closing day of 1 to 28; only "OK" closes the dialog, and only with a valid choice. The caller
// prepares it with the closing day in force, shows it modally and takes Result().
#pragma once

#include <QDialog>

#include "ui/common/host.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace purselog {

class Tsimeform : public QDialog {
  Q_OBJECT

 public:
  Tsimeform(Host& host, QWidget* parent);

  // The opening state for the closing day in force: a closing day selects radio button 2 and
  // shows it in the edit box; 0 selects radio button 1 and disables the edit box, which keeps
  // its text ("25" the first time).
  void Prepare(int closing_day);
  // The chosen closing day, 0 for calendar months; the prepared value until "OK" succeeds.
  int Result() const { return result_; }

  QRadioButton* RadioButton1() const { return radio1_; }
  QRadioButton* RadioButton2() const { return radio2_; }
  QLineEdit* Edit1() const { return edit_; }
  QPushButton* Button1() const { return ok_; }

  // "OK": takes the choice and closes, or says what is wrong and stays open.
  void Button1Click();

  // Only "OK" closes the dialog: Esc and the window's close request do nothing.
  void reject() override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Host& host_;
  int result_ = 0;
  QRadioButton* radio1_ = nullptr;
  QRadioButton* radio2_ = nullptr;
  QLineEdit* edit_ = nullptr;
  QLabel* every_month_ = nullptr;
  QPushButton* ok_ = nullptr;
};

}  // namespace purselog
