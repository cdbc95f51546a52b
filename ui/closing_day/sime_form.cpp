#include "ui/closing_day/sime_form.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include "ledger/period.h"
#include "ui/common/command.h"
#include "ui/common/glass.h"
#include "ui/common/look.h"
#include "ui/common/skin.h"

namespace purselog {

namespace {

constexpr int kWidth = 234;
constexpr int kHeight = 127;
const char* const kErrorCaption = "error";

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QPoint& at) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setFont(GothicFont(12));
  label->move(at);
  label->adjustSize();
  return label;
}

}  // namespace

Tsimeform::Tsimeform(Host& host, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), host_(host) {
  setObjectName(QStringLiteral("simeform"));
  setWindowTitle(QStringLiteral("締め日変更"));
  setFixedSize(kWidth, kHeight);
  setFont(GothicFont(12));

  radio1_ = new QRadioButton(QStringLiteral("毎月 1日～月末まで"), this);
  radio1_->setObjectName(QStringLiteral("RadioButton1"));
  radio1_->move(24, 20);
  radio1_->adjustSize();

  radio2_ = new QRadioButton(this);
  radio2_->setObjectName(QStringLiteral("RadioButton2"));
  radio2_->move(24, 52);
  radio2_->adjustSize();
  // Its caption stands apart, before the edit box, and selects it when clicked.
  every_month_ = MakeLabel(this, "Label1", QStringLiteral("毎月"), QPoint(56, 52));
  every_month_->installEventFilter(this);

  edit_ = new QLineEdit(QStringLiteral("25"), this);
  edit_->setObjectName(QStringLiteral("Edit1"));
  edit_->setGeometry(96, 48, 49, 21);
  MakeLabel(this, "Label2", QStringLiteral("日締"), QPoint(152, 52));

  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setObjectName(QStringLiteral("Button1"));
  ok_->setGeometry(64, 88, 75, 25);
  ok_->setDefault(true);

  // The radio buttons share the dialog as their group; the edit box follows the second.
  connect(radio2_, &QRadioButton::toggled, edit_, &QWidget::setEnabled);
  ConnectCommand(host_, ok_, &QPushButton::clicked, this, &Tsimeform::Button1Click);
  setTabOrder(radio1_, radio2_);
  setTabOrder(radio2_, edit_);
  setTabOrder(edit_, ok_);

  Prepare(0);
  CentreOnScreen(*this);
}

void Tsimeform::Prepare(int closing_day) {
  result_ = closing_day;
  if (closing_day != 0) {
    radio2_->setChecked(true);
    edit_->setText(QString::number(closing_day));
  } else {
    radio1_->setChecked(true);
  }
  edit_->setEnabled(radio2_->isChecked());
}

void Tsimeform::Button1Click() {
  if (radio1_->isChecked()) {
    result_ = 0;
    accept();
    return;
  }
  const ClosingDayEntry entry = ReadClosingDayText(FromGlass(edit_->text()));
  if (!entry.day) {
    host_.ShowMessage(nullptr, QString::fromLatin1(kErrorCaption),
                      QString::fromStdString(entry.message), MessageIcon::kNone);
    return;
  }
  result_ = *entry.day;
  accept();
}

void Tsimeform::reject() {}

void Tsimeform::closeEvent(QCloseEvent* event) { event->ignore(); }

bool Tsimeform::eventFilter(QObject* watched, QEvent* event) {
  if (watched == every_month_ && event->type() == QEvent::MouseButtonPress &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    radio2_->setChecked(true);
    edit_->setFocus();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace purselog
