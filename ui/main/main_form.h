// Tmainform: the main window, a thin view over the running book. It gathers what the user does
// (grid edits, buttons, menus, keys), hands it to the book or the page model, and shows what
// comes back: the page, the icons, the three labels and the notices. Every user action runs
// through one command boundary (ui/common/command.h).
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <vector>

#include "book/book.h"
#include "categories/icons/icon_slots.h"
#include "ui/common/host.h"

class QAction;
class QLabel;
class QMenu;
class QToolButton;

namespace purselog {

class DayGrid;
class DayPageModel;
class THIMOKUForm;
class Tcalendarform;
class Tfnet;
class Tgraphform;
class TFindDialog;
class Tsaveform;
class Tmonthgraph;
class Tsimeform;

class Tmainform : public QWidget {
  Q_OBJECT

 public:
  Tmainform(ProgramPaths paths, Host& host, QWidget* parent = nullptr);
  ~Tmainform() override;

  // Start-up: directories, settings, categories, today's page and both totals. False when the
  // program must end (the reason has been shown).
  bool FormCreate();

  // The change of date; false when nothing changed (the reason has been shown).
  bool GoToDate(const Date& date);

  // Commands of the buttons, menus and keys.
  void SpeedButton1Click();  // previous day
  void SpeedButton2Click();  // next day
  void SpeedButton4Click();  // calendar
  void SpeedButton7Click();  // category settings
  void SpeedButton8Click();  // category breakdown
  void N2Click();            // today
  void MenuItem1Click();     // delete the selected row
  void deleteRow1Click();    // delete the row under the pointer
  void NewRowClick();        // new row
  void CSV1Click();          // CSV export
  void NET1Click();          // net import
  void N9Click();            // closing day
  void calClick();           // calculator
  void paste1Click();        // paste into the amount or memo cell
  void Find1Click();         // search
  void N13Click();           // spending-only switch
  void N14Click();           // monthly graph
  void DoNothing();          // the hidden items that have no function
  void CloseClick();         // the close button: the window closes as by the system

  Book& book() { return book_; }
  const Date& CurrentDate() const { return book_.CurrentDate(); }
  int ClosingDay() const { return book_.ClosingDay(); }
  bool SpendingOnlyMode() const { return book_.SpendingOnlyMode(); }
  const CategoryTable& categories() const { return book_.categories(); }
  const ChartPaletteColors& ChartPalette() const { return book_.ChartPalette(); }
  const std::vector<QImage>& BuiltinIcons() const { return builtin_icons_; }
  const IconSlotPictures& SlotPictures() const { return slot_pictures_; }
  DayGrid* maingrid() const { return maingrid_; }
  DayPageModel& page_model() const { return *page_model_; }
  QLabel* labeldate() const { return labeldate_; }
  QLabel* labelsub() const { return labelsub_; }
  QLabel* Labelday() const { return labelday_; }
  QMenu* MainMenu() const { return main_menu_; }
  QMenu* GridMenu() const { return grid_menu_; }
  // The other windows. They are made together, in a fixed order, just after the main window is
  // first painted, or at once when one of them is asked for before that.
  THIMOKUForm* HIMOKUForm() { return CreateWindows() ? himokuform_ : nullptr; }
  Tcalendarform* calendarform() { return CreateWindows() ? calendarform_ : nullptr; }
  Tgraphform* graphform() { return CreateWindows() ? graphform_ : nullptr; }
  Tsimeform* simeform() { return CreateWindows() ? simeform_ : nullptr; }
  Tfnet* fnet() { return CreateWindows() ? fnet_ : nullptr; }
  Tsaveform* saveform() { return CreateWindows() ? saveform_ : nullptr; }
  TFindDialog* FindDialog1() { return CreateWindows() ? find_dialog_ : nullptr; }
  Tmonthgraph* monthgraph() { return CreateWindows() ? monthgraph_ : nullptr; }
  bool WindowsCreated() const { return himokuform_ != nullptr; }
  Host& host() const { return host_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildWindow();
  void BuildMenus();
  // Makes the other windows unless they exist; false before a successful start-up.
  bool CreateWindows();
  QToolButton* MakeButton(const QString& name, const QString& glyph, const QRect& geometry,
                          const QString& hint);
  bool Run(const std::function<void()>& action);
  // Shows what an operation of the book left: its notices, the labels, and, when the page was
  // replaced, the icons and the cursor on the first row.
  bool Show(const Outcome& outcome);
  void ShowLabels();
  void CellAccepted(int row, int column);
  void CharacterRefused(const QString& character);

  Host& host_;
  Book book_;
  bool shown_before_ = false;
  bool windows_posted_ = false;

  std::vector<QImage> builtin_icons_;
  IconSlotPictures slot_pictures_;
  QImage skin_;
  DayPageModel* page_model_ = nullptr;
  DayGrid* maingrid_ = nullptr;
  QLabel* label1_ = nullptr;
  QLabel* label2_ = nullptr;
  QLabel* labeldate_ = nullptr;
  QLabel* labelsub_ = nullptr;
  QLabel* labelday_ = nullptr;
  QMenu* main_menu_ = nullptr;
  QMenu* grid_menu_ = nullptr;
  THIMOKUForm* himokuform_ = nullptr;
  Tcalendarform* calendarform_ = nullptr;
  Tgraphform* graphform_ = nullptr;
  Tsimeform* simeform_ = nullptr;
  Tfnet* fnet_ = nullptr;
  Tsaveform* saveform_ = nullptr;
  TFindDialog* find_dialog_ = nullptr;
  Tmonthgraph* monthgraph_ = nullptr;
};

}  // namespace purselog
