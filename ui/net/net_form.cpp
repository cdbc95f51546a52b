#include "ui/net/net_form.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <exception>

#include "core/text_codec.h"
#include "net/net_import.h"
#include "ui/common/command.h"
#include "ui/common/glass.h"
#include "ui/common/look.h"
#include "ui/common/resources.h"
#include "ui/common/skin.h"

namespace purselog {

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 342;
// Where the window stands from its parent's top-left corner.
const QPoint kOffsetFromParent(-16, -16);
// The text of a field that can be stored, kept to put back a character that cannot.
const char* const kStoredText = "storedText";

std::string Bytes(const QLineEdit* edit) { return FromGlass(edit->text()); }

}  // namespace

Tfnet::Tfnet(Host& host, Book& book, QWidget* parent)
    : SkinnedDialog(parent, "fnet", QStringLiteral("NET 機能"), QSize(kWidth, kHeight),
                    Placement::kPlacedByWindow),
      host_(host),
      book_(book),
      fetch_(book.paths()) {
  label6_ = MakeTitleLabel(this, "Label6", QStringLiteral("NET 機能"), QRect(10, 3, 200, 17));

  edit1_ = MakeEdit("Edit1", "Label1", QStringLiteral("URL:"), QRect(64, 32, 248, 21), 16);
  speed_button1_ = new QToolButton(this);
  speed_button1_->setObjectName(QStringLiteral("SpeedButton1"));
  speed_button1_->setText(QStringLiteral("Default"));
  speed_button1_->setGeometry(320, 32, 64, 21);
  speed_button1_->setFocusPolicy(Qt::NoFocus);
  edit4_ = MakeEdit("Edit4", "Label2", QStringLiteral("ID:"), QRect(64, 60, 120, 21), 16);
  edit5_ = MakeEdit("Edit5", "Label3", QStringLiteral("Pass:"), QRect(240, 60, 144, 21), 200);
  edit5_->setEchoMode(QLineEdit::Password);
  edit5_->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
  edit2_ = MakeEdit("Edit2", "Label4", QStringLiteral("PROXY:"), QRect(64, 88, 184, 21), 16, true);
  edit3_ = MakeEdit("Edit3", "Label5", QStringLiteral("PORT:"), QRect(296, 88, 88, 21), 256, true);

  // The log: read-only and never focused, but it scrolls, so that a long answer can be read.
  memo1_ = new QPlainTextEdit(this);
  memo1_->setObjectName(QStringLiteral("Memo1"));
  memo1_->setGeometry(16, 118, 368, 176);
  memo1_->setReadOnly(true);
  memo1_->setFocusPolicy(Qt::NoFocus);
  memo1_->setTextInteractionFlags(Qt::NoTextInteraction);
  memo1_->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

  const auto make_button = [this](const char* name, const QString& caption, const QRect& at) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(at);
    button->setAutoDefault(false);
    return button;
  };
  button1_ = make_button("Button1", QStringLiteral("データ確認"), QRect(16, 304, 112, 25));
  button3_ = make_button("Button3", QStringLiteral("cancel"), QRect(144, 304, 96, 25));
  button2_ = make_button("Button2", QStringLiteral("データ取り込み"), QRect(256, 304, 128, 25));

  setTabOrder(edit1_, edit4_);
  setTabOrder(edit4_, edit5_);
  setTabOrder(edit5_, edit2_);
  setTabOrder(edit2_, edit3_);
  setTabOrder(edit3_, button1_);
  setTabOrder(button1_, button3_);
  setTabOrder(button3_, button2_);

  ConnectCommand(host_, speed_button1_, &QToolButton::clicked, this, &Tfnet::SpeedButton1Click);
  ConnectCommand(host_, button1_, &QPushButton::clicked, this, &Tfnet::Button1Click);
  ConnectCommand(host_, button2_, &QPushButton::clicked, this, &Tfnet::Button2Click);
  ConnectCommand(host_, button3_, &QPushButton::clicked, this, &Tfnet::Button3Click);

  fetch_.set_pump([this] { host_.PumpEvents(); });
  edit1_->setText(ToGlass(kDefaultServiceUrl));
}

QLineEdit* Tfnet::MakeEdit(const char* name, const char* label_name, const QString& label,
                           const QRect& geometry, int label_left, bool grey) {
  auto* caption = new QLabel(label, this);
  caption->setObjectName(QString::fromLatin1(label_name));
  caption->setGeometry(label_left, geometry.top(), geometry.left() - label_left - 4,
                       geometry.height());
  caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  if (grey) {
    QPalette palette = caption->palette();
    palette.setColor(QPalette::WindowText, QColor(128, 128, 128));
    caption->setPalette(palette);
  }
  auto* edit = new QLineEdit(this);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setGeometry(geometry);
  // A character that has no Shift_JIS form is refused, as in the day page, rather than sent or
  // stored as "?".
  ConnectCommand(host_, edit, &QLineEdit::textChanged, this, [this, edit](const QString& text) {
    if (const std::optional<QString> refused = UnstorableCharacter(text)) {
      const QSignalBlocker blocker(edit);
      edit->setText(edit->property(kStoredText).toString());
      QMetaObject::invokeMethod(
          this,
          [this, character = *refused] {
            host_.ShowMessage(this, QStringLiteral("注意"), UnstorableCharacterMessage(character),
                              MessageIcon::kWarning);
          },
          Qt::QueuedConnection);
      return;
    }
    edit->setProperty(kStoredText, text);
  });
  return edit;
}

void Tfnet::Prepare() {
  const NetSettings settings = book_.ReadNetSettings();
  edit1_->setText(ToGlass(settings.url));
  edit2_->setText(ToGlass(settings.proxy));
  edit3_->setText(ToGlass(settings.proxy_port));
  edit4_->setText(ToGlass(settings.id));
  // Each field shows its beginning (a long URL its scheme and host).
  for (QLineEdit* edit : {edit1_, edit2_, edit3_, edit4_}) edit->setCursorPosition(0);
  if (const QWidget* owner = parentWidget()) {
    move(owner->frameGeometry().topLeft() + kOffsetFromParent);
  }
}

NetSettings Tfnet::Settings() const {
  return {Bytes(edit1_), Bytes(edit2_), Bytes(edit3_), Bytes(edit4_)};
}

NetRequest Tfnet::Request() const { return {Settings(), Bytes(edit5_)}; }

QStringList Tfnet::LogLines() const { return memo1_->toPlainText().split(QLatin1Char('\n')); }

void Tfnet::FormShow() {
  memo1_->clear();
  button1_->setEnabled(true);
  button3_->setEnabled(true);
  button2_->setEnabled(false);
}

void Tfnet::SetLog(const std::vector<std::string>& lines) {
  QStringList texts;
  texts.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::string& line : lines) texts.push_back(ToGlass(line));
  memo1_->setPlainText(texts.join(QLatin1Char('\n')));
}

bool Tfnet::Download(bool remove) {
  memo1_->clear();
  button1_->setEnabled(false);
  button3_->setEnabled(true);
  button2_->setEnabled(false);
  SetLog({LoadingLogText()});
  NetDownload download;
  try {
    download = book_.DownloadNet(fetch_, Request(), remove);
  } catch (...) {
    button1_->setEnabled(true);
    memo1_->clear();
    throw;
  }
  button1_->setEnabled(true);
  // An import cut short must be completed before another may start.
  if (!remove && download.offers_import && book_.NetImportPending()) {
    download.offers_import = false;
    download.log.push_back(Utf8ToCp932("前回の取り込みが終わっていないため、取り込めません。"));
  }
  SetLog(download.log);
  button2_->setEnabled(download.offers_import);
  ShowNotices(host_, this, download.notices);
  return download.whole;
}

void Tfnet::Button1Click() { Download(false); }

void Tfnet::Button2Click() {
  // Only a whole answer is merged: after a failure the window stays open with the failure in
  // its log (and what arrived kept).
  if (!Download(true)) return;
  Book::NetImport import = book_.ImportNet(fetch_.answer());
  ShowNotices(host_, this, import.outcome.notices);
  if (import.everything_merged) {
    done(QDialog::Accepted);
    return;
  }
  // Some lines could not be merged, or the merge stopped: the log says what and where.
  SetLog(import.log);
  button2_->setEnabled(false);
}

void Tfnet::Button3Click() {
  if (button1_->isEnabled()) {
    done(QDialog::Rejected);
  } else {
    fetch_.Abort();
  }
}

void Tfnet::SpeedButton1Click() { edit1_->setText(ToGlass(kDefaultServiceUrl)); }

void Tfnet::reject() { Button3Click(); }

}  // namespace purselog
