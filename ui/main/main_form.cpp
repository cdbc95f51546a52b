#include "ui/main/main_form.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCursor>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QShortcut>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <span>

#include "categories/icons/category_icons.h"
#include "export/csv_export.h"
#include "ui/breakdown/graph_form.h"
#include "ui/calendar/calendar_form.h"
#include "ui/category_settings/himoku_form.h"
#include "ui/closing_day/sime_form.h"
#include "ui/common/command.h"
#include "ui/common/glass.h"
#include "ui/common/look.h"
#include "ui/common/program.h"
#include "ui/common/resources.h"
#include "ui/common/skin.h"
#include "ui/export/save_form.h"
#include "ui/main/day_grid.h"
#include "ui/main/day_page_model.h"
#include "ui/monthgraph/month_graph_form.h"
#include "ui/net/net_form.h"
#include "ui/search/find_dialog.h"

namespace purselog {

namespace {

constexpr int kWidth = 480;
constexpr int kHeight = 360;
constexpr int kMonthLineTop = 40;

}  // namespace

Tmainform::Tmainform(ProgramPaths paths, Host& host, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      host_(host),
      book_(std::move(paths), [&host] { return host.Today(); }) {
  InitResources();
  setObjectName(QStringLiteral("mainform"));
  setWindowTitle(QString::fromUtf8(kProgramTitle.data(), kProgramTitle.size()));
  setWindowIcon(QIcon(QStringLiteral(":/purselog/program_icon_48.png")));
  page_model_ = new DayPageModel(book_, this);
  BuildWindow();
  BuildMenus();
  ConnectCommand(host_, page_model_, &DayPageModel::CellAccepted, this, &Tmainform::CellAccepted);
  ConnectCommand(host_, page_model_, &DayPageModel::CharacterRefused, this,
                 &Tmainform::CharacterRefused, Qt::QueuedConnection);
  // The rows' pictures: a category's icon; a text that names no category keeps its picture.
  page_model_->set_icon_source([this](std::string_view category) -> std::optional<QImage> {
    const IconChoice choice = book_.CategoryIconOf(category);
    if (choice.kind == IconChoice::Kind::kKeep) return std::nullopt;
    return ChosenPicture(choice, builtin_icons_, slot_pictures_);
  });
  // A page loaded anew: the cursor on its first row.
  ConnectCommand(host_, page_model_, &QAbstractItemModel::modelReset, this,
                 [this] { maingrid_->StartPage(); });
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

  MakePicture(this, "Image2", QRect(16, 61, 445, 291), QStringLiteral(":/purselog/frame.png"));
  MakePicture(this, "Image3", QRect(24, 64, 204, 12), QStringLiteral(":/purselog/ornament.png"));
  MakePicture(this, "Image4", QRect(6, 3, 16, 16), QStringLiteral(":/purselog/program_icon.png"));
  label2_ = MakeLabel(this, "Label2", QRect(29, 7, 385, 17), Qt::AlignLeft, true, Qt::black);
  label1_ = MakeLabel(this, "Label1", QRect(28, 6, 385, 17), Qt::AlignLeft, true, Qt::white);
  TitleDrag::Install(label1_);

  // The menu button opens the menu on its release.
  ConnectCommand(host_,
                 MakeButton(QStringLiteral("SpeedButton3"), QStringLiteral("btn_menu"),
                            QRect(414, 2, 17, 17), {}),
                 &QToolButton::released, this, [this] { main_menu_->popup(QCursor::pos()); });
  const struct {
    const char* name;
    const char* glyph;
    QRect geometry;
    const char* hint;
    void (Tmainform::*handler)();
  } commands[] = {
      {"SpeedButton5", "btn_minimize", QRect(435, 3, 16, 16), "", &QWidget::showMinimized},
      {"SpeedButton6", "btn_close", QRect(452, 3, 16, 16), "", &Tmainform::CloseClick},
      {"SpeedButton1", "btn_prev", QRect(24, 36, 28, 28), "Prev (PageUp)",
       &Tmainform::SpeedButton1Click},
      {"SpeedButton2", "btn_next", QRect(64, 36, 28, 28), "Next (PageDown)",
       &Tmainform::SpeedButton2Click},
      {"SpeedButton4", "btn_calendar", QRect(104, 36, 28, 28), "Calendar (Ctl+K)",
       &Tmainform::SpeedButton4Click},
      {"SpeedButton7", "btn_category", QRect(160, 36, 28, 28), "", &Tmainform::SpeedButton7Click},
      {"SpeedButton8", "btn_graph", QRect(200, 36, 28, 29), "グラフ (Ctl+G)",
       &Tmainform::SpeedButton8Click},
  };
  for (const auto& command : commands) {
    ConnectCommand(host_,
                   MakeButton(QString::fromLatin1(command.name), QString::fromLatin1(command.glyph),
                              command.geometry, QString::fromUtf8(command.hint)),
                   &QToolButton::clicked, this, command.handler);
  }

  // The month line is centred in the band between the top of the button row (36) and the panel's
  // border (61), beside the buttons, rather than resting on the border.
  labelsub_ = MakeLabel(this, "labelsub", QRect(216, kMonthLineTop, 225, 17), Qt::AlignRight, true,
                        kMonthLineText);
  labeldate_ =
      MakeLabel(this, "labeldate", QRect(72, 96, 113, 17), Qt::AlignHCenter, true, Qt::white);
  labelday_ =
      MakeLabel(this, "Labelday", QRect(216, 96, 225, 17), Qt::AlignRight, true, kDayLineText);

  maingrid_ = new DayGrid(book_.categories(), *page_model_, this);
  maingrid_->setObjectName(QStringLiteral("maingrid"));
  maingrid_->setGeometry(40, 136, 401, 193);
  maingrid_->set_command_runner([this](const std::function<void()>& action) { Run(action); });
  ConnectCommand(host_, maingrid_, &QWidget::customContextMenuRequested, this,
                 [this](const QPoint& point) {
                   grid_menu_->popup(maingrid_->viewport()->mapToGlobal(point));
                 });
}

QToolButton* Tmainform::MakeButton(const QString& name, const QString& glyph, const QRect& geometry,
                                   const QString& hint) {
  QToolButton* button = MakeGlyphButton(this, name.toLatin1().constData(), glyph, geometry,
                                        GlyphBackdrop::kTitleBand);
  if (!hint.isEmpty()) button->setToolTip(hint);
  return button;
}

void Tmainform::BuildMenus() {
  // One row per item: its name, caption, key, whether it shows, and its handler (none: a
  // separator).
  struct Item {
    const char* name;
    const char* caption;
    const char* key;
    bool visible;
    void (Tmainform::*handler)();
  };
  // "電卓" shows Ctrl+D, but the key belongs to "行削除" above it.
  static const Item kMainItems[] = {
      {"N2", "今日へ...（入力完了）", "Ctrl+T", true, &Tmainform::N2Click},
      {"N3", "", "", false, nullptr},
      {"clipmenu", "クリップ表示", "", false, &Tmainform::DoNothing},
      {"N5", "クリップ画像選択", "", false, &Tmainform::DoNothing},
      {"N4", "", "", true, nullptr},
      {"MenuItem1", "行削除", "Ctrl+D", true, &Tmainform::MenuItem1Click},
      {"MenuItem2", "新規行", "Ctrl+N", true, &Tmainform::NewRowClick},
      {"N6", "", "", true, nullptr},
      {"CSV1", "CSV書き出し", "", true, &Tmainform::CSV1Click},
      {"Print1", "今月分の印刷", "", false, &Tmainform::DoNothing},
      {"NET1", "NET機能", "", true, &Tmainform::NET1Click},
      {"N7", "", "", true, nullptr},
      {"N9", "締め日変更", "", true, &Tmainform::N9Click},
      {"N10", "", "", true, nullptr},
      {"cal", "電卓\tCtrl+D", "", true, &Tmainform::calClick},
      {"paste1", "paste", "Ctrl+V", true, &Tmainform::paste1Click},
      {"Find1", "検索", "Ctrl+F", true, &Tmainform::Find1Click},
      {"N11", "カレンダー", "Ctrl+K", false, &Tmainform::SpeedButton4Click},
      {"N12", "グラフ", "Ctrl+G", false, &Tmainform::SpeedButton8Click},
      {"N13", "合計を総支出のみ表示", "F8", true, &Tmainform::N13Click},
      {"N14", "月別グラフ", "", true, &Tmainform::N14Click},
  };
  static const Item kGridItems[] = {
      {"deleteRow1", "行削除", "", true, &Tmainform::deleteRow1Click},
      {"N1", "新規行", "", true, &Tmainform::NewRowClick},
      {"add1", "add", "", false, &Tmainform::NET1Click},
      {"zoom1", "zoom", "", false, &Tmainform::DoNothing},
  };
  const auto fill = [this](const char* name, std::span<const Item> items) {
    auto* menu = new QMenu(this);
    menu->setObjectName(QString::fromLatin1(name));
    menu->setFont(GothicFont(12));
    for (const Item& item : items) {
      QAction* action = item.handler == nullptr ? menu->addSeparator()
                                                : menu->addAction(QString::fromUtf8(item.caption));
      action->setObjectName(QString::fromLatin1(item.name));
      action->setVisible(item.visible);
      if (item.handler == nullptr) continue;
      ConnectCommand(host_, action, &QAction::triggered, this, item.handler);
      const QKeySequence key(QString::fromLatin1(item.key));
      if (key.isEmpty()) continue;
      if (item.visible) {
        action->setShortcut(key);
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);  // the window takes the key even while the menu is closed
      } else {
        // A hidden item keeps its key.
        connect(new QShortcut(key, this), &QShortcut::activated, action, &QAction::trigger);
      }
    }
    return menu;
  };
  main_menu_ = fill("MainMenu", kMainItems);
  grid_menu_ = fill("GridMenu", kGridItems);
  findChild<QAction*>(QStringLiteral("N13"))->setCheckable(true);
}

bool Tmainform::FormCreate() {
  skin_ = QImage(kWidth, kHeight, QImage::Format_RGB32);
  PaintSkin(skin_, BuiltinSkinPieces());
  // "Purselog 2.7": the title and its shadow.
  label1_->setText(ProgramTitle());
  label2_->setText(ProgramTitle());
  const QImage strip = BuiltinIconStrip();
  builtin_icons_ = CutBuiltinIcons(strip, kBuiltinCategoryCount);
  slot_pictures_.set_background(strip.pixel(0, 0));
  if (!Show(book_.Start())) return false;
  // The pictures of the user categories' icon files, and with them the icons of the first page.
  slot_pictures_.Load(book_.paths().PacsDir(), book_.icon_slots().UsedNames());
  page_model_->RefreshIcons();
  return true;
}

bool Tmainform::CreateWindows() {
  if (himokuform_ != nullptr) return true;
  if (!book_.started()) return false;
  // The other windows, created once and shown modally when asked for.
  himokuform_ = new THIMOKUForm(host_, book_, slot_pictures_, builtin_icons_, this);
  calendarform_ = new Tcalendarform(host_, this, maingrid_);
  graphform_ = new Tgraphform(host_, this);
  saveform_ = new Tsaveform(host_, this);
  fnet_ = new Tfnet(host_, book_, this);
  simeform_ = new Tsimeform(host_, this);
  monthgraph_ = new Tmonthgraph(host_, book_, builtin_icons_, this);
  // The find window, shown beside the main window by "検索"; a hit opens its day here.
  find_dialog_ = new TFindDialog(
      host_, book_.paths(), [this](const Date& date) { return GoToDate(date); }, this);
  return true;
}

bool Tmainform::Run(const std::function<void()>& action) { return RunCommand(host_, this, action); }

bool Tmainform::Show(const Outcome& outcome) {
  ShowNotices(host_, this, outcome.notices);
  ShowLabels();
  return outcome.done;
}

void Tmainform::ShowLabels() {
  labeldate_->setText(ToGlass(book_.DateLabel()));
  labelsub_->setText(ToGlass(book_.MonthLine()));
  labelday_->setText(ToGlass(book_.DayLine()));
}

bool Tmainform::GoToDate(const Date& date) {
  maingrid_->CommitOpenEdit();
  return Show(book_.GoToDate(date));
}

void Tmainform::CellAccepted(int, int) {
  book_.RefreshDayLine();
  ShowLabels();
  maingrid_->viewport()->update();
}

void Tmainform::CharacterRefused(const QString& character) {
  host_.ShowMessage(this, QStringLiteral("注意"), UnstorableCharacterMessage(character),
                    MessageIcon::kWarning);
}

void Tmainform::SpeedButton1Click() { GoToDate(AddDays(book_.CurrentDate(), -1)); }

void Tmainform::SpeedButton2Click() { GoToDate(AddDays(book_.CurrentDate(), 1)); }

void Tmainform::N2Click() { GoToDate(host_.Today()); }

void Tmainform::SpeedButton4Click() {
  maingrid_->CommitOpenEdit();
  if (!Show(book_.SaveShownPage())) return;
  calendarform()->Prepare(book_.CurrentDate());
  host_.ExecModal(*calendarform());
  // "OK" chooses a day; any other way out stays on the day shown, which is loaded again.
  Show(book_.EnterDate(calendarform()->Result().value_or(book_.CurrentDate())));
}

void Tmainform::N9Click() {
  simeform()->Prepare(book_.ClosingDay());
  host_.ExecModal(*simeform());
  maingrid_->CommitOpenEdit();
  Show(book_.SetClosingDay(simeform()->Result()));
}

void Tmainform::SpeedButton7Click() {
  maingrid_->CommitOpenEdit();
  if (!HIMOKUForm()->Prepare()) return;  // setting.dat could not be read; the error was shown
  host_.ExecModal(*HIMOKUForm());
  // Whichever way the window closed: the table as the file now holds it, and the icons.
  Show(book_.ReloadCategories());
  page_model_->CategoriesChanged();
}

// The windows of these commands are built on the book's Rework: write the page back, work on
// the month files, load the page again.
void Tmainform::SpeedButton8Click() {
  maingrid_->CommitOpenEdit();
  if (!Show(book_.RunBreakdown())) return;
  graphform()->Prepare(book_.LastBreakdownView(), book_.ChartPalette(), builtin_icons_);
  host_.ExecModal(*graphform());
}
void Tmainform::N14Click() { host_.ExecModal(*monthgraph()); }  // the month files as they stand

void Tmainform::NET1Click() {
  maingrid_->CommitOpenEdit();
  // An import cut short is completed before anything else is fetched.
  Show(book_.CompleteNetImport());
  fnet()->Prepare();
  host_.ExecModal(*fnet());
  // The window merges an import through the book; the labels follow here. The fields are
  // stored at every closing, whatever happened.
  Show(book_.WriteNetSettings(fnet()->Settings()));
}

// The export: the options and the file first; then the book writes the page back, exports,
// and loads the page again (also when the user chose nothing).
void Tmainform::CSV1Click() {
  maingrid_->CommitOpenEdit();
  const Date date = book_.CurrentDate();
  saveform()->Prepare(date);
  host_.ExecModal(*saveform());
  const std::optional<ExportMode> mode = saveform()->Result();
  std::optional<QString> file;
  if (mode) {
    file = host_.SaveFileName(
        this, {QStringLiteral("CSVファイル(*.csv)|*.csv"),
               QFile::decodeName(QByteArray::fromStdString(book_.paths().program_dir.string())),
               QString::fromStdString(ExportFileName(date))});
  }
  Show(file ? book_.Export(*mode, QFile::encodeName(*file).toStdString()) : book_.Rework(nullptr));
}

void Tmainform::Find1Click() { FindDialog1()->Open(); }

void Tmainform::MenuItem1Click() { maingrid_->DeleteSelectedRow(); }

void Tmainform::deleteRow1Click() { maingrid_->DeleteRememberedRow(); }

void Tmainform::NewRowClick() { maingrid_->NewRow(); }

void Tmainform::calClick() { host_.StartCalculator(); }

void Tmainform::DoNothing() {}

void Tmainform::CloseClick() { close(); }

void Tmainform::paste1Click() {
  const QModelIndex target = maingrid_->LastSelectedCell();
  if (!target.isValid() || target.column() < kAmountColumn) return;
  const QMimeData* clipboard = QGuiApplication::clipboard()->mimeData();
  if (clipboard == nullptr || !clipboard->hasText()) return;
  const QString text = clipboard->text();
  if (const std::optional<QString> refused = UnstorableCharacter(text)) {
    CharacterRefused(*refused);
    return;
  }
  maingrid_->CommitOpenEdit();
  page_model_->SetCellText(target.row(), target.column(), SingleLineCellText(FromGlass(text)));
}

void Tmainform::N13Click() {
  Show(book_.SetSpendingOnlyMode(!book_.SpendingOnlyMode()));
  findChild<QAction*>(QStringLiteral("N13"))->setChecked(book_.SpendingOnlyMode());
}

void Tmainform::closeEvent(QCloseEvent* event) {
  bool close = true;
  Run([this, &close] {
    maingrid_->CommitOpenEdit();
    // A page that cannot be written keeps the window open, with its page and its settings.
    close = Show(book_.Shutdown());
  });
  if (close) {
    event->accept();
  } else {
    event->ignore();
  }
}

void Tmainform::contextMenuEvent(QContextMenuEvent* event) {
  // The main menu is also the window's own pop-up menu.
  main_menu_->popup(event->globalPos());
}

void Tmainform::showEvent(QShowEvent* event) {
  if (!shown_before_) {
    shown_before_ = true;
    CentreOnScreen(*this);
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
  // The other windows are not needed to show the first page: they are made on the next turn of
  // the event loop, once this paint is on the screen.
  if (!windows_posted_ && book_.started()) {
    windows_posted_ = true;
    QTimer::singleShot(0, this, [this] { CreateWindows(); });
  }
}

bool Tmainform::eventFilter(QObject* watched, QEvent* event) {
  // The window sees Page Up and Page Down before its controls, on release.
  if (event->type() == QEvent::KeyRelease && book_.started()) {
    const auto* key = static_cast<QKeyEvent*>(event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!key->isAutoRepeat() && widget != nullptr && widget->window() == this &&
        QApplication::activeModalWidget() == nullptr) {
      // Taken here, so that the release does not travel on to the parents and turn the page
      // twice; the controls have done their part on the press.
      const bool back = key->key() == Qt::Key_PageUp;
      if (back || key->key() == Qt::Key_PageDown) {
        Run([this, back] { back ? SpeedButton1Click() : SpeedButton2Click(); });
        return true;
      }
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace purselog
