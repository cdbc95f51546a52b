#include "ui/search/find_dialog.h"

#include <QApplication>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <exception>
#include <optional>

#include "core/notice.h"
#include "ui/common/command.h"
#include "ui/common/glass.h"
#include "ui/common/look.h"

namespace purselog {

namespace {

constexpr int kWidth = 356;
constexpr int kHeight = 72;
constexpr int kGap = 8;
// Room for the title bar and borders the desktop adds around the window.
constexpr int kFrameAllowance = 32;

}  // namespace

TFindDialog::TFindDialog(Host& host, ProgramPaths paths, OpenDay open_day, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      host_(host),
      paths_(std::move(paths)),
      open_day_(std::move(open_day)) {
  setObjectName(QStringLiteral("FindDialog1"));
  setWindowTitle(QStringLiteral("検索"));
  setModal(false);
  setFixedSize(kWidth, kHeight);
  setFont(GothicFont(12));

  auto* label = new QLabel(QStringLiteral("検索する文字列(&N):"), this);
  label->setObjectName(QStringLiteral("FindWhatLabel"));
  label->setGeometry(8, 14, 104, 21);

  text_ = new QLineEdit(this);
  text_->setObjectName(QStringLiteral("FindWhat"));
  text_->setGeometry(112, 12, 148, 23);
  label->setBuddy(text_);

  find_next_ = new QPushButton(QStringLiteral("次を検索(&F)"), this);
  find_next_->setObjectName(QStringLiteral("FindNext"));
  find_next_->setGeometry(270, 11, 78, 25);
  find_next_->setDefault(true);

  cancel_ = new QPushButton(QStringLiteral("キャンセル"), this);
  cancel_->setObjectName(QStringLiteral("Cancel"));
  cancel_->setGeometry(270, 40, 78, 25);

  ConnectCommand(host_, find_next_, &QPushButton::clicked, this, &TFindDialog::FindDialog1Find);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void TFindDialog::Open() {
  // Whatever an earlier opening held is gone before the new one is built.
  index_ = SearchIndex();
  has_index_ = false;
  if (!placed_) {
    PlaceBesideParent();
    placed_ = true;
  }
  host_.ShowModeless(*this);
  text_->setFocus();
  text_->selectAll();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  try {
    index_ = SearchIndex(BuildSearchIndex(paths_));
    has_index_ = true;
  } catch (const std::exception& error) {
    QApplication::restoreOverrideCursor();
    ShowNotice(host_, this, ErrorNotice(error.what()));
    return;
  }
  QApplication::restoreOverrideCursor();
}

void TFindDialog::PlaceBesideParent() {
  // Below the main window, else above it, so that the day page of a hit stays in view; where
  // neither fits, wherever the desktop puts it. Later openings keep where the user left it.
  const QWidget* owner = parentWidget();
  const QScreen* screen = owner != nullptr ? owner->screen() : nullptr;
  if (screen == nullptr) return;
  const QRect desktop = screen->availableGeometry();
  const QRect owner_frame = owner->frameGeometry();
  const int frame_height = kHeight + kFrameAllowance;
  const int left = std::clamp(owner_frame.left(), desktop.left(), desktop.right() - kWidth);
  if (owner_frame.bottom() + kGap + frame_height <= desktop.bottom()) {
    move(left, owner_frame.bottom() + kGap);
  } else if (owner_frame.top() - kGap - frame_height >= desktop.top()) {
    move(left, owner_frame.top() - kGap - frame_height);
  }
}

void TFindDialog::FindDialog1Find() {
  const QString text = text_->text();
  // A character with no Shift_JIS form is in no month file.
  std::optional<std::string> bytes;
  if (!UnstorableCharacter(text)) bytes = FromGlass(text);
  const SearchStep step = index_.Step(bytes, open_day_);
  if (step == SearchStep::kNotFound) {
    host_.ShowMessage(this, QString(), QStringLiteral("Can't find") + text, MessageIcon::kNone);
  }
}

void TFindDialog::FindDialog1Close() {
  index_ = SearchIndex();
  has_index_ = false;
}

void TFindDialog::hideEvent(QHideEvent* event) {
  // Closed by "キャンセル", Esc or the close button; a window the desktop merely hides (with
  // the minimised main window) keeps its index.
  if (!event->spontaneous()) FindDialog1Close();
  QDialog::hideEvent(event);
}

}  // namespace purselog
