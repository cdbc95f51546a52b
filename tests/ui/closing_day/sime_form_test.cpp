// The closing-day dialog, shown offscreen: its opening states, the checks of "OK", and that
// nothing but "OK" closes it.
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <memory>

#include "support/test_host.h"
#include "ui/closing_day/sime_form.h"

namespace purselog {

using testing::TestHost;

namespace {

const QString kNotHalfWidth = QStringLiteral("半角数字で1日から28日の間を指定してください");
const QString kOutOfRange = QStringLiteral("1日から28日の間を指定してください");

}  // namespace

class SimeFormTest : public QObject {
  Q_OBJECT

 private:
  TestHost host_;
  std::unique_ptr<Tsimeform> form_;

  // Types `text` into the edit box with radio button 2 chosen and clicks "OK"; returns the
  // dialog's result code.
  int TypeAndOk(const QString& text) {
    return TestHost::RunModal(*form_, [&] {
      QTest::mouseClick(form_->RadioButton2(), Qt::LeftButton, Qt::NoModifier, QPoint(6, 6));
      form_->Edit1()->selectAll();
      form_->Edit1()->del();
      QTest::keyClicks(form_->Edit1(), text);
      QTest::mouseClick(form_->Button1(), Qt::LeftButton);
    });
  }

 private slots:
  void init() {
    host_ = TestHost();
    form_ = std::make_unique<Tsimeform>(host_, nullptr);
  }

  void cleanup() { form_.reset(); }

  void TheDialogHasItsCaptionSizeAndControls() {
    QCOMPARE(form_->objectName(), QStringLiteral("simeform"));
    QCOMPARE(form_->windowTitle(), QStringLiteral("締め日変更"));
    QCOMPARE(form_->size(), QSize(234, 127));
    const Qt::WindowFlags flags = form_->windowFlags();
    QVERIFY(flags & Qt::CustomizeWindowHint);
    QVERIFY(flags & Qt::WindowTitleHint);
    QVERIFY(!(flags & Qt::WindowCloseButtonHint));
    QVERIFY(!(flags & Qt::WindowSystemMenuHint));
    QCOMPARE(form_->RadioButton1()->pos(), QPoint(24, 20));
    QCOMPARE(form_->RadioButton1()->text(), QStringLiteral("毎月 1日～月末まで"));
    QCOMPARE(form_->RadioButton2()->pos(), QPoint(24, 52));
    auto* every_month = form_->findChild<QLabel*>(QStringLiteral("Label1"));
    QVERIFY(every_month != nullptr);
    QCOMPARE(every_month->text(), QStringLiteral("毎月"));
    QCOMPARE(every_month->pos(), QPoint(56, 52));
    auto* closing = form_->findChild<QLabel*>(QStringLiteral("Label2"));
    QVERIFY(closing != nullptr);
    QCOMPARE(closing->text(), QStringLiteral("日締"));
    QCOMPARE(closing->pos(), QPoint(152, 52));
    QCOMPARE(form_->Edit1()->pos(), QPoint(96, 48));
    QCOMPARE(form_->Edit1()->width(), 49);
    QCOMPARE(form_->Edit1()->text(), QStringLiteral("25"));
    QCOMPARE(form_->Button1()->pos(), QPoint(64, 88));
    QCOMPARE(form_->Button1()->text(), QStringLiteral("OK"));
    // Every control lies inside the window.
    for (QWidget* child : form_->findChildren<QWidget*>()) {
      QVERIFY2(form_->rect().contains(child->geometry()), qPrintable(child->objectName()));
    }
  }

  void PrepareSetsTheOpeningState() {
    form_->Prepare(0);
    QVERIFY(form_->RadioButton1()->isChecked());
    QVERIFY(!form_->Edit1()->isEnabled());
    QCOMPARE(form_->Edit1()->text(), QStringLiteral("25"));
    QCOMPARE(form_->Result(), 0);

    form_->Prepare(10);
    QVERIFY(form_->RadioButton2()->isChecked());
    QVERIFY(!form_->RadioButton1()->isChecked());
    QVERIFY(form_->Edit1()->isEnabled());
    QCOMPARE(form_->Edit1()->text(), QStringLiteral("10"));
    QCOMPARE(form_->Result(), 10);

    // Back to calendar months: the edit box keeps its last text, disabled.
    form_->Edit1()->setText(QStringLiteral("abc"));
    form_->Prepare(0);
    QVERIFY(form_->RadioButton1()->isChecked());
    QVERIFY(!form_->Edit1()->isEnabled());
    QCOMPARE(form_->Edit1()->text(), QStringLiteral("abc"));
  }

  void TheRadioButtonsSwitchTheEditBox() {
    form_->Prepare(0);
    form_->show();
    QTest::mouseClick(form_->RadioButton2(), Qt::LeftButton, Qt::NoModifier, QPoint(6, 6));
    QVERIFY(form_->Edit1()->isEnabled());
    QTest::mouseClick(form_->RadioButton1(), Qt::LeftButton, Qt::NoModifier, QPoint(6, 6));
    QVERIFY(!form_->Edit1()->isEnabled());
    // The caption "毎月" belongs to radio button 2.
    QTest::mouseClick(form_->findChild<QLabel*>(QStringLiteral("Label1")), Qt::LeftButton);
    QVERIFY(form_->RadioButton2()->isChecked());
    QVERIFY(form_->Edit1()->isEnabled());
  }

  void ValidDaysAreTaken_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    QTest::newRow("28") << "28" << 28;
    QTest::newRow("leading blanks") << "  7" << 7;
  }

  void ValidDaysAreTaken() {
    QFETCH(QString, text);
    QFETCH(int, expected);
    form_->Prepare(0);
    QCOMPARE(TypeAndOk(text), int(QDialog::Accepted));
    QCOMPARE(form_->Result(), expected);
    QVERIFY(!form_->isVisible());
    QVERIFY(host_.messages.empty());
  }

  void BadTextKeepsTheDialogOpen_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("29") << "29" << kOutOfRange;
    QTest::newRow("full-width 25") << "２５" << kNotHalfWidth;
  }

  void BadTextKeepsTheDialogOpen() {
    QFETCH(QString, text);
    QFETCH(QString, message);
    form_->Prepare(12);
    bool open_after_ok = false;
    const int result = TestHost::RunModal(*form_, [&] {
      form_->Edit1()->setText(text);
      QTest::mouseClick(form_->Button1(), Qt::LeftButton);
      open_after_ok = form_->isVisible();
    });
    QVERIFY(open_after_ok);
    QCOMPARE(result, int(QDialog::Rejected));
    QCOMPARE(form_->Result(), 12);  // the closing day in force stays
    QCOMPARE(host_.messages.size(), std::size_t{1});
    QCOMPARE(host_.messages[0].caption, QStringLiteral("error"));
    QCOMPARE(host_.messages[0].text, message);
    QCOMPARE(host_.messages[0].icon, MessageIcon::kNone);
  }

  void RadioButtonOneGivesZeroWhateverTheEditHolds() {
    for (const QString& text : {QStringLiteral("29"), QStringLiteral("abc"), QString()}) {
      form_->Prepare(20);
      form_->Edit1()->setText(text);
      const int result = TestHost::RunModal(*form_, [this] {
        QTest::mouseClick(form_->RadioButton1(), Qt::LeftButton, Qt::NoModifier, QPoint(6, 6));
        QTest::mouseClick(form_->Button1(), Qt::LeftButton);
      });
      QCOMPARE(result, int(QDialog::Accepted));
      QCOMPARE(form_->Result(), 0);
      QCOMPARE(form_->Edit1()->text(), text);
    }
    QVERIFY(host_.messages.empty());
  }

  void EnterInTheEditBoxIsOk() {
    form_->Prepare(3);
    const int result = TestHost::RunModal(*form_, [this] {
      form_->Edit1()->setText(QStringLiteral("21"));
      QTest::keyClick(form_->Edit1(), Qt::Key_Return);
    });
    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(form_->Result(), 21);
  }

  void OnlyOkClosesTheDialog() {
    form_->Prepare(5);
    bool open = false;
    TestHost::RunModal(*form_, [&] {
      QTest::keyClick(form_->Edit1(), Qt::Key_Escape);
      QTest::keyClick(form_.get(), Qt::Key_Escape);
      QVERIFY(!form_->close());
      QCloseEvent close;
      QApplication::sendEvent(form_.get(), &close);
      QVERIFY(!close.isAccepted());
      form_->reject();
      open = form_->isVisible();
    });
    QVERIFY(open);
    QCOMPARE(form_->Result(), 5);
    QVERIFY(host_.messages.empty());
  }
};

}  // namespace purselog

QTEST_MAIN(purselog::SimeFormTest)
#include "sime_form_test.moc"
