#include "tallyconv/form1.h"

#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <fstream>

#include "core/errors.h"
#include "core/notice.h"
#include "core/text_file.h"
#include "tallyconv/conversion.h"
#include "ui/common/command.h"
#include "ui/common/glass.h"
#include "ui/common/look.h"
#include "ui/common/skin.h"

namespace purselog {

namespace {

constexpr int kWidth = 622;
constexpr int kHeight = 385;

// The lines as the text area shows them, one under the other, cut after kShownTextBytes.
QString ShownText(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    if (text.size() >= kShownTextBytes) break;
    if (!text.empty()) text += '\n';
    text += line;
  }
  return ToGlass(text);
}

}  // namespace

TForm1::TForm1(const ProgramPaths& paths, Host& host) : paths_(paths), host_(host) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Form1"));
  setFixedSize(kWidth, kHeight);
  setFont(GothicFont(12));

  file_list_ = new QListWidget(this);
  file_list_->setObjectName(QStringLiteral("FileListBox1"));
  file_list_->setGeometry(8, 16, 185, 289);
  file_list_->setSelectionMode(QAbstractItemView::ExtendedSelection);

  button_ = new QPushButton(QStringLiteral(">>変換"), this);
  button_->setObjectName(QStringLiteral("Button1"));
  button_->setGeometry(208, 144, 73, 41);
  connect(button_, &QPushButton::clicked, this, [this] { Button1Click(); });

  // Shows files; what is typed here would never be used, so it takes no typing.
  memo_ = new QPlainTextEdit(this);
  memo_->setObjectName(QStringLiteral("Memo1"));
  memo_->setGeometry(288, 16, 313, 297);
  memo_->setReadOnly(true);
  memo_->setLineWrapMode(QPlainTextEdit::NoWrap);

  CentreOnScreen(*this);
}

bool TForm1::FormCreate() {
  if (!DirectoryExists(paths_.DataDir())) {
    host_.ShowMessage(this, QStringLiteral("error"), QStringLiteral("dataフォルダがありません"),
                      MessageIcon::kNone);
    return false;
  }
  Run([this] { RefreshFileList(); });
  return true;
}

void TForm1::Button1Click() {
  Run([this] {
    const std::filesystem::path data_dir = paths_.DataDir();
    for (int row = 0; row < file_list_->count(); ++row) {
      const QListWidgetItem* item = file_list_->item(row);
      if (!item->isSelected()) continue;
      const std::string name = item->data(Qt::UserRole).toByteArray().toStdString();
      ShowFileText(data_dir / name);
      if (!IsConvertibleName(name)) continue;
      ShowLines(ConvertLegacyFile(data_dir, name));
    }
    RefreshFileList();
    host_.ShowMessage(this, QStringLiteral("ok"), QStringLiteral("変換完了"), MessageIcon::kNone);
  });
}

void TForm1::Run(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::exception& error) {
    ShowNotice(host_, this,
               Notice{std::string(kConverterTitle), WithFinalPeriod(error.what()), true});
  }
}

void TForm1::RefreshFileList() {
  file_list_->clear();
  for (const std::string& name : ListDataFiles(paths_.DataDir())) {
    const QByteArray bytes(name.data(), static_cast<qsizetype>(name.size()));
    auto* item = new QListWidgetItem(QFile::decodeName(bytes), file_list_);
    item->setData(Qt::UserRole, bytes);
  }
}

void TForm1::ShowFileText(const std::filesystem::path& path) {
  std::string bytes(kShownTextBytes, '\0');
  std::ifstream in(path, std::ios::binary);
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(in ? bytes.size() : static_cast<std::size_t>(in.gcount()));
  ShowLines(SplitLines(bytes));
}

void TForm1::ShowLines(const std::vector<std::string>& lines) {
  memo_->setPlainText(ShownText(lines));
  // Each file is seen while it is handled, also in a long run.
  memo_->repaint();
}

}  // namespace purselog
