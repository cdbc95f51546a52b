// The converter's window, offscreen: its controls, the start without a data folder, and runs of
// ">>変換" chosen with the mouse as a user does.
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <filesystem>
#include <memory>

#include "core/text_codec.h"
#include "support/temp_dir.h"
#include "support/test_host.h"
#include "tallyconv/form1.h"

namespace purselog {

using testing::ListDir;
using testing::ReadBytes;
using testing::TempDir;
using testing::TestHost;
using testing::WriteBytes;

class Form1Test : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TempDir> dir_;
  std::unique_ptr<TestHost> host_;
  std::unique_ptr<TForm1> form_;

  std::filesystem::path Data(const char* name) const { return dir_->path() / "data" / name; }

  void Start() {
    form_ = std::make_unique<TForm1>(ProgramPaths{dir_->path()}, *host_);
    QVERIFY(form_->FormCreate());
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
  }

  QStringList Listed() const {
    QStringList names;
    for (int row = 0; row < form_->FileListBox1()->count(); ++row) {
      names << form_->FileListBox1()->item(row)->text();
    }
    return names;
  }

  // Clicks the named entries, the first plainly and the others with Ctrl held.
  void Select(const QStringList& names) {
    QListWidget* list = form_->FileListBox1();
    for (qsizetype i = 0; i < names.size(); ++i) {
      const QList<QListWidgetItem*> found = list->findItems(names[i], Qt::MatchExactly);
      QCOMPARE(found.size(), 1);
      const QRect at = list->visualItemRect(found.front());
      QTest::mouseClick(list->viewport(), Qt::LeftButton,
                        i == 0 ? Qt::NoModifier : Qt::ControlModifier, at.center());
    }
    QCOMPARE(list->selectedItems().size(), names.size());
  }

  void Convert() { QTest::mouseClick(form_->Button1(), Qt::LeftButton); }

  // The one message box shown.
  void ExpectMessage(const char* caption, const QString& text, MessageIcon icon) {
    QCOMPARE(host_->messages.size(), std::size_t{1});
    QCOMPARE(host_->messages[0].caption, QString::fromUtf8(caption));
    QCOMPARE(host_->messages[0].text, text);
    QCOMPARE(host_->messages[0].icon, icon);
  }

 private slots:
  void init() {
    dir_ = std::make_unique<TempDir>();
    host_ = std::make_unique<TestHost>();
    std::filesystem::create_directory(dir_->path() / "data");
  }

  void cleanup() {
    form_.reset();
    host_.reset();
    dir_.reset();
  }

  void TheWindowHasItsCaptionSizeAndControls() {
    WriteBytes(Data("memo.txt"), "");
    WriteBytes(Data("202401"), "");
    Start();
    QCOMPARE(form_->windowTitle(), QStringLiteral("Form1"));
    QCOMPARE(form_->size(), QSize(622, 385));
    QCOMPARE(form_->FileListBox1()->geometry(), QRect(8, 16, 185, 289));
    QCOMPARE(form_->FileListBox1()->selectionMode(), QAbstractItemView::ExtendedSelection);
    QCOMPARE(form_->Button1()->geometry(), QRect(208, 144, 73, 41));
    QCOMPARE(form_->Button1()->text(), QStringLiteral(">>変換"));
    QCOMPARE(form_->Memo1()->geometry(), QRect(288, 16, 313, 297));
    QCOMPARE(Listed(), (QStringList{"202401", "memo.txt"}));
    QVERIFY(host_->messages.empty());
  }

  void WithoutADataFolderTheProgramEnds() {
    std::filesystem::remove(dir_->path() / "data");
    WriteBytes(dir_->path() / "data", "a file, not a folder");
    form_ = std::make_unique<TForm1>(ProgramPaths{dir_->path()}, *host_);
    QVERIFY(!form_->FormCreate());
    QVERIFY(!form_->isVisible());
    ExpectMessage("error", QStringLiteral("dataフォルダがありません"), MessageIcon::kNone);
  }

  void NothingSelectedRefreshesTheListAndSaysDone() {
    WriteBytes(Data("202401"), "5,1\r\n0,0,x\r\n");
    Start();
    WriteBytes(Data("202402"), "");
    Convert();
    QCOMPARE(Listed(), (QStringList{"202401", "202402"}));
    QVERIFY(!std::filesystem::exists(Data("202401.csv")));
    ExpectMessage("ok", QStringLiteral("変換完了"), MessageIcon::kNone);
  }

  void AFileAndItsCsvBothSelected() {
    WriteBytes(Data("202401"), "5,2\r\n0,0,20240101\r\n4,0,a b\r\n1,1,x\r\n");
    WriteBytes(Data("202401.csv"), "old\r\n");
    WriteBytes(Data("notes"), "");
    Start();
    Select({"202401", "202401.csv"});
    Convert();
    // The first is converted; the second, read after it, is the new output, only shown.
    QCOMPARE(ReadBytes(Data("202401.csv")), std::string("20240101,,,,\"a b\"\r\n,x,,,\r\n"));
    QCOMPARE(form_->Memo1()->toPlainText(), QStringLiteral("20240101,,,,\"a b\"\n,x,,,"));
    QCOMPARE(ListDir(dir_->path() / "data"), std::string("202401|202401.csv|notes"));
    ExpectMessage("ok", QStringLiteral("変換完了"), MessageIcon::kNone);
    QVERIFY(form_->FileListBox1()->selectedItems().isEmpty());  // listed afresh

    // A file that is not converted shows its lines as read, in Japanese.
    WriteBytes(Data("notes"), Utf8ToCp932("日付") + "\rsecond\r\n");
    Select({"notes"});
    Convert();
    QCOMPARE(form_->Memo1()->toPlainText(), QStringLiteral("日付\nsecond"));
    QCOMPARE(ListDir(dir_->path() / "data"), std::string("202401|202401.csv|notes"));
  }

  void ACorruptFileStopsTheRun() {
    WriteBytes(Data("1"), "5,1\r\n0,0,one\r\n");
    WriteBytes(Data("2"), "20,0\r\n0,0,two\r\n");
    WriteBytes(Data("3"), "5,1\r\n0,0,three\r\n");
    Start();
    Select({"1", "2", "3"});
    Convert();
    QCOMPARE(ReadBytes(Data("1.csv")), std::string("one,,,,\r\n"));
    QVERIFY(!std::filesystem::exists(Data("2.csv")));
    QVERIFY(!std::filesystem::exists(Data("3.csv")));
    ExpectMessage("tallyconv",
                  QStringLiteral("File contains no data or corrupt file %1.")
                      .arg(QString::fromStdString(Data("2").string())),
                  MessageIcon::kError);
    // The list is as it was, selection included, and the text area shows the refused file.
    QCOMPARE(Listed(), (QStringList{"1", "2", "3"}));
    QCOMPARE(form_->FileListBox1()->selectedItems().size(), 3);
    QCOMPARE(form_->Memo1()->toPlainText(), QStringLiteral("20,0\n0,0,two"));
  }
};

}  // namespace purselog

QTEST_MAIN(purselog::Form1Test)
#include "form1_test.moc"
