#include "ui/main_form.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCursor>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
#include <QToolButton>
#include <algorithm>

#include "core/date_format.h"
#include "core/errors.h"
#include "core/ini_file.h"
#include "core/text_codec.h"
#include "core/text_file.h"
#include "ledger/month_file.h"
#include "ledger/totals.h"
#include "ui/calendar_form.h"
#include "ui/category_icons.h"
#include "ui/day_grid.h"
#include "ui/day_page_model.h"
#include "ui/glass.h"
#include "ui/look.h"
#include "ui/resources.h"
#include "ui/sime_form.h"
#include "ui/skin.h"

namespace purselog {

namespace {

constexpr int kWidth = 480;
constexpr int kHeight = 360;
const char* const kTitle = "Purselog";
const char* const kTitleLabel = "Purselog 2.7";
// Shown until the first month total replaces it.
const char* const kMonthPlaceholder = "Total \\85,000,000 /Month";

QLabel* MakeLabel(QWidget* parent, const char* name, const QRect& geometry, const QColor& color,
                  Qt::Alignment alignment, bool bold = true) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setGeometry(geometry);
  label->setFont(GothicFont(12, bold));
  label->setAlignment(alignment | Qt::AlignVCenter);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, color);
  label->setPalette(palette);
  return label;
}

QLabel* MakePicture(QWidget* parent, const char* name, const QRect& geometry,
                    const QString& resource) {
  auto* picture = new QLabel(parent);
  picture->setObjectName(QString::fromLatin1(name));
  picture->setGeometry(geometry);
  picture->setPixmap(QPixmap(resource));
  return picture;
}

}  // namespace

Tmainform::Tmainform(ProgramPaths paths, Host& host, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), paths_(std::move(paths)), host_(host) {
  InitResources();
  setObjectName(QStringLiteral("mainform"));
  setWindowTitle(QString::fromLatin1(kTitle));
  setWindowIcon(QIcon(QStringLiteral(":/purselog/program_icon_48.png")));
  page_model_ = new DayPageModel(categories_, this);
  BuildWindow();
  BuildMenus();
  connect(page_model_, &DayPageModel::CellAccepted, this, &Tmainform::CellAccepted);
  qApp->installEventFilter(this);
}

Tmainform::~Tmainform() { qApp->removeEventFilter(this); }

void Tmainform::BuildWindow() {
  setFixedSize(kWidth, kHeight);
  setFont(GothicFont(12));
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, Qt::white);
  setPalette(palette);
  setAutoFillBackground(false);

  image2_ =
      MakePicture(this, "Image2", QRect(16, 61, 445, 291), QStringLiteral(":/purselog/frame.png"));
  MakePicture(this, "Image3", QRect(24, 64, 204, 12), QStringLiteral(":/purselog/ornament.png"));
  MakePicture(this, "Image4", QRect(6, 3, 16, 16), QStringLiteral(":/purselog/program_icon.png"));
  label2_ = MakeLabel(this, "Label2", QRect(29, 7, 385, 17), Qt::black, Qt::AlignLeft);
  label1_ = MakeLabel(this, "Label1", QRect(28, 6, 385, 17), Qt::white, Qt::AlignLeft);
  TitleDrag::Install(label1_);

  QToolButton* menu_button = MakeButton(QStringLiteral("SpeedButton3"), QStringLiteral("btn_menu"),
                                        QRect(414, 2, 17, 17), {});
  connect(menu_button, &QToolButton::released, this, [this] { main_menu_->popup(QCursor::pos()); });
  connect(MakeButton(QStringLiteral("SpeedButton5"), QStringLiteral("btn_minimize"),
                     QRect(435, 3, 16, 16), {}),
          &QToolButton::clicked, this, &QWidget::showMinimized);
  connect(MakeButton(QStringLiteral("SpeedButton6"), QStringLiteral("btn_close"),
                     QRect(452, 3, 16, 16), {}),
          &QToolButton::clicked, this, &QWidget::close);
  connect(MakeButton(QStringLiteral("SpeedButton1"), QStringLiteral("btn_prev"),
                     QRect(24, 36, 28, 28), QStringLiteral("Prev (PageUp)")),
          &QToolButton::clicked, this, &Tmainform::SpeedButton1Click);
  connect(MakeButton(QStringLiteral("SpeedButton2"), QStringLiteral("btn_next"),
                     QRect(64, 36, 28, 28), QStringLiteral("Next (PageDown)")),
          &QToolButton::clicked, this, &Tmainform::SpeedButton2Click);
  connect(MakeButton(QStringLiteral("SpeedButton4"), QStringLiteral("btn_calendar"),
                     QRect(104, 36, 28, 28), QStringLiteral("Calendar (Ctl+K)")),
          &QToolButton::clicked, this, &Tmainform::SpeedButton4Click);
  connect(MakeButton(QStringLiteral("SpeedButton7"), QStringLiteral("btn_category"),
                     QRect(160, 36, 28, 28), {}),
          &QToolButton::clicked, this, &Tmainform::SpeedButton7Click);
  connect(MakeButton(QStringLiteral("SpeedButton8"), QStringLiteral("btn_graph"),
                     QRect(200, 36, 28, 29), QStringLiteral("グラフ (Ctl+G)")),
          &QToolButton::clicked, this, &Tmainform::SpeedButton8Click);

  labelsub_ = MakeLabel(this, "labelsub", QRect(216, 48, 225, 17), kMonthLineText, Qt::AlignRight);
  labeldate_ = MakeLabel(this, "labeldate", QRect(72, 96, 113, 17), Qt::white, Qt::AlignHCenter);
  labelday_ = MakeLabel(this, "Labelday", QRect(216, 96, 225, 17), kDayLineText, Qt::AlignRight);

  maingrid_ = new DayGrid(categories_, *page_model_, this);
  maingrid_->setObjectName(QStringLiteral("maingrid"));
  maingrid_->setGeometry(40, 136, 401, 193);
  connect(maingrid_, &QWidget::customContextMenuRequested, this, [this](const QPoint& point) {
    grid_menu_->popup(maingrid_->viewport()->mapToGlobal(point));
  });
}

QToolButton* Tmainform::MakeButton(const QString& name, const QString& glyph, const QRect& geometry,
                                   const QString& hint) {
  auto* button = new QToolButton(this);
  button->setObjectName(name);
  button->setGeometry(geometry);
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  const QPixmap picture(QStringLiteral(":/purselog/") + glyph + QStringLiteral(".png"));
  button->setIcon(QIcon(picture));
  button->setIconSize(picture.size());
  button->setStyleSheet(QStringLiteral(
      "QToolButton { border: none; background: transparent; padding: 0px; }"
      "QToolButton:hover { background: rgba(255, 255, 255, 70); border-radius: 3px; }"
      "QToolButton:pressed { background: rgba(0, 0, 0, 40); border-radius: 3px; }"));
  if (!hint.isEmpty()) button->setToolTip(hint);
  return button;
}

void Tmainform::BuildMenus() {
  main_menu_ = new QMenu(this);
  main_menu_->setObjectName(QStringLiteral("MainMenu"));
  main_menu_->setFont(GothicFont(12));
  const auto item = [this](QMenu* menu, const char* name, const QString& caption,
                           const QKeySequence& shortcut, bool visible, auto handler) {
    auto* action = new QAction(caption, this);
    action->setObjectName(QString::fromLatin1(name));
    menu->addAction(action);
    connect(action, &QAction::triggered, this, handler);
    if (!shortcut.isEmpty()) {
      if (visible) {
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);  // the window takes the key even while the menu is closed
      } else {
        // A hidden item keeps its key.
        auto* key = new QShortcut(shortcut, this);
        connect(key, &QShortcut::activated, action, &QAction::trigger);
      }
    }
    action->setVisible(visible);
    return action;
  };
  const auto separator = [this](QMenu* menu, const char* name, bool visible) {
    QAction* action = menu->addSeparator();
    action->setObjectName(QString::fromLatin1(name));
    action->setVisible(visible);
  };
  QMenu* m = main_menu_;
  item(m, "N2", QStringLiteral("今日へ...（入力完了）"), QKeySequence(QStringLiteral("Ctrl+T")),
       true, &Tmainform::N2Click);
  separator(m, "N3", false);
  item(m, "clipmenu", QStringLiteral("クリップ表示"), {}, false, [] {});
  item(m, "N5", QStringLiteral("クリップ画像選択"), {}, false, [] {});
  separator(m, "N4", true);
  item(m, "MenuItem1", QStringLiteral("行削除"), QKeySequence(QStringLiteral("Ctrl+D")), true,
       &Tmainform::MenuItem1Click);
  item(m, "MenuItem2", QStringLiteral("新規行"), QKeySequence(QStringLiteral("Ctrl+N")), true,
       &Tmainform::NewRowClick);
  separator(m, "N6", true);
  item(m, "CSV1", QStringLiteral("CSV書き出し"), {}, true, &Tmainform::CSV1Click);
  item(m, "Print1", QStringLiteral("今月分の印刷"), {}, false, [] {});
  item(m, "NET1", QStringLiteral("NET機能"), {}, true, &Tmainform::NET1Click);
  separator(m, "N7", true);
  item(m, "N9", QStringLiteral("締め日変更"), {}, true, &Tmainform::N9Click);
  separator(m, "N10", true);
  // "電卓" shows Ctrl+D, but the key belongs to "行削除" above it.
  item(m, "cal", QStringLiteral("電卓\tCtrl+D"), {}, true, &Tmainform::calClick);
  item(m, "paste1", QStringLiteral("paste"), QKeySequence(QStringLiteral("Ctrl+V")), true,
       &Tmainform::paste1Click);
  item(m, "Find1", QStringLiteral("検索"), QKeySequence(QStringLiteral("Ctrl+F")), true,
       &Tmainform::Find1Click);
  item(m, "N11", QStringLiteral("カレンダー"), QKeySequence(QStringLiteral("Ctrl+K")), false,
       &Tmainform::SpeedButton4Click);
  item(m, "N12", QStringLiteral("グラフ"), QKeySequence(QStringLiteral("Ctrl+G")), false,
       &Tmainform::SpeedButton8Click);
  QAction* n13 = item(m, "N13", QStringLiteral("合計を総支出のみ表示"),
                      QKeySequence(QStringLiteral("F8")), true, &Tmainform::N13Click);
  n13->setCheckable(true);
  item(m, "N14", QStringLiteral("月別グラフ"), {}, true, &Tmainform::N14Click);

  grid_menu_ = new QMenu(this);
  grid_menu_->setObjectName(QStringLiteral("GridMenu"));
  grid_menu_->setFont(GothicFont(12));
  item(grid_menu_, "deleteRow1", QStringLiteral("行削除"), {}, true, &Tmainform::deleteRow1Click);
  item(grid_menu_, "N1", QStringLiteral("新規行"), {}, true, &Tmainform::NewRowClick);
  item(grid_menu_, "add1", QStringLiteral("add"), {}, false, &Tmainform::NET1Click);
  item(grid_menu_, "zoom1", QStringLiteral("zoom"), {}, false, [] {});
}

bool Tmainform::FormCreate() {
  skin_ = QImage(kWidth, kHeight, QImage::Format_RGB32);
  PaintSkin(skin_, BuiltinSkinPieces());
  label1_->setText(QString::fromLatin1(kTitleLabel));
  label2_->setText(QString::fromLatin1(kTitleLabel));
  try {
    if (!DirectoryExists(paths_.PacsDir())) CreateDirectory(paths_.PacsDir());
    if (!FileExists(paths_.CategoryFile())) {
      host_.ShowMessage(this, QStringLiteral("注意"), QStringLiteral("setting.dat がありません"),
                        MessageIcon::kNone);
      return false;
    }
    builtin_icons_ = CutBuiltinIcons(BuiltinIconStrip(), kBuiltinCategoryCount);

    const IniFile ini(paths_.SettingsFile());
    closing_day_ = ini.ReadInteger("setting", "sime", 0);
    // Only a hand-edited file holds another value; the accounting month needs 0 to 28.
    if (!IsValidClosingDay(closing_day_)) closing_day_ = 0;
    icon_slot_count_ = ini.ReadInteger("ExtImg", "num", 0);
    for (int i = 0; i < icon_slot_count_ && i < kMaxIconSlots; ++i) {
      std::string name = ini.ReadString("ExtImg", std::to_string(i), "");
      if (name.empty() || !FileExists(paths_.PacsDir() / Cp932ToUtf8(name))) name.clear();
      icon_slots_[i].file_name = std::move(name);
    }
    chart_palette_ = MakeChartPalette();
    if (!DirectoryExists(paths_.DataDir())) CreateDirectory(paths_.DataDir());

    current_date_ = host_.Today();
    SetDateLabel();
    labelsub_->setText(ToGlass(kMonthPlaceholder));
    categories_ = LoadCategories(paths_.CategoryFile());
    page_model_->SetPage(LoadDayPage(paths_.DataDir(), current_date_));
    RefreshCategoryIcons();
  } catch (const AppError& error) {
    ShowError(error.what());
    return false;
  }
  ShowDayTotal();
  ShowMonthTotal(current_date_);
  // The other windows, created once and shown modally when asked for.
  calendarform_ = new Tcalendarform(current_date_, host_, this);
  simeform_ = new Tsimeform(host_, this);
  started_ = true;
  return true;
}

void Tmainform::ShowError(const std::string& text) {
  host_.ShowMessage(this, QString::fromLatin1(kTitle),
                    QString::fromStdString(WithFinalPeriod(text)), MessageIcon::kError);
}

bool Tmainform::SavePage() {
  try {
    SaveDayPage(paths_.DataDir(), current_date_, page_model_->page());
    return true;
  } catch (const AppError& error) {
    ShowError(error.what());
    return false;
  }
}

bool Tmainform::LoadPage() {
  try {
    page_model_->SetPage(LoadDayPage(paths_.DataDir(), current_date_));
  } catch (const AppError& error) {
    ShowError(error.what());
    return false;
  }
  RefreshCategoryIcons();
  return true;
}

bool Tmainform::GoToDate(const Date& date) {
  maingrid_->CommitOpenEdit();
  if (!SavePage()) return false;
  const Date previous = current_date_;
  current_date_ = date;
  return EnterDate(previous);
}

bool Tmainform::EnterDate(const Date& previous) {
  if (!LoadPage()) {
    // The page shown is still the previous date's, just written: stay there, so that an
    // unreadable month file never has its day replaced by an empty page.
    current_date_ = previous;
    return false;
  }
  ShowDayTotal();
  ShowMonthTotal(current_date_);
  SetDateLabel();
  return true;
}

void Tmainform::SetDateLabel() { labeldate_->setText(ToGlass(DateLabelText(current_date_))); }

void Tmainform::ShowDayTotal() {
  const Money sum = SumDayPage(page_model_->page(), categories_.KindFunction(), spending_only_);
  labelday_->setText(ToGlass(DayTotalText(sum, spending_only_)));
}

Money Tmainform::ShowMonthTotal(const Date& date) {
  try {
    const MonthTotal total = ComputeMonthTotal(paths_.DataDir(), date, closing_day_,
                                               categories_.KindFunction(), spending_only_);
    labelsub_->setText(ToGlass(total.text));
    return total.sum;
  } catch (const AppError& error) {
    ShowError(error.what());
    return Money();
  }
}

void Tmainform::RefreshCategoryIcons() {
  for (int row = 0; row < page_model_->rowCount(); ++row) RefreshRowIcon(row);
}

void Tmainform::RefreshRowIcon(int row) {
  const int k = categories_.FindCategory(page_model_->page()[static_cast<std::size_t>(row)][0]);
  if (k < 0) return;  // a category not in the table keeps the icon it had
  if (k < static_cast<int>(builtin_icons_.size())) {
    page_model_->SetRowIcon(row, builtin_icons_[static_cast<std::size_t>(k)]);
  } else {
    // User categories show the picture of their icon slot; slots get pictures from icon files.
    page_model_->SetRowIcon(row, QImage());
  }
}

void Tmainform::CellAccepted(int row, int) {
  ShowDayTotal();
  RefreshRowIcon(row);
  maingrid_->viewport()->update();
}

void Tmainform::SpeedButton1Click() { GoToDate(AddDays(current_date_, -1)); }

void Tmainform::SpeedButton2Click() { GoToDate(AddDays(current_date_, 1)); }

void Tmainform::N2Click() { GoToDate(host_.Today()); }

void Tmainform::SpeedButton4Click() {
  maingrid_->CommitOpenEdit();
  if (!SavePage()) return;
  const Date previous = current_date_;
  // "OK" writes the chosen day into CurrentDate; any other way out leaves it.
  host_.ExecModal(*calendarform_);
  EnterDate(previous);
}

void Tmainform::N9Click() {
  simeform_->Prepare(closing_day_);
  host_.ExecModal(*simeform_);
  closing_day_ = simeform_->Result();
  maingrid_->CommitOpenEdit();
  // Reload only what was written: a page that could not be saved stays as it is on screen.
  if (SavePage()) LoadPage();
  ShowDayTotal();
  ShowMonthTotal(current_date_);
  SetDateLabel();
}

// The windows of these commands are built on the same pattern: write the page back, work on
// the month files, load the page again.
void Tmainform::SpeedButton7Click() {}
void Tmainform::SpeedButton8Click() {}
void Tmainform::CSV1Click() {}
void Tmainform::NET1Click() {}
void Tmainform::Find1Click() {}
void Tmainform::N14Click() {}

void Tmainform::MenuItem1Click() {
  maingrid_->CommitOpenEdit();
  int lowest = -1;
  const QModelIndexList selected = maingrid_->selectionModel()->selectedIndexes();
  for (const QModelIndex& index : selected) {
    if (index.column() >= kDescriptionColumn) lowest = std::max(lowest, index.row());
  }
  if (lowest >= 0) page_model_->DeleteRow(lowest);
}

void Tmainform::deleteRow1Click() {
  maingrid_->CommitOpenEdit();
  const int row = maingrid_->RowAtRememberedPoint();
  if (row >= 0) page_model_->DeleteRow(row);
}

void Tmainform::NewRowClick() {
  maingrid_->CommitOpenEdit();
  maingrid_->AppendRowAndFocus();
  maingrid_->setFocus();
}

void Tmainform::calClick() { host_.StartCalculator(); }

void Tmainform::paste1Click() {
  QModelIndex target;
  QModelIndexList selected = maingrid_->selectionModel()->selectedIndexes();
  if (selected.isEmpty() && maingrid_->currentIndex().isValid()) {
    selected.push_back(maingrid_->currentIndex());
  }
  for (const QModelIndex& index : selected) {
    if (!target.isValid() || index.row() > target.row() ||
        (index.row() == target.row() && index.column() > target.column())) {
      target = index;
    }
  }
  if (!target.isValid() || target.column() < kAmountColumn) return;
  const QMimeData* clipboard = QGuiApplication::clipboard()->mimeData();
  if (clipboard == nullptr || !clipboard->hasText()) return;
  maingrid_->CommitOpenEdit();
  page_model_->SetCellText(target.row(), target.column(),
                           SingleLineCellText(FromGlass(clipboard->text())));
}

void Tmainform::N13Click() {
  spending_only_ = !spending_only_;
  findChild<QAction*>(QStringLiteral("N13"))->setChecked(spending_only_);
  ShowDayTotal();
  ShowMonthTotal(current_date_);
  SetDateLabel();
}

bool Tmainform::WriteSettings() {
  try {
    IniFile ini(paths_.SettingsFile());
    ini.WriteString("setting", "clipbmp", "");
    ini.WriteInteger("setting", "displayclip", 0);
    ini.WriteInteger("ExtImg", "num", icon_slot_count_);
    ini.WriteInteger("setting", "sime", closing_day_);
    for (int i = 0; i < icon_slot_count_ && i < kMaxIconSlots; ++i) {
      ini.WriteString("ExtImg", std::to_string(i), icon_slots_[i].file_name);
    }
    return true;
  } catch (const AppError& error) {
    ShowError(error.what());
    return false;
  }
}

void Tmainform::closeEvent(QCloseEvent* event) {
  if (!started_) {
    event->accept();
    return;
  }
  maingrid_->CommitOpenEdit();
  if (!SavePage()) {
    event->ignore();  // the window stays, with its page and its settings
    return;
  }
  WriteSettings();
  started_ = false;
  event->accept();
}

void Tmainform::contextMenuEvent(QContextMenuEvent* event) {
  // The main menu is also the window's own pop-up menu.
  main_menu_->popup(event->globalPos());
}

void Tmainform::showEvent(QShowEvent* event) {
  if (!shown_before_) {
    shown_before_ = true;
    if (const QScreen* screen = this->screen()) {
      move(screen->availableGeometry().center() - QPoint(kWidth / 2, kHeight / 2));
    }
  }
  QWidget::showEvent(event);
}

void Tmainform::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (skin_.isNull()) {
    painter.fillRect(rect(), Qt::white);
  } else {
    painter.drawImage(0, 0, skin_);
  }
}

bool Tmainform::eventFilter(QObject* watched, QEvent* event) {
  // The window sees Page Up and Page Down before its controls, on release.
  if (event->type() == QEvent::KeyRelease && started_) {
    const auto* key = static_cast<QKeyEvent*>(event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!key->isAutoRepeat() && widget != nullptr && widget->window() == this &&
        QApplication::activeModalWidget() == nullptr) {
      // Taken here, so that the release does not travel on to the parents and turn the page
      // twice; the controls have done their part on the press.
      if (key->key() == Qt::Key_PageUp) {
        SpeedButton1Click();
        return true;
      }
      if (key->key() == Qt::Key_PageDown) {
        SpeedButton2Click();
        return true;
      }
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace purselog
