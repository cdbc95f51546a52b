#include "ui/category_settings/himoku_form.h"

#include <QAction>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include "ui/category_settings/settings_grid.h"
#include "ui/common/command.h"
#include "ui/common/glass.h"
#include "ui/common/look.h"
#include "ui/common/resources.h"
#include "ui/common/skin.h"

namespace purselog {

namespace {

constexpr int kWidth = 454;
constexpr int kHeight = 368;
constexpr int kButtonTop = 328;
const QRect kGridGeometry(16, 32, 425, 289);
const char* const kIconFilter = "Pacfile or bmp 16*16(*.pac *.bmp)|*.pac;*.bmp";

}  // namespace

THIMOKUForm::THIMOKUForm(Host& host, Book& book, IconSlotPictures& pictures,
                         const std::vector<QImage>& builtin_icons, QWidget* parent)
    : SkinnedDialog(parent, "HIMOKUForm", QStringLiteral("費目設定"), QSize(kWidth, kHeight),
                    Placement::kCentredAtEachShowing),
      host_(host),
      book_(book),
      pictures_(pictures),
      builtin_icons_(builtin_icons) {
  label1_ = MakeTitleLabel(this, "Label1", QStringLiteral("費目設定"), QRect(10, 3, 200, 17));

  model_ = new CategorySettingsModel(
      table_,
      [this](const IconChoice& icon) { return ChosenPicture(icon, builtin_icons_, pictures_); },
      this);
  grid_ = new SettingsGrid(*model_, this);
  grid_->setObjectName(QStringLiteral("StringGrid1"));
  grid_->setGeometry(kGridGeometry);
  ConnectCommand(
      host_, model_, &CategorySettingsModel::CharacterRefused, this,
      [this](const QString& character) {
        host_.ShowMessage(this, QStringLiteral("注意"), UnstorableCharacterMessage(character),
                          MessageIcon::kWarning);
      },
      Qt::QueuedConnection);

  grid_menu_ = new QMenu(this);
  grid_menu_->setObjectName(QStringLiteral("PopupMenu1"));
  grid_menu_->setFont(GothicFont(12));
  const auto item = [this](const char* name, const QString& caption,
                           void (THIMOKUForm::*handler)()) {
    auto* action = new QAction(caption, this);
    action->setObjectName(QString::fromLatin1(name));
    grid_menu_->addAction(action);
    ConnectCommand(host_, action, &QAction::triggered, this, handler);
  };
  item("ADDICON1", QStringLiteral("ADD ICON"), &THIMOKUForm::ADDICON1Click);
  item("DelICON1", QStringLiteral("Del ICON"), &THIMOKUForm::DelICON1Click);
  ConnectCommand(
      host_, grid_, &QWidget::customContextMenuRequested, this,
      [this](const QPoint& point) { grid_menu_->popup(grid_->viewport()->mapToGlobal(point)); });

  QPushButton* add = MakeButton("Button1", QStringLiteral("費目追加"), 16);
  QPalette caption = add->palette();
  caption.setColor(QPalette::ButtonText, kIncomeText);
  add->setPalette(caption);
  ConnectCommand(host_, add, &QPushButton::clicked, this, &THIMOKUForm::Button1Click);
  ConnectCommand(host_, MakeButton("Button2", QStringLiteral("選択行削除"), 104),
                 &QPushButton::clicked, this, &THIMOKUForm::Button2Click);
  ConnectCommand(host_, MakeButton("Button3", QStringLiteral("Cancel"), 256), &QPushButton::clicked,
                 this, &THIMOKUForm::Button3Click);
  ConnectCommand(host_, MakeButton("Button4", QStringLiteral("Save Close"), 344),
                 &QPushButton::clicked, this, &THIMOKUForm::Button4Click);
}

THIMOKUForm::~THIMOKUForm() = default;

QPushButton* THIMOKUForm::MakeButton(const char* name, const QString& caption, int left) {
  auto* button = new QPushButton(caption, this);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(left, kButtonTop, 81, 25);
  button->setFont(GothicFont(12));
  // Enter belongs to the grid's cells: the window presses no default button on it; a button
  // that has the focus takes it itself.
  button->setAutoDefault(false);
  button->setDefault(false);
  PressOnEnter(button);
  return button;
}

bool THIMOKUForm::Prepare() {
  grid_->CommitOpenEdit();
  CategorySettingsTable table = table_;
  const Outcome loaded = book_.LoadCategorySettings(table);
  ShowNotices(host_, this, loaded.notices);
  if (!loaded.done) return false;
  model_->Replace(std::move(table));
  table_.PlaceIcons(book_.categories(), book_.icon_slots().UsedNames());
  model_->IconsChanged();
  grid_->ShowColumnWidths();
  if (model_->rowCount() > 0) grid_->SetCurrentCell(model_->index(0, 0));
  grid_->scrollToTop();
  return true;
}

void THIMOKUForm::Button1Click() {
  grid_->CommitOpenEdit();
  model_->AddRow();
}

void THIMOKUForm::Button2Click() {
  grid_->CommitOpenEdit();
  const QModelIndex current = grid_->currentIndex();
  const CategorySettingsTable::Deletion deletion = model_->DeleteRows(grid_->SelectedTableRows());
  if (!deletion.removed.empty() && model_->rowCount() > 0) {
    const int row =
        std::min(CategorySettingsModel::ModelRow(deletion.removed.front()), model_->rowCount() - 1);
    grid_->SetCurrentCell(model_->index(row, current.isValid() ? current.column() : 0));
  }
  if (deletion.refused) {
    host_.ShowMessage(this, QStringLiteral("警告"), QStringLiteral("この行は削除できません"),
                      MessageIcon::kNone);
  }
}

void THIMOKUForm::Button3Click() {
  grid_->CommitOpenEdit();
  reject();
}

void THIMOKUForm::Button4Click() {
  grid_->CommitOpenEdit();
  grid_->StoreColumnWidths();
  // A table that cannot be written keeps the window open with its edits.
  const Outcome saved = book_.SaveCategories(table_);
  ShowNotices(host_, this, saved.notices);
  if (saved.done) accept();
}

void THIMOKUForm::ADDICON1Click() {
  const int slot = IconSlotOfRow(grid_->TableRowAtRememberedPoint());
  if (slot < 0) return;
  const std::optional<QString> chosen =
      host_.OpenFileName(this, FileDialogRequest{QString::fromUtf8(kIconFilter), {}, {}});
  if (!chosen) return;
  // A file that makes no icon ends the command without a word.
  std::optional<std::string> name =
      pictures_.AddIcon(slot, QFile::encodeName(*chosen).toStdString(), book_.paths().PacsDir());
  if (!name) return;
  book_.AddIcon(slot, std::move(*name));
  table_.PlaceSlotIcons(book_.icon_slots().UsedNames());
  model_->IconsChanged();
}

void THIMOKUForm::DelICON1Click() {
  const int slot = IconSlotOfRow(grid_->TableRowAtRememberedPoint());
  if (slot < 0) return;
  book_.DelIcon(slot);
  pictures_.Set(slot, QImage());
  table_.PlaceSlotIcons(book_.icon_slots().UsedNames());
  model_->IconsChanged();
}

void THIMOKUForm::FormShow() { grid_->setFocus(); }

}  // namespace purselog
