// The running account book: everything that lives while purselog runs (the date shown and its
// day page, the closing day, the spending-only switch, the category table, the icon slots, the
// chart palette), start-up and shutdown, the change of date, and the one pattern every command
// that works on the month files shares: write the page shown back, do the work, load the page
// again, refresh both totals and the date label.
//
// No windows here: results come back as plain values (label texts as Shift_JIS bytes, notices
// to show as UTF-8 texts), and the windows only show them.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "categories/category_settings.h"
#include "categories/category_table.h"
#include "categories/icon_slots.h"
#include "core/color.h"
#include "core/date.h"
#include "core/ini_file.h"
#include "core/notice.h"
#include "core/paths.h"
#include "export/csv_export.h"
#include "ledger/day_page.h"
#include "net/net_fetch.h"
#include "reports/breakdown.h"

namespace purselog {

struct Outcome {
  bool done = false;            // whether the operation took effect
  std::vector<Notice> notices;  // to show, in order
};

// Told before and after the page shown is replaced as a whole (a load, a reload).
class PageObserver {
 public:
  virtual ~PageObserver() = default;
  virtual void PageAboutToBeReplaced() = 0;
  virtual void PageReplaced() = 0;
};

class Book {
 public:
  using Clock = std::function<Date()>;

  Book(ProgramPaths paths, Clock today);

  const ProgramPaths& paths() const { return paths_; }
  void set_page_observer(PageObserver* observer) { observer_ = observer; }

  // Start-up, up to the first page with its totals. Not done: the program must end after the
  // notices are shown (a missing category table, an error on the way); nothing is written then.
  Outcome Start();
  bool started() const { return started_; }

  // Shutdown: the page shown is written back, then the settings in one write. Not done when the
  // page cannot be written (the program goes on as it was, and no setting is written) or the
  // settings cannot (the program goes on, its page written).
  Outcome Shutdown();

  // The change of date: write the page shown back, set the date, load its page, refresh the
  // totals and the date label. Nothing changes when the page cannot be written; when the new
  // date's page cannot be read the date stays where it was (its page has just been written).
  Outcome GoToDate(const Date& date);
  // The two halves of the change of date, for a dialog that chooses the date in between.
  Outcome SaveShownPage();
  Outcome EnterDate(const Date& date);

  // Write the page shown back, run `work` on the month files, load the page again, refresh the
  // totals and the date label. `work` runs only when the page was written; an error it throws
  // becomes a notice, and the page is reloaded all the same.
  Outcome Rework(const std::function<void()>& work);

  // The closing-day dialog's result: the page is written back and reloaded around the change.
  Outcome SetClosingDay(int closing_day);
  // F8: both totals and the date label follow.
  Outcome SetSpendingOnlyMode(bool on);
  // An accepted cell edit: the day line follows (the month line waits for the next write-back).
  void RefreshDayLine();
  // Reads the category table again (after its window closed); on failure the table in memory
  // stays.
  Outcome ReloadCategories();
  // The category settings window's table: setting.dat as it stands, into `table`. Not done (the
  // error told) when it cannot be read; `table` then stays as it was.
  Outcome LoadCategorySettings(CategorySettingsTable& table) const;
  // "Save Close": the window's table into setting.dat. Not done (the error told) when it cannot
  // be written.
  Outcome SaveCategories(const CategorySettingsTable& table);
  // "ADD ICON" of a file the icon code has copied into pacs as `name`, and "Del ICON": the
  // slot's name, kept for the settings written at shutdown.
  void AddIcon(int slot, std::string name) { icon_slots_.Assign(slot, std::move(name)); }
  void DelIcon(int slot) { icon_slots_.Clear(slot); }
  // The category breakdown of the accounting month of CurrentDate, through Rework. Done when
  // there is something to show (the expense categories sum above 0); otherwise the notice
  // "適切なデータがありません。", or the error that stopped it (the list is then empty).
  Outcome RunBreakdown();

  // The CSV export of the calendar month of CurrentDate into `file`, through Rework.
  Outcome Export(ExportMode mode, const std::filesystem::path& file);

  // The NET window's stored fields, from ini.ini (their defaults when absent); throws FileError.
  NetSettings ReadNetSettings() const;
  // Writes them back in one rewrite of ini.ini.
  Outcome WriteNetSettings(const NetSettings& settings);
  // The NET download, with the wait guard held while it pumps events.
  NetDownload DownloadNet(NetFetch& fetch, const NetRequest& request, bool remove);
  // Merges the answer of an import into the day pages, through Rework: the one in the import
  // journal, or `answer` when the download could not put it there (net/net_import.h: durable,
  // every line that cannot be merged kept).
  struct NetImport {
    Outcome outcome;               // done: merged
    std::vector<std::string> log;  // what was merged and what was kept, Shift_JIS lines
    bool everything_merged = false;
  };
  NetImport ImportNet(std::string_view answer);
  // Completes an import that was cut short, through Rework; done when none waits any more.
  Outcome CompleteNetImport();
  // Whether an import cut short still waits: no other may start before it is completed.
  bool NetImportPending() const;

  // While a wait pumps events (the HTTP get), no command that writes month files may start.
  class WaitScope {
   public:
    explicit WaitScope(Book& book) : book_(book) { ++book_.waits_; }
    ~WaitScope() { --book_.waits_; }
    WaitScope(const WaitScope&) = delete;
    WaitScope& operator=(const WaitScope&) = delete;

   private:
    Book& book_;
  };
  bool waiting() const { return waits_ > 0; }

  const Date& CurrentDate() const { return current_date_; }
  DayPage& page() { return page_; }
  const DayPage& page() const { return page_; }
  int ClosingDay() const { return closing_day_; }
  bool SpendingOnlyMode() const { return spending_only_; }
  const CategoryTable& categories() const { return categories_; }
  const IconSlots& icon_slots() const { return icon_slots_; }
  const ChartPaletteColors& ChartPalette() const { return chart_palette_; }
  // The last breakdown: its lines (BreakdownList), its income sum (BreakdownIncome), its period.
  const std::vector<std::string>& BreakdownList() const { return breakdown_.lines; }
  const MoneySum& BreakdownIncome() const { return breakdown_.income; }
  const AccountingPeriod& BreakdownPeriod() const { return breakdown_.period; }
  // What the breakdown window shows of the last breakdown.
  BreakdownView LastBreakdownView() const {
    return MakeBreakdownView(BreakdownList(), BreakdownIncome(), BreakdownPeriod(), current_date_,
                             month_sum_, categories_);
  }
  // The sum of the month line (0 while no month file of the period exists, or when it could not
  // be computed).
  const MoneySum& MonthSum() const { return month_sum_; }

  // The labels of the main window, as Shift_JIS bytes. The month line is empty when its sum
  // could not be computed: no figure rather than a wrong one.
  const std::string& DateLabel() const { return date_label_; }
  const std::string& DayLine() const { return day_line_; }
  const std::string& MonthLine() const { return month_line_; }

  // The picture of a row whose category cell holds `category`.
  IconChoice CategoryIconOf(std::string_view category) const;

 private:
  // Loads the page of CurrentDate; throws FileError.
  void LoadPage();
  // Day line, month line and date label; a month total that cannot be computed adds a notice.
  void RefreshLabels(Outcome& outcome);
  void ReadSettings();
  // The one writer of ini.ini: the values in one rewrite.
  void WriteSettings(const std::vector<IniValue>& values);
  // An import cut short, completed without touching the page shown; the notices tell what
  // happened, an error among them.
  void CompleteImport(Outcome& outcome);
  void ReplacePage(DayPage page);

  ProgramPaths paths_;
  Clock today_;
  PageObserver* observer_ = nullptr;
  bool started_ = false;
  bool settings_refused_ = false;
  int waits_ = 0;

  Date current_date_;
  DayPage page_ = EmptyDayPage();
  int closing_day_ = 0;
  bool spending_only_ = false;
  CategoryTable categories_;
  IconSlots icon_slots_;
  ChartPaletteColors chart_palette_{};
  Breakdown breakdown_;
  MoneySum month_sum_;

  std::string date_label_;
  std::string day_line_;
  std::string month_line_;
};

}  // namespace purselog
