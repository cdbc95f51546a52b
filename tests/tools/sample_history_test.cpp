#include "tools/gendata/sample_history.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/money.h"
#include "core/text_codec.h"
#include "core/text_file.h"
#include "ledger/month_file.h"
#include "support/temp_dir.h"

namespace purselog {
namespace {

using testing::ListDir;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

const CategoryTable& Delivered() {
  static const CategoryTable table = LoadCategories(PURSELOG_CATEGORY_FILE);
  return table;
}

// Two years ending mid-month, starting on the 1st of January 2023.
const SampleHistoryOptions kOptions = YearsUntil(2, MakeDate(2024, 12, 10), 7);

TEST(SampleHistory, TheMonthFilesAreWhatSavingEachDayPageWrites) {
  ASSERT_EQ(DateKey(kOptions.first_day), "20230101");
  TempDir written;
  const SampleHistoryCount count = WriteSampleHistory(written / "data", Delivered(), kOptions);
  EXPECT_EQ(count.month_files, 24);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(written / "data"), {}), 24);

  TempDir replayed;
  std::set<std::string> categories;
  long entries = 0;
  long incomes = 0;
  int late_saves = 0;
  ForEachSampleMonth(Delivered(), kOptions, [&](int year, unsigned month, const auto& saves) {
    SCOPED_TRACE(::testing::Message() << year << "/" << month);
    Date previous = MakeDate(year, month, 1);
    std::set<std::string> days;
    // Three months saved day by day as the program does (each save syncs: the others would
    // take long).
    const bool replay = (year == 2023 && month == 1) || (year == 2024 && month % 10 == 2);
    for (const SampleDay& save : saves) {
      if (replay) SaveDayPage(replayed.path(), save.date, save.page);
      EXPECT_TRUE(days.insert(DateKey(save.date)).second);
      late_saves += DateKeyValue(save.date) < DateKeyValue(previous);
      previous = save.date;
      EXPECT_LE(DateKeyValue(save.date), 20241210);
      EXPECT_GE(save.page.size(), 1u);
      EXPECT_LE(save.page.size(), 16u);
      for (const DayRow& row : save.page) {
        EXPECT_TRUE(IsCompleteRow(row));
        EXPECT_TRUE(IsValidAmountText(row[kAmountColumn])) << row[kAmountColumn];
        EXPECT_GT(AmountValue(row[kAmountColumn]), Money{});
        const int category = Delivered().FindCategory(row[kCategoryColumn]);
        ASSERT_GE(category, 0);
        const auto& presets = Delivered().DescriptionList(category);
        EXPECT_NE(std::find(presets.begin(), presets.end(), row[kDescriptionColumn]),
                  presets.end());
        categories.insert(row[kCategoryColumn]);
        incomes += Delivered().IncomeFlag(category);
        ++entries;
      }
    }
    // Several entries on most days.
    EXPECT_GE(days.size(), month == 12 && year == 2024 ? 8u : 24u);
    const Date first = MakeDate(year, month, 1);
    const std::string bytes = ReadBytes(MonthFilePath(written / "data", first));
    EXPECT_EQ(bytes, MonthFileBytes(saves));
    if (replay) {
      EXPECT_EQ(bytes, ReadBytes(MonthFilePath(replayed.path(), first)));
    }
  });
  EXPECT_EQ(entries, count.entries);
  EXPECT_GT(entries, 2 * 365 * 2);
  EXPECT_GE(incomes, 2 * 12 * 2);
  EXPECT_GT(late_saves, 10);
  EXPECT_EQ(categories.size(), static_cast<std::size_t>(Delivered().size()));
}

TEST(SampleHistory, AMonthDependsOnTheSeedAloneNotOnTheLengthOfTheHistory) {
  const auto march = [](SampleHistoryOptions options) {
    return MonthFileBytes(SampleMonth(Delivered(), 2024, 3, options));
  };
  const std::string long_history = march(YearsUntil(30, MakeDate(2030, 1, 1), 7));
  EXPECT_EQ(march(kOptions), long_history);
  EXPECT_NE(march(YearsUntil(2, MakeDate(2024, 12, 10), 8)), long_history);
  // A history that starts on the 15th holds that month's entries from the 15th on.
  SampleHistoryOptions from_15th = kOptions;
  from_15th.first_day = MakeDate(2024, 3, 15);
  const std::string tail = march(from_15th);
  EXPECT_EQ(tail.substr(0, 8), "20240315");
  EXPECT_NE(long_history.find(tail.substr(0, tail.find("\r\n"))), std::string::npos);
}

TEST(SampleHistory, ADataFolderWithMonthFilesIsRefusedUntouched) {
  TempDir dir;
  std::filesystem::create_directory(dir / "data");
  WriteBytes(dir / "data" / "notes.txt", "x");
  WriteBytes(dir / "data" / "2024.csv", "y");
  SampleHistoryOptions one_month = kOptions;
  one_month.first_day = MakeDate(2024, 12, 1);
  EXPECT_EQ(WriteSampleHistory(dir / "data", Delivered(), one_month).month_files, 1);
  EXPECT_EQ(ListDir(dir / "data"), "2024.csv|202412.csv|notes.txt");
  const std::string bytes = ReadBytes(dir / "data" / "202412.csv");
  try {
    WriteSampleHistory(dir / "data", Delivered(), kOptions);
    FAIL() << "no error";
  } catch (const AppError& error) {
    EXPECT_EQ(std::string(error.what()), "The data folder " + (dir / "data").string() +
                                             " already holds month files (202412.csv); sample "
                                             "data goes only into an empty account book");
  }
  EXPECT_EQ(ListDir(dir / "data"), "2024.csv|202412.csv|notes.txt");
  EXPECT_EQ(ReadBytes(dir / "data" / "202412.csv"), bytes);
}

TEST(SampleHistory, TheLedgerJournalHoldsEveryEntryWithTheSignOfItsKind) {
  SampleHistoryOptions one_day = kOptions;
  one_day.first_day = one_day.last_day = MakeDate(2024, 6, 10);  // a bonus day
  const std::vector<SampleDay> saves = SampleMonth(Delivered(), 2024, 6, one_day);
  ASSERT_EQ(saves.size(), 1u);
  std::string expected;
  for (const DayRow& row : saves[0].page) {
    const bool income = Delivered().KindOf(row[0]) == EntryKind::kIncome;
    expected += "2024/06/10 " + Cp932ToUtf8(row[1]) + "\n" +
                (row[3].empty() ? "" : "    ; " + Cp932ToUtf8(row[3]) + "\n") + "    " +
                (income ? "Income:" : "Expenses:") + Cp932ToUtf8(row[0]) + "  " +
                (income ? "-" : "") + row[2] + "\n    Assets:Wallet\n\n";
  }
  EXPECT_NE(expected.find("Income:給料  -"), std::string::npos);
  EXPECT_EQ(LedgerJournal(Delivered(), one_day), expected);
}

}  // namespace
}  // namespace purselog
