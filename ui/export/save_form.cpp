#include "ui/export/save_form.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include "ui/common/command.h"
#include "ui/common/look.h"
#include "ui/common/skin.h"

namespace purselog {

namespace {

constexpr int kWidth = 272;
constexpr int kHeight = 156;

}  // namespace

Tsaveform::Tsaveform(Host& host, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName(QStringLiteral("saveform"));
  setWindowTitle(QStringLiteral("saveform"));
  setFixedSize(kWidth, kHeight);
  setFont(GothicFont(12));

  heading_ = new QLabel(this);
  heading_->setObjectName(QStringLiteral("Label1"));
  heading_->setGeometry(0, 12, kWidth, 17);
  heading_->setAlignment(Qt::AlignCenter);

  const char* const names[3] = {"RadioButton1", "RadioButton2", "RadioButton3"};
  const QString captions[3] = {QStringLiteral("支出を－、収入を＋とする。"),
                               QStringLiteral("支出を＋、収入を－とする。"),
                               QStringLiteral("支出、収入をカラム分けして書き出し")};
  for (int i = 0; i < 3; ++i) {
    radios_[i] = new QRadioButton(captions[i], this);
    radios_[i]->setObjectName(QString::fromLatin1(names[i]));
    radios_[i]->setGeometry(32, 40 + 22 * i, 224, 19);
  }
  radios_[2]->setFont(GothicFont(12, true));
  radios_[2]->setChecked(true);

  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  cancel_->setObjectName(QStringLiteral("SpeedButton2"));
  cancel_->setGeometry(52, 118, 75, 25);
  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setObjectName(QStringLiteral("SpeedButton1"));
  ok_->setGeometry(145, 118, 75, 25);
  ok_->setDefault(true);

  ConnectCommand(host, ok_, &QPushButton::clicked, this, &Tsaveform::SpeedButton1Click);
  ConnectCommand(host, cancel_, &QPushButton::clicked, this, &Tsaveform::SpeedButton2Click);

  CentreOnScreen(*this);
}

void Tsaveform::Prepare(const Date& date) {
  result_.reset();
  heading_->setText(QString::number(MonthOf(date)) +
                    QStringLiteral("月分をcsvファイルに書き出します。"));
}

QRadioButton* Tsaveform::RadioButton(ExportMode mode) const {
  return radios_[static_cast<int>(mode) - 1];
}

void Tsaveform::showEvent(QShowEvent* event) {
  for (QRadioButton* radio : radios_) {
    if (radio->isChecked()) radio->setFocus(Qt::OtherFocusReason);
  }
  QDialog::showEvent(event);
}

void Tsaveform::SpeedButton1Click() {
  for (const ExportMode mode :
       {ExportMode::kExpenseNegative, ExportMode::kIncomeNegative, ExportMode::kSeparateColumns}) {
    if (RadioButton(mode)->isChecked()) result_ = mode;
  }
  accept();
}

void Tsaveform::SpeedButton2Click() {
  result_.reset();
  reject();
}

}  // namespace purselog
