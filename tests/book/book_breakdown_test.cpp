// The breakdown command of the book: the page shown is written back first and counts. (Its
// messages are tested through the window, tests/ui/breakdown.)
#include <gtest/gtest.h>

#include <filesystem>

#include "book/book.h"
#include "core/text_codec.h"
#include "support/temp_dir.h"

namespace purselog {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

std::string S(const char* utf8) { return Utf8ToCp932(utf8); }

class BookBreakdownTest : public ::testing::Test {
 protected:
  BookBreakdownTest() : book_(ProgramPaths{dir_.path()}, [] { return MakeDate(2024, 1, 31); }) {
    fs::copy_file(PURSELOG_CATEGORY_FILE, dir_ / "setting.dat");
  }
  void Entry(const char* category, const char* amount) {
    DayPage& page = book_.page();
    if (!page.back()[kCategoryColumn].empty()) InsertEmptyRow(page, static_cast<int>(page.size()));
    const int row = static_cast<int>(page.size()) - 1;
    ASSERT_EQ(EditCell(page, row, 0, S(category)), CellEdit::kAccepted);
    ASSERT_EQ(EditCell(page, row, 1, "x"), CellEdit::kAccepted);
    ASSERT_EQ(EditCell(page, row, 2, amount), CellEdit::kAccepted);
  }

  TempDir dir_;
  Book book_;
};

TEST_F(BookBreakdownTest, ThePageShownIsWrittenBackAndCounts) {
  ASSERT_TRUE(book_.Start().done);
  Entry("食費", "1200");
  Entry("給料", "250000");
  const Outcome outcome = book_.RunBreakdown();
  EXPECT_TRUE(outcome.done);
  EXPECT_TRUE(outcome.notices.empty());
  ASSERT_EQ(book_.BreakdownList().size(), 9u);  // every expense category of the table
  EXPECT_EQ(book_.BreakdownList().back(), "1200=" + S("食費"));
  EXPECT_EQ(book_.BreakdownIncome(), Money::FromWhole(250000));
  EXPECT_EQ(book_.BreakdownPeriod().first, MakeDate(2024, 1, 1));
  EXPECT_EQ(book_.MonthSum(), Money::FromWhole(248800));
  EXPECT_EQ(book_.MonthLine(), "Total \\248,800 /Month");
  EXPECT_EQ(book_.page().size(), 2u);  // loaded again
}

}  // namespace
}  // namespace purselog
