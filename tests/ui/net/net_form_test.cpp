// The NET window, opened from the real main window and talking to a scripted server on
// 127.0.0.1.
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include "net/net_import.h"
#include "support/loopback_server.h"
#include "support/main_window_fixture.h"
#include "ui/common/glass.h"
#include "ui/net/net_form.h"

namespace purselog {

using testing::LoopbackServer;

namespace {

QString FirstLine(const std::string& request) {
  return QString::fromStdString(request.substr(0, request.find("\r\n")));
}

const char* const kOk = "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n";

}  // namespace

class NetFormTest : public MainWindowFixture {
  Q_OBJECT

 public:
  NetFormTest() { options_.position = QPoint(200, 150); }

 private:
  std::unique_ptr<LoopbackServer> server_;

  std::filesystem::path Answer() const { return Path("~net.dat"); }
  std::filesystem::path Ini() const { return Path("ini.ini"); }

  // Answers a check (remove=0) with `check` and an import (remove=1) with `import`.
  void Serve(std::string check, LoopbackServer::Answer import = {}) {
    server_ = std::make_unique<LoopbackServer>(
        [check, import](const std::string& request, int) -> LoopbackServer::Answer {
          if (request.find("&remove=1 ") != std::string::npos) return import;
          return {check};
        });
    WriteBytes(Ini(), "[net]\r\nurl=" + server_->Url("/money/purselog.cgi") + "\r\n");
  }

  // Opens the NET window from the main menu and runs `act` in it.
  void OpenNet(std::function<void(Tfnet&)> act) {
    OpenModal<Tfnet>([this] { Action("NET1")->trigger(); }, std::move(act));
  }

 private slots:
  void init() { SetUp(); }
  void cleanup() {
    TearDown();
    server_.reset();
  }

  void checkShowsTheAnswerAndImportMergesItIntoTheDayPages() {
    const std::string answer = S("20240131,食費,昼食,800,メモ\r\n20240115,交際娯楽,映画,1800,\r\n");
    Serve(kOk + answer, {kOk + answer});
    WriteBytes(Ini(), ReadBytes(Ini()) + "id=" + S("山田") + "\r\n");
    QVERIFY(Start());
    // An entry on the page shown, not yet written: it is written before the merge.
    SetRow(0, {S("食費"), S("外食"), "500"});

    OpenNet([&](Tfnet& net) {
      QCOMPARE(net.pos(), form_->pos() - QPoint(16, 16));
      QCOMPARE(net.Edit1()->text(), QString::fromStdString(server_->Url("/money/purselog.cgi")));
      QCOMPARE(net.Edit4()->text(), QStringLiteral("山田"));
      QCOMPARE(net.Edit2()->text(), QString());
      QVERIFY(!net.Button2()->isEnabled());
      QCOMPARE(net.Memo1()->toPlainText(), QString());
      net.Edit5()->setText(QStringLiteral("pa ss&?%"));

      Click(net.Button1());
      QCOMPARE(FirstLine(server_->Requests().back()),
               QStringLiteral("GET /money/purselog.cgi?action=get&id=%8eR%93c&pass=pa%20ss%26%3f"
                              "%25&remove=0 HTTP/1.0"));
      QCOMPARE(
          net.LogLines(),
          (QStringList{QStringLiteral("20240131,食費,昼食,800,メモ"),
                       QStringLiteral("20240115,交際娯楽,映画,1800,"), QStringLiteral("---"),
                       QStringLiteral("以上のデータでよろしいですか？"),
                       QStringLiteral("よろしければ下の「データ取り込みボタン」を押してください。"),
                       QStringLiteral("取り込んだデータは、サーバから削除されます。")}));
      QVERIFY(net.Button1()->isEnabled());
      QVERIFY(net.Button2()->isEnabled());
      QCOMPARE(ReadBytes(Answer()), answer);
      QVERIFY(!std::filesystem::exists(Data("202401.csv")));  // a check merges nothing
      if (const QByteArray shots = qgetenv("PURSELOG_SCREENSHOT_DIR"); !shots.isEmpty()) {
        net.grab().save(QString::fromLocal8Bit(shots) + QStringLiteral("/net_form.png"));
      }

      Click(net.Button2());
      QVERIFY(!net.isVisible());
    });
    QCOMPARE(FirstLine(server_->Requests().back()),
             QStringLiteral("GET /money/purselog.cgi?action=get&id=%8eR%93c&pass=pa%20ss%26%3f"
                            "%25&remove=1 HTTP/1.0"));
    QCOMPARE(ReadBytes(Data("202401.csv")), S("20240131,食費,外食,500,\r\n"
                                              "20240131,食費,昼食,800,メモ\r\n"
                                              "20240115,交際娯楽,映画,1800,\r\n"));
    // The day shown has its imported entry, and both totals follow.
    QCOMPARE(Model().rowCount(), 2);
    QCOMPARE(Model().index(1, 3).data().toString(), QStringLiteral("メモ"));
    QCOMPARE(form_->Labelday()->text(), QStringLiteral("Sub Total ▲¥1,300 /Day"));
    QCOMPARE(form_->labelsub()->text(), QStringLiteral("Total ▲¥3,100 /Month"));
    QCOMPARE(ReadBytes(Ini()), "[net]\r\nurl=" + server_->Url("/money/purselog.cgi") +
                                   "\r\nid=" + S("山田") + "\r\nproxy=\r\nproxyport=\r\n");
    QVERIFY(host_->messages.empty());
  }

  void failuresAndEmptyAnswersLeaveImportDisabled_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<QString>("received");
    QTest::newRow("empty") << QString::fromLatin1(kOk)
                           << QStringList{QStringLiteral("データはありません。")} << QString();
    QTest::newRow("blank line") << QString::fromLatin1(kOk) + QStringLiteral("\r\n")
                                << QStringList{QString(), QStringLiteral("データはありません。")}
                                << QStringLiteral("\r\n");
    QTest::newRow("not found") << QStringLiteral("HTTP/1.0 404 Not Found\r\n\r\nmissing")
                               << QStringList{QStringLiteral("Failed : 404 Not Found")}
                               << QString();
  }

  void failuresAndEmptyAnswersLeaveImportDisabled() {
    QFETCH(QString, answer);
    QFETCH(QStringList, log);
    QFETCH(QString, received);
    Serve(answer.toStdString());
    QVERIFY(Start());
    OpenNet([&](Tfnet& net) {
      Click(net.Button1());
      QCOMPARE(net.LogLines(), log);
      QVERIFY(!net.Button2()->isEnabled());
      QVERIFY(net.Button1()->isEnabled());
      QCOMPARE(ReadBytes(Answer()), received.toStdString());
    });
    QVERIFY(host_->messages.empty());
  }

  void cancelAbortsAnImportAndNothingIsMerged() {
    Serve(kOk + S("20240131,食費,昼食,800,\r\n"), {kOk + S("20240131,食費,昼食,8"), /*hang=*/true});
    QVERIFY(Start());
    OpenNet([&](Tfnet& net) {
      Click(net.Button1());
      QVERIFY(net.Button2()->isEnabled());
      bool cancelled = false;
      host_->on_pump = [&] {
        if (cancelled || net.HttpCli1().State() != HttpState::kReceivingBody) return;
        // Downloading: only cancel acts, and no command may write the month files.
        QVERIFY(!net.Button1()->isEnabled());
        QVERIFY(!net.Button2()->isEnabled());
        QCOMPARE(net.LogLines(), QStringList{QStringLiteral("Loading")});
        QVERIFY(form_->book().waiting());
        cancelled = true;
        Click(net.Button3());
      };
      Click(net.Button2());
      QVERIFY(cancelled);
      QVERIFY(net.isVisible());
      // The service may have deleted what it began to send: what arrived is kept.
      QCOMPARE(net.LogLines(),
               (QStringList{QStringLiteral("Failed : 404 Connection aborted on request"),
                            QStringLiteral("取り込めなかった 1 行を、プログラムのフォルダの "
                                           "net_unmerged.txt に残しました。")}));
      QCOMPARE(ReadBytes(Answer()), S("20240131,食費,昼食,8"));
      QCOMPARE(ReadBytes(Path("net_unmerged.txt")), S("20240131,食費,昼食,8\r\n"));
      QVERIFY(!net.Button2()->isEnabled());
      QVERIFY(!form_->book().waiting());
      Click(net.Button3());
      QVERIFY(!net.isVisible());
    });
    QVERIFY(!std::filesystem::exists(Data("202401.csv")));
    QCOMPARE(Model().page(), EmptyDayPage());
  }

  // Lines that cannot be merged keep the window open with the report; an answer beyond the
  // limit is refused; an import cut short is completed when the window is opened next.
  void whatCannotBeMergedIsKeptAndTold() {
    const std::string answer = S("20240131,食費,昼食,800,\r\n20240131,食費,昼 食,800,\r\n");
    Serve(kOk + answer, {kOk + answer});
    QVERIFY(Start());
    OpenNet([&](Tfnet& net) {
      Click(net.Button1());
      Click(net.Button2());
      QVERIFY(net.isVisible());
      QCOMPARE(net.LogLines(),
               (QStringList{QStringLiteral("1 件を取り込みました。"),
                            QStringLiteral("取り込めなかった 1 行を、プログラムのフォルダの "
                                           "net_unmerged.txt に残しました。"),
                            QStringLiteral("2 行目: カンマ以外（引用符のない空白など）で項目が"
                                           "分かれています: 20240131,食費,昼 食,800,")}));
      QVERIFY(!net.Button2()->isEnabled());
      QTest::keyClick(&net, Qt::Key_Escape);
      QVERIFY(!net.isVisible());
    });
    QCOMPARE(ReadBytes(Data("202401.csv")), S("20240131,食費,昼食,800,\r\n"));
    QCOMPARE(ReadBytes(Path("net_unmerged.txt")), S("20240131,食費,昼 食,800,\r\n"));

    server_ = std::make_unique<LoopbackServer>(
        std::vector<LoopbackServer::Answer>{{kOk + std::string(kMaxNetAnswerBytes + 1, 'x')}});
    WriteBytes(Ini(), "[net]\r\nurl=" + server_->Url("/money/purselog.cgi") + "\r\n");
    OpenNet([&](Tfnet& net) {
      Click(net.Button1());
      QCOMPARE(net.LogLines(),
               QStringList{QStringLiteral("Failed : 404 answer larger than 64 MiB")});
      QVERIFY(!net.Button2()->isEnabled());
    });

    BeginNetImport(S("20240131,食費,夕食,900,\r\n"), Paths());
    OpenNet([&](Tfnet&) {});
    QCOMPARE(host_->messages.back().text,
             QStringLiteral("中断していた取り込みを完了しました。\n1 件を取り込みました。"));
    QCOMPARE(ReadBytes(Data("202401.csv")),
             S("20240131,食費,昼食,800,\r\n20240131,食費,夕食,900,\r\n"));
    QCOMPARE(Model().rowCount(), 2);
  }

  void closingStoresTheFourFieldsButNeverThePassword() {
    QVERIFY(Start());
    OpenNet([&](Tfnet& net) {
      QCOMPARE(net.Edit1()->text(), QStringLiteral("http://127.0.0.1:8470/money/purselog.cgi"));
      net.Edit4()->setText(QStringLiteral("hanako"));
      net.Edit4()->insert(QStringLiteral("😀"));  // no Shift_JIS form: refused
      QCOMPARE(net.Edit4()->text(), QStringLiteral("hanako"));
      net.Edit2()->setText(QStringLiteral("proxy.example"));
      net.Edit3()->setText(QStringLiteral("3128"));
      net.Edit5()->setText(QStringLiteral("secret"));
      net.Edit1()->setText(QStringLiteral("elsewhere"));
      net.findChild<QToolButton*>(QStringLiteral("SpeedButton1"))->click();
      Click(net.Button3());
    });
    QCoreApplication::processEvents();
    QCOMPARE(host_->messages.size(), std::size_t{1});
    QCOMPARE(host_->messages[0].text, UnstorableCharacterMessage(QStringLiteral("😀")));
    QCOMPARE(ReadBytes(Ini()),
             std::string("[net]\r\nurl=http://127.0.0.1:8470/money/purselog.cgi\r\n"
                         "proxy=proxy.example\r\nproxyport=3128\r\nid=hanako\r\n"));

    // The stored fields are read again at the next opening; the password stayed in its field.
    WriteBytes(Ini(), "[net]\r\nid=taro\r\n");
    OpenNet([](Tfnet& net) {
      QCOMPARE(net.Edit4()->text(), QStringLiteral("taro"));
      QCOMPARE(net.Edit2()->text(), QString());
      QCOMPARE(net.Edit5()->text(), QStringLiteral("secret"));
      QTest::keyClick(&net, Qt::Key_Escape);
      QVERIFY(!net.isVisible());
    });
    QCOMPARE(host_->modal_windows,
             (std::vector<QString>{QStringLiteral("fnet"), QStringLiteral("fnet")}));
  }
};

}  // namespace purselog

QTEST_MAIN(purselog::NetFormTest)
#include "net_form_test.moc"
