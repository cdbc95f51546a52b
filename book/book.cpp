#include "book/book.h"

#include <exception>

#include "core/date_format.h"
#include "core/errors.h"
#include "core/ini_file.h"
#include "core/text_codec.h"
#include "core/text_file.h"
#include "ledger/month_file.h"
#include "ledger/period.h"
#include "ledger/totals.h"
#include "net/net_import.h"

namespace purselog {

namespace {

// Stands in the month line until the first month total replaces it.
constexpr std::string_view kMonthPlaceholder = "Total \\85,000,000 /Month";
constexpr std::string_view kImportStoppedText =
    "NET の取り込みが途中で止まりました。次に起動したときか NET 機能を開いたときに続きを行います。";

}  // namespace

Book::Book(ProgramPaths paths, Clock today) : paths_(std::move(paths)), today_(std::move(today)) {}

Outcome Book::Start() {
  Outcome outcome;
  try {
    if (!DirectoryExists(paths_.PacsDir())) CreateDirectory(paths_.PacsDir());
    if (!FileExists(paths_.CategoryFile())) {
      outcome.notices.push_back(Notice{"注意", "setting.dat がありません", false});
      return outcome;
    }
    ReadSettings();
    chart_palette_ = MakeChartPalette();
    if (!DirectoryExists(paths_.DataDir())) CreateDirectory(paths_.DataDir());
    current_date_ = today_();
    date_label_ = DateLabelText(current_date_);
    month_line_ = kMonthPlaceholder;
    categories_ = LoadCategories(paths_.CategoryFile());
    // Before the first page is read: an import cut short may have been adding to it.
    CompleteImport(outcome);
    LoadPage();
  } catch (const std::exception& error) {
    // The program ends: nothing may be written with paths or values that were never set.
    outcome.notices.push_back(ErrorNotice(error.what()));
    return outcome;
  }
  started_ = true;
  RefreshLabels(outcome);
  outcome.done = true;
  return outcome;
}

void Book::ReadSettings() {
  const IniFile ini(paths_.SettingsFile());
  closing_day_ = ini.ReadInteger("setting", "sime", 0);
  // Only a hand-edited file holds another value; the accounting month needs 0 to 28.
  if (!IsValidClosingDay(closing_day_)) closing_day_ = 0;
  icon_slots_ = IconSlots();
  icon_slots_.count = ini.ReadInteger("ExtImg", "num", 0);
  for (int i = 0; i < icon_slots_.UsedSlots(); ++i) {
    std::string name = ini.ReadString("ExtImg", std::to_string(i), "");
    // A remembered icon whose file has gone is forgotten (and written back empty).
    if (name.empty() || !FileExists(paths_.PacsDir() / Cp932ToUtf8(name))) name.clear();
    icon_slots_.names[static_cast<std::size_t>(i)] = std::move(name);
  }
}

void Book::WriteSettings(const std::vector<IniValue>& values) {
  // One rewrite: the settings are all written or none.
  IniFile(paths_.SettingsFile()).WriteValues(values);
}

Outcome Book::Shutdown() {
  Outcome outcome;
  if (waiting()) return outcome;
  if (!started_) {
    outcome.done = true;  // nothing was set up, so nothing is written
    return outcome;
  }
  Outcome saved = SaveShownPage();
  if (!saved.done) return saved;  // the window stays, with its page and its settings
  std::vector<IniValue> values = {
      {"setting", "clipbmp", ""},
      IniValue::Integer("setting", "displayclip", 0),
      IniValue::Integer("ExtImg", "num", icon_slots_.count),
      IniValue::Integer("setting", "sime", closing_day_),
  };
  for (int i = 0; i < icon_slots_.UsedSlots(); ++i) {
    values.push_back({"ExtImg", std::to_string(i), icon_slots_.names[static_cast<std::size_t>(i)]});
  }
  try {
    WriteSettings(values);
  } catch (const std::exception& error) {
    // The page is safe, the settings are not. The first time the program goes on, so that a
    // closing day or an icon chosen since the start is not lost while the user mends the file
    // (a full disk, a permission); closing again with the file still unwritable ends it, so that
    // the program can always be closed.
    outcome.notices.push_back(ErrorNotice(error.what()));
    if (!settings_refused_) {
      settings_refused_ = true;
      return outcome;
    }
  }
  started_ = false;
  outcome.done = true;
  return outcome;
}

Outcome Book::SaveShownPage() {
  Outcome outcome;
  if (!started_ || waiting()) return outcome;
  try {
    SaveDayPage(paths_.DataDir(), current_date_, page_);
    outcome.done = true;
  } catch (const std::exception& error) {
    outcome.notices.push_back(ErrorNotice(error.what()));
  }
  return outcome;
}

Outcome Book::EnterDate(const Date& date) {
  Outcome outcome;
  if (!started_ || waiting()) return outcome;
  const Date previous = current_date_;
  current_date_ = date;
  try {
    LoadPage();
  } catch (const std::exception& error) {
    // The page shown is still the previous date's, just written: stay there, so that an
    // unreadable month file never has its day replaced by an empty page.
    current_date_ = previous;
    outcome.notices.push_back(ErrorNotice(error.what()));
    return outcome;
  }
  RefreshLabels(outcome);
  outcome.done = true;
  return outcome;
}

Outcome Book::GoToDate(const Date& date) {
  Outcome saved = SaveShownPage();
  if (!saved.done) return saved;
  return EnterDate(date);
}

Outcome Book::Rework(const std::function<void()>& work) {
  if (!started_ || waiting()) return {};
  Outcome outcome = SaveShownPage();
  if (outcome.done) {
    try {
      if (work) work();
    } catch (const std::exception& error) {
      outcome.notices.push_back(ErrorNotice(error.what()));
    }
    try {
      LoadPage();
    } catch (const std::exception& error) {
      // The page was just written: it stays on screen as it is.
      outcome.notices.push_back(ErrorNotice(error.what()));
    }
  }
  RefreshLabels(outcome);
  return outcome;
}

Outcome Book::SetClosingDay(int closing_day) {
  if (IsValidClosingDay(closing_day)) closing_day_ = closing_day;
  return Rework(nullptr);
}

Outcome Book::SetSpendingOnlyMode(bool on) {
  Outcome outcome;
  spending_only_ = on;
  if (!started_) return outcome;
  RefreshLabels(outcome);
  outcome.done = true;
  return outcome;
}

void Book::RefreshDayLine() {
  day_line_ =
      DayTotalText(SumDayPage(page_, categories_.KindFunction(), spending_only_), spending_only_);
}

Outcome Book::ReloadCategories() {
  Outcome outcome;
  try {
    categories_ = LoadCategories(paths_.CategoryFile());
    outcome.done = true;
  } catch (const std::exception& error) {
    outcome.notices.push_back(ErrorNotice(error.what()));
  }
  return outcome;
}

Outcome Book::LoadCategorySettings(CategorySettingsTable& table) const {
  Outcome outcome;
  try {
    CategorySettingsTable loaded = table;
    loaded.Load(paths_.CategoryFile());
    table = std::move(loaded);
    outcome.done = true;
  } catch (const std::exception& error) {
    outcome.notices.push_back(ErrorNotice(error.what()));
  }
  return outcome;
}

Outcome Book::SaveCategories(const CategorySettingsTable& table) {
  Outcome outcome;
  try {
    table.Save(paths_.CategoryFile());
    outcome.done = true;
  } catch (const std::exception& error) {
    outcome.notices.push_back(ErrorNotice(error.what()));
  }
  return outcome;
}

Outcome Book::RunBreakdown() {
  bool computed = false;
  Outcome outcome = Rework([this, &computed] {
    breakdown_ = Breakdown();
    breakdown_ = ComputeBreakdown(paths_.DataDir(), current_date_, closing_day_, categories_);
    computed = true;
  });
  outcome.done = outcome.done && computed;
  if (outcome.done && BreakdownTotal(breakdown_.lines) <= MoneySum()) {
    outcome.notices.push_back(Notice{"注意", "適切なデータがありません。", false});
    outcome.done = false;
  }
  return outcome;
}

Outcome Book::Export(ExportMode mode, const std::filesystem::path& file) {
  return Rework([&] {
    const std::vector<std::string> lines = ReadExportLines(paths_.DataDir(), current_date_);
    WriteExportFile(paths_.DataDir(), file, ExportLines(lines, mode, categories_.KindFunction()));
  });
}

NetSettings Book::ReadNetSettings() const {
  const IniFile ini(paths_.SettingsFile());
  return {ini.ReadString(kNetSection, kNetUrlKey, kDefaultServiceUrl),
          ini.ReadString(kNetSection, kNetProxyKey, ""),
          ini.ReadString(kNetSection, kNetProxyPortKey, ""),
          ini.ReadString(kNetSection, kNetIdKey, "")};
}

Outcome Book::WriteNetSettings(const NetSettings& settings) {
  Outcome outcome;
  const std::string section(kNetSection);
  try {
    WriteSettings({{section, std::string(kNetUrlKey), settings.url},
                   {section, std::string(kNetProxyKey), settings.proxy},
                   {section, std::string(kNetProxyPortKey), settings.proxy_port},
                   {section, std::string(kNetIdKey), settings.id}});
    outcome.done = true;
  } catch (const std::exception& error) {
    outcome.notices.push_back(ErrorNotice(error.what()));
  }
  return outcome;
}

NetDownload Book::DownloadNet(NetFetch& fetch, const NetRequest& request, bool remove) {
  // No command may write the month files while the wait lets window events through.
  const WaitScope wait(*this);
  return fetch.Download(request, remove);
}

Book::NetImport Book::ImportNet(std::string_view answer) {
  NetImport result;
  NetImportReport report;
  bool merged = false;
  result.outcome = Rework([&] {
    if (!NetImportPending() && !answer.empty()) BeginNetImport(answer, paths_);
    if (std::optional<NetImportReport> done = purselog::CompleteNetImport(paths_, categories_)) {
      report = std::move(*done);
      merged = true;
    }
  });
  if (merged) {
    result.log = ImportLogLines(report);
    result.everything_merged = report.kept.empty();
  } else if (NetImportPending()) {
    result.log = {Utf8ToCp932(kImportStoppedText)};
  }
  result.outcome.done = result.outcome.done && merged;
  return result;
}

bool Book::NetImportPending() const { return purselog::NetImportPending(paths_); }

Outcome Book::CompleteNetImport() {
  if (!NetImportPending()) return {true, {}};
  Outcome completed;
  Outcome outcome = Rework([&] { CompleteImport(completed); });
  outcome.notices.insert(outcome.notices.end(), completed.notices.begin(), completed.notices.end());
  outcome.done = outcome.done && !NetImportPending();
  return outcome;
}

void Book::CompleteImport(Outcome& outcome) {
  try {
    std::optional<NetImportReport> report = purselog::CompleteNetImport(paths_, categories_);
    if (!report) return;
    report->interrupted = true;
    std::vector<std::string> lines = ImportLogLines(*report);
    // The summary, without the list of kept lines (net_unmerged.txt holds them).
    lines.resize(std::min<std::size_t>(lines.size(), report->kept.empty() ? 2 : 3));
    std::string text;
    for (const std::string& line : lines) text += Cp932ToUtf8(line) + "\n";
    text.pop_back();
    outcome.notices.push_back(Notice{"注意", text, false});
  } catch (const std::exception& error) {
    outcome.notices.push_back(ErrorNotice(error.what()));
    outcome.notices.push_back(Notice{"注意", std::string(kImportStoppedText), false});
  }
}

IconChoice Book::CategoryIconOf(std::string_view category) const {
  const int k = categories_.FindCategory(category);
  if (k < 0) return {IconChoice::Kind::kKeep, 0};  // not in the table: the icon stays
  if (k < kBuiltinCategoryCount) return {IconChoice::Kind::kBuiltin, k};
  const int slot = k - kBuiltinCategoryCount;
  if (slot < icon_slots_.UsedSlots() &&
      !icon_slots_.names[static_cast<std::size_t>(slot)].empty()) {
    return {IconChoice::Kind::kSlot, slot};
  }
  return {IconChoice::Kind::kNone, 0};
}

void Book::LoadPage() { ReplacePage(LoadDayPage(paths_.DataDir(), current_date_)); }

void Book::ReplacePage(DayPage page) {
  if (observer_ != nullptr) observer_->PageAboutToBeReplaced();
  page_ = std::move(page);
  if (page_.empty()) page_ = EmptyDayPage();
  if (observer_ != nullptr) observer_->PageReplaced();
}

void Book::RefreshLabels(Outcome& outcome) {
  RefreshDayLine();
  try {
    MonthTotal total = ComputeMonthTotal(paths_.DataDir(), current_date_, closing_day_,
                                         categories_.KindFunction(), spending_only_);
    month_line_ = std::move(total.text);
    month_sum_ = total.sum;
  } catch (const std::exception& error) {
    month_line_.clear();
    month_sum_ = MoneySum();
    outcome.notices.push_back(ErrorNotice(error.what()));
  }
  date_label_ = DateLabelText(current_date_);
}

}  // namespace purselog
