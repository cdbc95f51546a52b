#include "categories/category_table.h"

#include <gtest/gtest.h>

#include "core/text_codec.h"
#include "support/temp_dir.h"

namespace purselog {
namespace {

using testing::TempDir;

std::string S(std::string_view utf8) { return Utf8ToCp932(utf8); }

// A category grid: header row, then one row per {kind, name, presets...}.
GridTable Grid(const std::vector<std::vector<std::string>>& rows) {
  GridTable grid(kCategoryFileColumns, static_cast<int>(rows.size()) + 1);
  for (int x = 0; x < kCategoryFileColumns; ++x) grid.SetCell(x, 0, CategoryHeaderTexts()[x]);
  for (std::size_t y = 0; y < rows.size(); ++y) {
    for (std::size_t x = 0; x < rows[y].size(); ++x) {
      grid.SetCell(static_cast<int>(x), static_cast<int>(y) + 1, rows[y][x]);
    }
  }
  return grid;
}

TEST(CategoryTable, TheDeliveredTableLoadsElevenCategories) {
  const CategoryTable table = LoadCategories(PURSELOG_CATEGORY_FILE);
  ASSERT_EQ(table.size(), 11);
  EXPECT_EQ(Cp932ToUtf8(table.names()[0]), "食費");
  EXPECT_EQ(Cp932ToUtf8(table.names()[9]), "給料");
  int incomes = 0;
  for (int k = 0; k < table.size(); ++k) {
    incomes += table.IncomeFlag(k) ? 1 : 0;
    EXPECT_GE(table.DescriptionList(k).size(), 3u) << k;
  }
  EXPECT_EQ(incomes, 2);
  EXPECT_TRUE(table.IncomeFlag(9));
  EXPECT_FALSE(table.IncomeFlag(0));

  GridTable grid;
  LoadGridFile(PURSELOG_CATEGORY_FILE, grid);
  EXPECT_EQ(grid.columns(), 20);
  EXPECT_EQ(grid.rows(), 12);
  for (int x = 0; x < 20; ++x) EXPECT_EQ(grid.Cell(x, 0), CategoryHeaderTexts()[x]) << x;
  EXPECT_EQ(Cp932ToUtf8(grid.Cell(19, 0)), "摘要18");
  EXPECT_EQ(grid.ColumnWidth(10), 87);
  EXPECT_EQ(grid.ColumnWidth(9), 64);
}

TEST(CategoryTable, ARowWithoutFirstPresetEndsTheNames) {
  std::vector<std::vector<std::string>> rows;
  for (int i = 0; i < 11; ++i) rows.push_back({S("支出"), "c" + std::to_string(i), "p"});
  rows.push_back({S("支出"), "no preset", "", "ignored"});
  rows.push_back({S("収入"), "after", "p1", "p2"});
  const CategoryTable table = CategoryTable::FromGrid(Grid(rows));
  EXPECT_EQ(table.size(), 11);
  EXPECT_EQ(table.FindCategory("after"), -1);
  // Description lists are read for every row whatever stopped the names.
  EXPECT_TRUE(table.DescriptionList(11).empty());
  EXPECT_EQ(table.DescriptionList(12), (std::vector<std::string>{"p1", "p2"}));

  rows = {{S("支出"), "", "p"}, {S("支出"), "b", "p"}};
  EXPECT_EQ(CategoryTable::FromGrid(Grid(rows)).size(), 0);  // a row without a name ends it too
}

TEST(CategoryTable, OnlyRowsOneToTwentyLoad) {
  std::vector<std::vector<std::string>> rows;
  for (int i = 0; i < 24; ++i) {
    std::vector<std::string> row = {S(i % 2 ? "収入" : "支出"), "c" + std::to_string(i)};
    for (int p = 0; p < 19; ++p) row.push_back("p" + std::to_string(p));
    rows.push_back(row);
  }
  const CategoryTable table = CategoryTable::FromGrid(Grid(rows));
  EXPECT_EQ(table.size(), 20);
  EXPECT_EQ(table.FindCategory("c20"), -1);
  EXPECT_EQ(table.DescriptionList(0).size(), 18u);  // column 19 is the last preset
  EXPECT_EQ(table.DescriptionList(0).back(), "p17");
  EXPECT_TRUE(table.DescriptionList(20).empty());
}

TEST(CategoryTable, KindIsIncomeOnlyForExactlyTheIncomeText) {
  const CategoryTable table = CategoryTable::FromGrid(
      Grid({{S("収入"), "a", "p"}, {S("支出"), "b", "p"}, {"", "c", "p"}, {S("収入 "), "d", "p"}}));
  EXPECT_EQ(table.KindOf("a"), EntryKind::kIncome);
  EXPECT_EQ(table.KindOf("b"), EntryKind::kExpense);
  EXPECT_EQ(table.KindOf("c"), EntryKind::kExpense);
  EXPECT_EQ(table.KindOf("d"), EntryKind::kExpense);
  EXPECT_EQ(table.KindOf("e"), EntryKind::kNone);
  EXPECT_EQ(table.KindOf(""), EntryKind::kNone);
}

TEST(CategoryTable, FindCategoryIgnoresCaseAndTheUpperRowWins) {
  const CategoryTable table = CategoryTable::FromGrid(Grid({{S("支出"), S("食費"), "p"},
                                                            {S("支出"), S("Ｂｏｏｋｓ"), "p"},
                                                            {S("収入"), "Misc", "p"},
                                                            {S("支出"), "MISC", "p"}}));
  EXPECT_EQ(table.FindCategory(S("食費")), 0);
  EXPECT_EQ(table.FindCategory(S("ｂｏｏｋｓ")), 1);
  EXPECT_EQ(table.FindCategory(S("ＢＯＯＫＳ")), 1);
  EXPECT_EQ(table.FindCategory("Books"), -1);  // half-width is another text
  EXPECT_EQ(table.FindCategory("misc"), 2);
  EXPECT_EQ(table.FindCategory("MISC"), 2);  // the lower row can never be reached
  EXPECT_EQ(table.FindCategory("misc"), 2);  // and again, from the cache
  EXPECT_EQ(table.FindCategory(S("食")), -1);
}

TEST(CategoryTable, AnUnreadableFileReportsTheGridFileError) {
  TempDir dir;
  EXPECT_THROW(LoadCategories(dir / "setting.dat"), GridFileError);
}

}  // namespace
}  // namespace purselog

namespace purselog {
namespace {

// The index finds what a scan of the names finds, and each name's next twin, also with more
// names than its slots hold.
TEST(ExactNameIndex, FindsWhatTheScanFinds) {
  for (const std::size_t count : {std::size_t{11}, std::size_t{20}, std::size_t{40}}) {
    std::vector<std::string> names;
    for (std::size_t k = 0; k < count; ++k) {
      // Names of 1 to 20 bytes that share lengths, first and last bytes; every fifth repeats
      // an earlier one.
      names.push_back(k % 5 == 4 ? names[k - 3]
                                 : std::string(1 + k % 20, 'a') + static_cast<char>('A' + k % 7) +
                                       "\x90\x48");
    }
    const ExactNameIndex index(names);
    std::vector<std::string> texts = names;
    for (const std::string& name : names) {
      texts.push_back(name.substr(1));
      texts.push_back(name + "x");
      texts.push_back("b" + name.substr(1));
    }
    texts.push_back("");
    for (const std::string& text : texts) {
      const std::size_t found = index.Find(text);
      ASSERT_EQ(found, FindExactName(names, text)) << text;
      if (found < names.size()) {
        EXPECT_EQ(index.Next(found), FindExactName(names, text, found + 1)) << text;
      }
    }
  }
}

}  // namespace
}  // namespace purselog
