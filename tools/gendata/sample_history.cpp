#include "tools/gendata/sample_history.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>
#include <utility>

#include "core/comma_text.h"
#include "core/errors.h"
#include "core/text_codec.h"
#include "core/text_file.h"
#include "ledger/month_file.h"

namespace purselog {

namespace {

// SplitMix64: small, fast, and the same numbers everywhere (the standard library's
// distributions are not).
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // lo to hi inclusive.
  long Between(long lo, long hi) {
    return lo + static_cast<long>(Next() % static_cast<std::uint64_t>(hi - lo + 1));
  }
  bool Chance(double probability) {
    return static_cast<double>(Next() >> 11) * 0x1.0p-53 < probability;
  }

 private:
  std::uint64_t state_;
};

// When a habit comes round.
enum class Rhythm {
  kDaily,      // on any day with `chance` (weekdays_only: Monday to Friday)
  kMonthly,    // every month on `day`
  kBimonthly,  // in even months on `day`
  kYearly,     // in the months of `months` (a bit mask, bit 1 = January) on `day`
};

// Something the household pays or receives. Texts are UTF-8 here; the description must be a
// preset of a category of the table, which gives the category.
struct Habit {
  const char* description;
  Rhythm rhythm;
  double chance;  // kDaily
  int day;        // the others (moved to the month's last day when the month is shorter)
  long low;       // the amount, from low to high in steps of `step`
  long high;
  long step;
  bool weekdays_only = false;
  unsigned months = 0;  // kYearly
  double season = 0;    // extra share of the amount in winter (Dec to Feb) and high summer
};

constexpr unsigned kJune = 1u << 6;
constexpr unsigned kDecember = 1u << 12;

// A renting household of two with one salary, in yen.
const Habit kHabits[] = {
    {"家賃", Rhythm::kMonthly, 0, 27, 85000, 85000, 1},
    {"管理費", Rhythm::kMonthly, 0, 27, 5000, 5000, 1},
    {"給与", Rhythm::kMonthly, 0, 25, 268000, 302000, 1},
    {"手当", Rhythm::kMonthly, 0, 25, 10000, 10000, 1},
    {"賞与", Rhythm::kYearly, 0, 10, 420000, 680000, 1000, false, kJune | kDecember},
    {"利息", Rhythm::kYearly, 0, 20, 3, 240, 1, false, (1u << 2) | (1u << 8)},
    {"健康診断", Rhythm::kYearly, 0, 14, 5500, 11000, 100, false, 1u << 5},
    {"電気代", Rhythm::kMonthly, 0, 10, 5200, 9800, 1, false, 0, 0.6},
    {"ガス代", Rhythm::kMonthly, 0, 12, 2800, 5600, 1, false, 0, 0.5},
    {"水道代", Rhythm::kBimonthly, 0, 20, 4600, 7400, 1},
    {"携帯電話", Rhythm::kMonthly, 0, 5, 6200, 8900, 1},
    {"インターネット", Rhythm::kMonthly, 0, 5, 5280, 5280, 1},
    {"新聞", Rhythm::kMonthly, 0, 1, 4400, 4400, 1},
    {"食料品", Rhythm::kDaily, 0.65, 0, 240, 4480, 1},
    {"食料品", Rhythm::kDaily, 0.18, 0, 98, 1280, 1},
    {"昼食", Rhythm::kDaily, 0.62, 0, 450, 1150, 10, true},
    {"外食", Rhythm::kDaily, 0.09, 0, 1600, 8800, 10},
    {"お弁当", Rhythm::kDaily, 0.08, 0, 398, 880, 1},
    {"お菓子", Rhythm::kDaily, 0.14, 0, 98, 540, 1},
    {"飲み物", Rhythm::kDaily, 0.3, 0, 110, 300, 10},
    {"お米", Rhythm::kDaily, 0.03, 0, 1980, 4980, 1},
    {"消耗品", Rhythm::kDaily, 0.07, 0, 198, 2480, 1},
    {"洗剤", Rhythm::kDaily, 0.03, 0, 198, 798, 1},
    {"ドラッグストア", Rhythm::kDaily, 0.09, 0, 298, 3980, 1},
    {"キッチン用品", Rhythm::kDaily, 0.01, 0, 330, 4980, 1},
    {"文房具", Rhythm::kDaily, 0.02, 0, 110, 1480, 1},
    {"ペット用品", Rhythm::kDaily, 0.04, 0, 480, 3980, 1},
    {"電車", Rhythm::kDaily, 0.28, 0, 140, 880, 10},
    {"バス", Rhythm::kDaily, 0.08, 0, 180, 230, 10},
    {"タクシー", Rhythm::kDaily, 0.015, 0, 730, 4200, 10},
    {"ガソリン", Rhythm::kDaily, 0.07, 0, 2800, 6900, 1},
    {"駐車場", Rhythm::kDaily, 0.05, 0, 200, 1500, 100},
    {"高速道路", Rhythm::kDaily, 0.015, 0, 520, 4480, 10},
    {"修繕", Rhythm::kDaily, 0.003, 0, 3000, 48000, 100},
    {"家具・家電", Rhythm::kDaily, 0.005, 0, 2980, 79800, 10},
    {"灯油", Rhythm::kDaily, 0.02, 0, 1600, 2400, 1},
    {"郵便・宅配", Rhythm::kDaily, 0.02, 0, 84, 1480, 1},
    {"病院", Rhythm::kDaily, 0.02, 0, 990, 5800, 10},
    {"薬", Rhythm::kDaily, 0.03, 0, 298, 2480, 1},
    {"歯医者", Rhythm::kDaily, 0.01, 0, 1400, 4300, 10},
    {"整体", Rhythm::kDaily, 0.008, 0, 3000, 6000, 500},
    {"洋服", Rhythm::kDaily, 0.03, 0, 1490, 14900, 10},
    {"靴", Rhythm::kDaily, 0.008, 0, 2990, 11900, 10},
    {"下着", Rhythm::kDaily, 0.01, 0, 490, 2990, 10},
    {"美容院", Rhythm::kDaily, 0.02, 0, 3300, 7700, 100},
    {"化粧品", Rhythm::kDaily, 0.03, 0, 770, 4950, 1},
    {"クリーニング", Rhythm::kDaily, 0.02, 0, 290, 1980, 10},
    {"飲み会", Rhythm::kDaily, 0.035, 0, 3000, 6000, 500},
    {"贈り物", Rhythm::kDaily, 0.01, 0, 1980, 9800, 10},
    {"冠婚葬祭", Rhythm::kDaily, 0.002, 0, 10000, 50000, 10000},
    {"趣味", Rhythm::kDaily, 0.05, 0, 480, 7980, 10},
    {"旅行", Rhythm::kDaily, 0.003, 0, 18000, 120000, 1000},
    {"映画", Rhythm::kDaily, 0.02, 0, 1800, 2000, 100},
    {"書籍", Rhythm::kDaily, 0.05, 0, 440, 2970, 1},
    {"お祝い", Rhythm::kDaily, 0.002, 0, 10000, 50000, 5000},
    {"払い戻し", Rhythm::kDaily, 0.01, 0, 100, 4800, 1},
    {"売却", Rhythm::kDaily, 0.005, 0, 300, 18000, 100},
};

// Memos now and then: empty mostly; some with a blank, a comma or a double quote, which the
// month file keeps in quotes.
const char* const kMemos[] = {"スーパー", "コンビニ",     "まとめ買い 週末", "駅前, 2階",
                              "家族で",   "ポイント払い", "店名 \"さくら\"", "カード",
                              "現金",     "定期"};

// A habit bound to the table: the category and the description in Shift_JIS.
struct BoundHabit {
  const Habit* habit;
  std::string category;
  std::string description;
  bool income;
};

// The habits whose description is a preset of a category of the table, and for every category
// that none of them uses, a plain habit of its own with its first preset (a table edited by its
// user still gets entries in every category).
std::vector<BoundHabit> BindHabits(const CategoryTable& table) {
  static const Habit kPlainExpense = {"", Rhythm::kDaily, 0.04, 0, 300, 5000, 10};
  static const Habit kPlainIncome = {"", Rhythm::kMonthly, 0, 15, 5000, 30000, 100};
  std::vector<BoundHabit> bound;
  std::vector<bool> used(static_cast<std::size_t>(table.size()), false);
  for (const Habit& habit : kHabits) {
    const std::string description = Utf8ToCp932(habit.description);
    for (int i = 0; i < table.size(); ++i) {
      const std::vector<std::string>& presets = table.DescriptionList(i);
      if (std::find(presets.begin(), presets.end(), description) == presets.end()) continue;
      bound.push_back(
          {&habit, table.names()[static_cast<std::size_t>(i)], description, table.IncomeFlag(i)});
      used[static_cast<std::size_t>(i)] = true;
      break;
    }
  }
  for (int i = 0; i < table.size(); ++i) {
    const std::vector<std::string>& presets = table.DescriptionList(i);
    if (used[static_cast<std::size_t>(i)] || presets.empty()) continue;
    const bool income = table.IncomeFlag(i);
    bound.push_back({income ? &kPlainIncome : &kPlainExpense,
                     table.names()[static_cast<std::size_t>(i)], presets.front(), income});
  }
  return bound;
}

bool Occurs(const Habit& habit, const Date& date, Random& random) {
  const unsigned day = DayOf(date);
  const unsigned month = MonthOf(date);
  const unsigned last = DaysInMonth(YearOf(date), month);
  const bool on_day = day == std::min(static_cast<unsigned>(habit.day), last);
  switch (habit.rhythm) {
    case Rhythm::kDaily: {
      const unsigned weekday = WeekdayIndex(date);
      if (habit.weekdays_only && (weekday == 0 || weekday == 6)) return false;
      return random.Chance(habit.chance);
    }
    case Rhythm::kMonthly:
      return on_day;
    case Rhythm::kBimonthly:
      return on_day && month % 2 == 0;
    case Rhythm::kYearly:
      return on_day && (habit.months & (1u << month)) != 0;
  }
  return false;
}

long Amount(const Habit& habit, const Date& date, Random& random) {
  long amount = random.Between(habit.low / habit.step, habit.high / habit.step) * habit.step;
  const unsigned month = MonthOf(date);
  if (habit.season > 0 && (month <= 2 || month == 12 || month == 8)) {
    amount += static_cast<long>(std::lround(static_cast<double>(amount) * habit.season));
  }
  return std::max(amount, 1L);
}

std::uint64_t MonthSeed(std::uint64_t seed, int year, unsigned month) {
  Random mix(seed ^ (static_cast<std::uint64_t>(year) * 12 + month) * 0xD1B54A32D192ED03ull);
  return mix.Next();
}

bool Within(const Date& date, const SampleHistoryOptions& options) {
  return DateKeyValue(date) >= DateKeyValue(options.first_day) &&
         DateKeyValue(date) <= DateKeyValue(options.last_day);
}

// The amount text with the opposite sign.
std::string Negated(const std::string& amount) {
  if (amount.starts_with('-')) return amount.substr(1);
  if (amount.starts_with('+')) return "-" + amount.substr(1);
  return "-" + amount;
}

std::vector<SampleDay> MonthOfHabits(const std::vector<BoundHabit>& habits, int year,
                                     unsigned month, const SampleHistoryOptions& options) {
  Random random(MonthSeed(options.seed, year, month));
  std::vector<SampleDay> saves;
  // Every day of the month draws, inside the history or not, so that a day's entries do not
  // depend on where the history starts or ends.
  for (unsigned day = 1; day <= DaysInMonth(year, month); ++day) {
    const Date date = MakeDate(year, month, day);
    DayPage page;
    for (const BoundHabit& bound : habits) {
      if (!Occurs(*bound.habit, date, random)) continue;
      const long amount = Amount(*bound.habit, date, random);
      const bool memo = random.Chance(0.15);
      const std::size_t which = static_cast<std::size_t>(random.Next() % std::size(kMemos));
      page.push_back({bound.category, bound.description, std::to_string(amount),
                      memo ? Utf8ToCp932(kMemos[which]) : std::string()});
    }
    // Receipts are typed in no particular order.
    for (std::size_t i = page.size(); i > 1; --i) {
      std::swap(page[i - 1], page[static_cast<std::size_t>(random.Next() % i)]);
    }
    const bool late = random.Chance(0.08);
    if (page.empty() || !Within(date, options)) continue;
    saves.push_back({date, std::move(page)});
    // Now and then yesterday's page is saved after today's.
    if (late && saves.size() >= 2) std::swap(saves[saves.size() - 2], saves.back());
  }
  return saves;
}

std::string LedgerAccountName(std::string_view utf8) {
  std::string name(utf8);
  for (char& c : name) {
    if (c == ':' || static_cast<unsigned char>(c) <= 0x20) c = '_';
  }
  return name;
}

}  // namespace

SampleHistoryOptions YearsUntil(int years, const Date& last_day, std::uint64_t seed) {
  const int months_back = std::max(years, 1) * 12 - 1;
  const int index = YearOf(last_day) * 12 + static_cast<int>(MonthOf(last_day)) - 1 - months_back;
  return {MakeDate(index / 12, static_cast<unsigned>(index % 12 + 1), 1), last_day, seed};
}

std::vector<SampleDay> SampleMonth(const CategoryTable& table, int year, unsigned month,
                                   const SampleHistoryOptions& options) {
  return MonthOfHabits(BindHabits(table), year, month, options);
}

void ForEachSampleMonth(
    const CategoryTable& table, const SampleHistoryOptions& options,
    const std::function<void(int year, unsigned month, const std::vector<SampleDay>&)>& visit) {
  const std::vector<BoundHabit> habits = BindHabits(table);
  int year = YearOf(options.first_day);
  unsigned month = MonthOf(options.first_day);
  const long last = YearOf(options.last_day) * 12L + MonthOf(options.last_day);
  for (; year * 12L + month <= last; month = month % 12 + 1, year += month == 1 ? 1 : 0) {
    visit(year, month, MonthOfHabits(habits, year, month, options));
  }
}

std::string MonthFileBytes(const std::vector<SampleDay>& saves) {
  std::string bytes;
  for (const SampleDay& save : saves) {
    const std::string key = DateKey(save.date);
    for (const DayRow& row : save.page) {
      bytes += JoinCommaText({key, row[0], row[1], row[2], row[3]});
      bytes += "\r\n";
    }
  }
  return bytes;
}

SampleHistoryCount WriteSampleHistory(const std::filesystem::path& data_dir,
                                      const CategoryTable& table,
                                      const SampleHistoryOptions& options) {
  if (!DirectoryExists(data_dir)) CreateDirectory(data_dir);
  for (const auto& entry : std::filesystem::directory_iterator(data_dir)) {
    const std::string name = entry.path().filename().string();
    if (name.size() == 10 && name.ends_with(".csv") &&
        std::all_of(name.begin(), name.begin() + 6, [](char c) { return c >= '0' && c <= '9'; })) {
      throw AppError("The data folder " + data_dir.string() + " already holds month files (" +
                     name + "); sample data goes only into an empty account book");
    }
  }
  SampleHistoryCount count;
  ForEachSampleMonth(table, options, [&](int year, unsigned month, const auto& saves) {
    WriteFileAtomic(MonthFilePath(data_dir, MakeDate(year, month, 1)), MonthFileBytes(saves));
    ++count.month_files;
    for (const SampleDay& save : saves) count.entries += static_cast<long>(save.page.size());
  });
  return count;
}

std::string LedgerAccount(const CategoryTable& table, std::string_view category) {
  const bool income = table.KindOf(category) == EntryKind::kIncome;
  return (income ? "Income:" : "Expenses:") + LedgerAccountName(Cp932ToUtf8(category));
}

std::string LedgerJournal(const CategoryTable& table, const SampleHistoryOptions& options) {
  std::string journal;
  ForEachSampleMonth(table, options, [&](int, unsigned, const std::vector<SampleDay>& saves) {
    for (const SampleDay& save : saves) {
      const std::string key = DateKey(save.date);
      const std::string date = key.substr(0, 4) + "/" + key.substr(4, 2) + "/" + key.substr(6);
      for (const DayRow& row : save.page) {
        const bool income = table.KindOf(row[0]) == EntryKind::kIncome;
        journal += date + " " + Cp932ToUtf8(row[1]) + "\n";
        if (!row[3].empty()) journal += "    ; " + Cp932ToUtf8(row[3]) + "\n";
        journal += "    " + LedgerAccount(table, row[0]) + "  " +
                   (income ? Negated(row[2]) : row[2]) + "\n    Assets:Wallet\n\n";
      }
    }
  });
  return journal;
}

}  // namespace purselog
