// Tfnet: the NET window "NET 機能". It fetches the entries waiting on the web service into
// ~net.dat, shows them in its log, and closes with the import result once they have been fetched
// again with the instruction to delete them on the service; the main window then merges that
// answer (Answer(), the bytes ~net.dat holds).
// Created once, shown modally at each opening; the four stored fields are read from ini.ini at
// each opening (Prepare) and written back at each closing (SaveSettings). The password stays in
// its field for the run and is never stored.
#pragma once

#include <QDialog>
#include <QImage>
#include <string>
#include <vector>

#include "book/book.h"
#include "net/http_cli.h"
#include "ui/common/host.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace purselog {

class Tfnet : public QDialog {
  Q_OBJECT

 public:
  // `book` gives the program's paths and is held still (Book::WaitScope) during a download.
  Tfnet(Host& host, Book& book, QWidget* parent);

  // The opening: URL, PROXY, PORT and ID from ini.ini (their defaults when absent), the import
  // result cleared, and the window placed 16 pixels left of and above its parent's corner.
  // Throws FileError when ini.ini cannot be read.
  void Prepare();
  // Whether the window closed with the import: Answer() is a fresh, complete answer to merge
  // (~net.dat holds it too, unless it could not be written; the error has then been shown).
  bool Result() const { return import_; }
  // The answer of the last download that arrived whole, as received.
  const std::string& Answer() const { return answer_; }
  // Writes URL, PROXY, PORT and ID to ini.ini in one rewrite. Throws IniWriteError.
  void SaveSettings() const;

  THttpCli& HttpCli1() { return http_; }
  QLineEdit* Edit1() const { return edit1_; }  // URL
  QLineEdit* Edit2() const { return edit2_; }  // PROXY
  QLineEdit* Edit3() const { return edit3_; }  // PORT
  QLineEdit* Edit4() const { return edit4_; }  // ID
  QLineEdit* Edit5() const { return edit5_; }  // password
  QPlainTextEdit* Memo1() const { return memo1_; }
  QPushButton* Button1() const { return button1_; }  // "データ確認"
  QPushButton* Button2() const { return button2_; }  // "データ取り込み"
  QPushButton* Button3() const { return button3_; }  // "cancel"
  QLabel* Label6() const { return label6_; }         // the title
  // The log as shown, one text per line.
  QStringList LogLines() const;

  void Button1Click();       // check: download without deleting
  void Button2Click();       // import: download with deleting, then close with the import result
  void Button3Click();       // close without import, or abort the running download
  void SpeedButton1Click();  // the default service address into the URL field

  // Esc and the window's close request act as "cancel".
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void FormShow();
  // The download step; true when the answer arrived whole. A failure of the HTTP client is shown
  // in the log; any other error is thrown after the buttons are restored.
  bool Download(bool remove);
  void SetLog(const std::vector<std::string>& lines);
  QLineEdit* MakeEdit(const char* name, const char* label_name, const QString& label,
                      const QRect& geometry, int label_left, bool grey = false);
  void RunHandler(void (Tfnet::*handler)());

  Host& host_;
  Book& book_;
  THttpCli http_;
  bool import_ = false;
  std::string answer_;
  QImage skin_;
  QLabel* label6_ = nullptr;
  QLineEdit* edit1_ = nullptr;
  QLineEdit* edit2_ = nullptr;
  QLineEdit* edit3_ = nullptr;
  QLineEdit* edit4_ = nullptr;
  QLineEdit* edit5_ = nullptr;
  QToolButton* speed_button1_ = nullptr;
  QPlainTextEdit* memo1_ = nullptr;
  QPushButton* button1_ = nullptr;
  QPushButton* button2_ = nullptr;
  QPushButton* button3_ = nullptr;
};

}  // namespace purselog
