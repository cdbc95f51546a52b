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

static_assert(kIconSlotCount == kMaxIconSlots, "the book keeps as many slots as the table has");

namespace {

constexpr int kWidth = 454;
constexpr int kHeight = 368;
constexpr int kButtonTop = 328;
const QRect kGridGeometry(16, 32, 425, 289);
const char* const kIconFilter = "Pacfile or bmp 16*16(*.pac *.bmp)|*.pac;*.bmp";

}  // namespace

THIMOKUForm::THIMOKUForm(Host& host, Book& book, IconSlotPictures& pictures,
                         const std::vector<QImage>& builtin_icons, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      host_(host),
      book_(book),
      pictures_(pictures),
      builtin_icons_(builtin_icons) {
  InitResources();
  setObjectName(QStringLiteral("HIMOKUForm"));
  setWindowTitle(QStringLiteral("費目設定"));
  setFixedSize(kWidth, kHeight);
  setFont(GothicFont(12));
  skin_ = QImage(kWidth, kHeight, QImage::Format_RGB32);
  PaintSkin(skin_, BuiltinSkinPieces());

  label1_ = MakeTitleLabel(this, "Label1", QStringLiteral("費目設定"), QRect(10, 3, 200, 17));

  model_ = new CategorySettingsModel(
      table_, [this](const RowIcon& icon) { return RowPicture(icon); }, this);
  grid_ = new SettingsGrid(*model_, this);
  grid_->setObjectName(QStringLiteral("StringGrid1"));
  grid_->setGeometry(kGridGeometry);
  connect(
      model_, &CategorySettingsModel::CharacterRefused, this,
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
    connect(action, &QAction::triggered, this,
            [this, handler] { Run([&] { (this->*handler)(); }); });
  };
  item("ADDICON1", QStringLiteral("ADD ICON"), &THIMOKUForm::ADDICON1Click);
  item("DelICON1", QStringLiteral("Del ICON"), &THIMOKUForm::DelICON1Click);
  connect(grid_, &QWidget::customContextMenuRequested, this, [this](const QPoint& point) {
    grid_menu_->popup(grid_->viewport()->mapToGlobal(point));
  });

  QPushButton* add = MakeButton("Button1", QStringLiteral("費目追加"), 16);
  QPalette caption = add->palette();
  caption.setColor(QPalette::ButtonText, kIncomeText);
  add->setPalette(caption);
  connect(add, &QPushButton::clicked, this, [this] { Run([this] { Button1Click(); }); });
  connect(MakeButton("Button2", QStringLiteral("選択行削除"), 104), &QPushButton::clicked, this,
          [this] { Run([this] { Button2Click(); }); });
  connect(MakeButton("Button3", QStringLiteral("Cancel"), 256), &QPushButton::clicked, this,
          [this] { Run([this] { Button3Click(); }); });
  connect(MakeButton("Button4", QStringLiteral("Save Close"), 344), &QPushButton::clicked, this,
          [this] { Run([this] { Button4Click(); }); });
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

void THIMOKUForm::Run(const std::function<void()>& action) { RunCommand(host_, this, action); }

std::span<const std::string> THIMOKUForm::UsedSlotNames() const {
  const IconSlots& icon_slots = book_.icon_slots();
  return {icon_slots.names.data(), static_cast<std::size_t>(icon_slots.UsedSlots())};
}

QImage THIMOKUForm::RowPicture(const RowIcon& icon) const {
  switch (icon.kind) {
    case RowIcon::Kind::kBuiltin:
      if (icon.index >= 0 && icon.index < static_cast<int>(builtin_icons_.size())) {
        return builtin_icons_[static_cast<std::size_t>(icon.index)];
      }
      return {};
    case RowIcon::Kind::kSlot:
      return pictures_.Picture(icon.index);
    case RowIcon::Kind::kNone:
      return {};
  }
  return {};
}

bool THIMOKUForm::Prepare() {
  grid_->CommitOpenEdit();
  bool loaded = false;
  Run([this, &loaded] {
    model_->Load(book_.paths().CategoryFile());
    loaded = true;
  });
  if (!loaded) return false;
  table_.PlaceIcons(book_.categories(), UsedSlotNames());
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
  table_.Save(book_.paths().CategoryFile());
  accept();
}

void THIMOKUForm::ADDICON1Click() {
  const int slot = IconSlotOfRow(grid_->TableRowAtRememberedPoint());
  if (slot < 0) return;
  const std::optional<QString> chosen =
      host_.OpenFileName(this, FileDialogRequest{QString::fromUtf8(kIconFilter), {}, {}});
  if (!chosen) return;
  IconSlots& icon_slots = book_.icon_slots();
  // A file that makes no icon ends the command without a word.
  if (!pictures_.AddIcon(slot, QFile::encodeName(*chosen).toStdString(), book_.paths().PacsDir(),
                         icon_slots.count, icon_slots.names)) {
    return;
  }
  table_.PlaceSlotIcons(UsedSlotNames());
  model_->IconsChanged();
}

void THIMOKUForm::DelICON1Click() {
  const int slot = IconSlotOfRow(grid_->TableRowAtRememberedPoint());
  if (slot < 0) return;
  pictures_.DelIcon(slot, book_.icon_slots().names);
  table_.PlaceSlotIcons(UsedSlotNames());
  model_->IconsChanged();
}

void THIMOKUForm::showEvent(QShowEvent* event) {
  CentreOnScreen(*this);
  grid_->setFocus();
  QDialog::showEvent(event);
}

void THIMOKUForm::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, skin_);
}

}  // namespace purselog
