// Tfnet: the NET window "NET 機能". It fetches the entries waiting on the web service (through
// NetFetch, net/net_fetch.h), shows them in its log, and once they have been fetched again with
// the instruction to delete them on the service, has the book merge them and closes; when lines
// could not be merged it stays open and its log says which and where they were kept.
// Created once, shown modally at each opening; the four stored fields are read at each opening
// (Prepare) and handed back at each closing (Settings()). The password stays in its field for
// the run and is never stored.
#pragma once

#include <string>
#include <vector>

#include "book/book.h"
#include "net/net_fetch.h"
#include "ui/common/host.h"
#include "ui/common/skinned_dialog.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace purselog {

class Tfnet : public SkinnedDialog {
  Q_OBJECT

 public:
  // `book` gives the program's paths and is held still (Book::WaitScope) during a download.
  Tfnet(Host& host, Book& book, QWidget* parent);

  // The opening: URL, PROXY, PORT and ID from ini.ini (their defaults when absent), and the
  // window placed 16 pixels left of and above its parent's corner. Throws FileError when ini.ini
  // cannot be read.
  void Prepare();
  // URL, PROXY, PORT and ID as they stand, to be stored at the closing.
  NetSettings Settings() const;

  THttpCli& HttpCli1() { return fetch_.client(); }
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

 private:
  void FormShow() override;
  // The download step; true when the answer arrived whole. A failure of the HTTP client is shown
  // in the log; any other error is thrown after the buttons are restored.
  bool Download(bool remove);
  NetRequest Request() const;
  void SetLog(const std::vector<std::string>& lines);
  QLineEdit* MakeEdit(const char* name, const char* label_name, const QString& label,
                      const QRect& geometry, int label_left, bool grey = false);

  Host& host_;
  Book& book_;
  NetFetch fetch_;
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
