// Tmainform: the main window. It owns everything that lives while the program runs: the date
// shown, its day page, the closing day, the spending-only switch, the category table, the
// icons and the chart palette. Every change of date goes through GoToDate; the month files are
// written only by SaveDayPage.
#pragma once

#include <QImage>
#include <QWidget>
#include <string>
#include <vector>

#include "categories/category_table.h"
#include "core/color.h"
#include "core/date.h"
#include "core/money.h"
#include "core/paths.h"
#include "ui/host.h"

class QAction;
class QLabel;
class QMenu;
class QToolButton;

namespace purselog {

class DayGrid;
class DayPageModel;
class Tcalendarform;
class Tsimeform;

constexpr int kMaxIconSlots = 32;

class Tmainform : public QWidget {
  Q_OBJECT

 public:
  Tmainform(ProgramPaths paths, Host& host, QWidget* parent = nullptr);
  ~Tmainform() override;

  // Start-up: directories, settings, categories, today's page and both totals. False when the
  // program must end (the reason has been shown).
  bool FormCreate();

  // The change of date: the page shown is written back, the new date's page loaded, the icons,
  // totals and date label refreshed. False when nothing changed (the error has been shown).
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

  void ShowDayTotal();
  Money ShowMonthTotal(const Date& date);
  void RefreshCategoryIcons();

  const Date& CurrentDate() const { return current_date_; }
  int ClosingDay() const { return closing_day_; }
  bool SpendingOnlyMode() const { return spending_only_; }
  const CategoryTable& categories() const { return categories_; }
  const ChartPaletteColors& ChartPalette() const { return chart_palette_; }
  const std::vector<QImage>& BuiltinIcons() const { return builtin_icons_; }
  DayGrid* maingrid() const { return maingrid_; }
  DayPageModel& page_model() const { return *page_model_; }
  QLabel* labeldate() const { return labeldate_; }
  QLabel* labelsub() const { return labelsub_; }
  QLabel* Labelday() const { return labelday_; }
  QMenu* MainMenu() const { return main_menu_; }
  Tcalendarform* calendarform() const { return calendarform_; }
  Tsimeform* simeform() const { return simeform_; }
  QMenu* GridMenu() const { return grid_menu_; }
  const ProgramPaths& paths() const { return paths_; }
  Host& host() const { return host_; }

  // Shows an error as the program's errors are shown: captioned "Purselog", with the final "."
  // rule.
  void ShowError(const std::string& text);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct IconSlot {
    std::string file_name;  // in the pacs directory; empty when the slot has no picture
  };

  void BuildWindow();
  void BuildMenus();
  QToolButton* MakeButton(const QString& name, const QString& glyph, const QRect& geometry,
                          const QString& hint);
  // Loads the page of CurrentDate with its icons; false (error shown) when it cannot be read.
  bool LoadPage();
  // Writes the page shown into its month file; false (error shown) when it cannot be written.
  bool SavePage();
  // Steps 3 to 6 of the change of date, for a date already set; on a page that cannot be read
  // the date goes back to `previous`.
  bool EnterDate(const Date& previous);
  void SetDateLabel();
  void RefreshRowIcon(int row);
  void CellAccepted(int row, int column);
  bool WriteSettings();

  ProgramPaths paths_;
  Host& host_;
  bool started_ = false;
  bool shown_before_ = false;

  Date current_date_;
  int closing_day_ = 0;
  bool spending_only_ = false;
  CategoryTable categories_;
  std::vector<QImage> builtin_icons_;
  IconSlot icon_slots_[kMaxIconSlots];
  int icon_slot_count_ = 0;  // "num" of the settings file, kept as read
  ChartPaletteColors chart_palette_{};

  QImage skin_;
  DayPageModel* page_model_ = nullptr;
  DayGrid* maingrid_ = nullptr;
  QLabel* label1_ = nullptr;
  QLabel* label2_ = nullptr;
  QLabel* labeldate_ = nullptr;
  QLabel* labelsub_ = nullptr;
  QLabel* labelday_ = nullptr;
  QLabel* image2_ = nullptr;
  QMenu* main_menu_ = nullptr;
  QMenu* grid_menu_ = nullptr;
  Tcalendarform* calendarform_ = nullptr;
  Tsimeform* simeform_ = nullptr;
};

}  // namespace purselog
