// The running book without a window: start-up, the change of date and its failures, the
// write-back pattern of the commands, shutdown.
#include "book/book.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "core/text_codec.h"
#include "net/net_import.h"
#include "support/golden.h"
#include "support/temp_dir.h"

namespace purselog {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

std::string S(const char* utf8) { return Utf8ToCp932(utf8); }

class BookTest : public ::testing::Test {
 protected:
  BookTest() : book_(ProgramPaths{dir_.path()}, [this] { return today_; }) {
    fs::copy_file(PURSELOG_CATEGORY_FILE, dir_ / "setting.dat");
  }

  fs::path Data(const char* name) const { return dir_.path() / "data" / name; }
  void WriteMonth(const char* name, const std::string& bytes) {
    fs::create_directories(dir_.path() / "data");
    WriteBytes(Data(name), bytes);
  }
  void Type(int row, int column, const char* utf8) {
    while (static_cast<int>(book_.page().size()) <= row) {
      InsertEmptyRow(book_.page(), static_cast<int>(book_.page().size()));
    }
    ASSERT_EQ(EditCell(book_.page(), row, column, S(utf8)), CellEdit::kAccepted);
  }
  void Entry(int row, const char* category, const char* description, const char* amount) {
    Type(row, 0, category);
    Type(row, 1, description);
    Type(row, 2, amount);
  }

  TempDir dir_;
  Date today_ = MakeDate(2024, 1, 31);
  Book book_;
};

TEST_F(BookTest, FirstRunStartsOnAnEmptyTodayAndWritesAllSettingsAtShutdown) {
  const Outcome start = book_.Start();
  EXPECT_TRUE(start.done);
  EXPECT_TRUE(start.notices.empty());
  EXPECT_TRUE(fs::is_directory(dir_ / "pacs"));
  EXPECT_TRUE(fs::is_directory(dir_ / "data"));
  EXPECT_EQ(book_.CurrentDate(), today_);
  EXPECT_EQ(book_.page(), EmptyDayPage());
  EXPECT_EQ(book_.DateLabel(), S("2024/01/31 (水)"));
  EXPECT_EQ(book_.MonthLine(), "Total \\0 /Month");
  EXPECT_EQ(book_.DayLine(), "Sub Total \\0 /Day");
  EXPECT_EQ(book_.ChartPalette()[20], (Rgb{219, 8, 0}));

  const Outcome end = book_.Shutdown();
  EXPECT_TRUE(end.done);
  EXPECT_EQ(ReadBytes(dir_ / "ini.ini"),
            "[setting]\r\nclipbmp=\r\ndisplayclip=0\r\nsime=0\r\n[ExtImg]\r\nnum=0\r\n");
  EXPECT_EQ(ReadBytes(Data("202401.csv")), "");
  EXPECT_TRUE(book_.Shutdown().done);  // once ended, nothing more is written
}

// An import the program was killed in is completed before the first page is read.
TEST_F(BookTest, StartCompletesAnImportCutShort) {
  WriteMonth("202401.csv", "");
  BeginNetImport(S("20240131,食費,昼食,800,\r\n20240131,x,y,1,\r\n"), book_.paths());
  const Outcome start = book_.Start();
  EXPECT_TRUE(start.done);
  EXPECT_EQ(start.notices,
            (std::vector<Notice>{{"注意",
                                  "中断していた取り込みを完了しました。\n1 件を取り込みました。\n"
                                  "取り込めなかった 1 行を、プログラムのフォルダの "
                                  "net_unmerged.txt に残しました。",
                                  false}}));
  EXPECT_EQ(book_.page().size(), 1u);
  EXPECT_EQ(book_.page()[0][1], S("昼食"));
  EXPECT_FALSE(book_.NetImportPending());
}

TEST_F(BookTest, UnwritableSettingsKeepTheProgramOnceThenLetItEnd) {
  ASSERT_TRUE(book_.Start().done);
  fs::create_directory(dir_ / "ini.ini");
  Outcome end = book_.Shutdown();
  EXPECT_FALSE(end.done);
  ASSERT_EQ(end.notices.size(), 1u);
  EXPECT_EQ(end.notices[0].text, (dir_ / "ini.ini").string() + " に書き込めません.");
  EXPECT_TRUE(book_.started());
  end = book_.Shutdown();
  EXPECT_TRUE(end.done);
  EXPECT_EQ(end.notices.size(), 1u);
  EXPECT_FALSE(book_.started());
}

TEST_F(BookTest, WithoutTheCategoryTableNothingStartsAndNothingIsWritten) {
  fs::remove(dir_ / "setting.dat");
  const Outcome start = book_.Start();
  EXPECT_FALSE(start.done);
  ASSERT_EQ(start.notices.size(), 1u);
  EXPECT_EQ(start.notices[0], (Notice{"注意", "setting.dat がありません", false}));
  EXPECT_TRUE(fs::is_directory(dir_ / "pacs"));
  EXPECT_FALSE(fs::exists(dir_ / "data"));
  EXPECT_TRUE(book_.Shutdown().done);
  EXPECT_FALSE(book_.GoToDate(today_).done);
  EXPECT_FALSE(fs::exists(dir_ / "ini.ini"));
  EXPECT_FALSE(fs::exists(dir_ / "data"));
}

TEST_F(BookTest, ChangeOfDateAcrossTheMonthEnd) {
  ASSERT_TRUE(book_.Start().done);
  Entry(0, "食費", "外食", "1200");
  Entry(1, "給料", "給与", "250000");
  Type(1, 3, "メモ あり");
  book_.RefreshDayLine();
  EXPECT_EQ(book_.DayLine(), "Sub Total \\248,800 /Day");
  EXPECT_EQ(book_.MonthLine(), "Total \\0 /Month");  // the month file follows at the write-back

  const Outcome next = book_.GoToDate(MakeDate(2024, 2, 1));
  EXPECT_TRUE(next.done);
  EXPECT_EQ(ReadBytes(Data("202401.csv")), "20240131," + S("食費") + "," + S("外食") +
                                               ",1200,\r\n20240131," + S("給料") + "," + S("給与") +
                                               ",250000,\"" + S("メモ あり") + "\"\r\n");
  EXPECT_FALSE(fs::exists(Data("202402.csv")));
  EXPECT_EQ(book_.page(), EmptyDayPage());
  EXPECT_EQ(book_.DateLabel(), S("2024/02/01 (木)"));
  EXPECT_EQ(book_.DayLine(), "Sub Total \\0 /Day");
  EXPECT_EQ(book_.MonthLine(), "Total \\0 /Month");

  EXPECT_TRUE(book_.GoToDate(MakeDate(2024, 1, 31)).done);
  EXPECT_EQ(ReadBytes(Data("202402.csv")), "");
  ASSERT_EQ(book_.page().size(), 2u);
  EXPECT_EQ(book_.page()[1][3], S("メモ あり"));
  EXPECT_EQ(book_.MonthLine(), "Total \\248,800 /Month");
  EXPECT_EQ(book_.DayLine(), "Sub Total \\248,800 /Day");
}

TEST_F(BookTest, AFailedChangeOfDateKeepsDatePageAndLabels) {
  ASSERT_TRUE(book_.Start().done);
  Entry(0, "食費", "外食", "30");
  // The page cannot be written: nothing changes.
  fs::create_directory(Data("202401.csv"));
  Outcome next = book_.GoToDate(MakeDate(2024, 2, 1));
  EXPECT_FALSE(next.done);
  ASSERT_EQ(next.notices.size(), 1u);
  EXPECT_EQ(next.notices[0].caption, "Purselog");
  EXPECT_EQ(next.notices[0].text,
            "Cannot open file \"" + Data("202401.csv").string() + "\": Is a directory.");
  EXPECT_TRUE(next.notices[0].error);
  EXPECT_EQ(book_.CurrentDate(), today_);
  EXPECT_EQ(book_.page()[0][2], "30");
  EXPECT_FALSE(book_.Shutdown().done);  // the window stays; no setting is written
  EXPECT_FALSE(fs::exists(dir_ / "ini.ini"));
  fs::remove(Data("202401.csv"));

  // The new month cannot be read: the date stays on the day just written.
  fs::create_directory(Data("202402.csv"));
  next = book_.GoToDate(MakeDate(2024, 2, 1));
  EXPECT_FALSE(next.done);
  ASSERT_EQ(next.notices.size(), 1u);
  EXPECT_EQ(book_.CurrentDate(), today_);
  EXPECT_EQ(book_.DateLabel(), S("2024/01/31 (水)"));
  EXPECT_EQ(book_.page()[0][1], S("外食"));
  EXPECT_EQ(ReadBytes(Data("202401.csv")), "20240131," + S("食費") + "," + S("外食") + ",30,\r\n");
}

TEST_F(BookTest, AMonthTotalThatCannotBeComputedShowsNoFigure) {
  // Closing day 25 on 10 February: the period reads the January file, which is unreadable.
  WriteBytes(dir_ / "ini.ini", "[setting]\r\nsime=25\r\n");
  WriteMonth("202402.csv", "20240210," + S("食費") + ",x,20,\r\n");
  fs::create_directory(Data("202401.csv"));
  today_ = MakeDate(2024, 2, 10);
  const Outcome start = book_.Start();
  EXPECT_TRUE(start.done);  // the window opens, with the error shown
  ASSERT_EQ(start.notices.size(), 1u);
  EXPECT_NE(start.notices[0].text.find("202401.csv\": Is a directory"), std::string::npos);
  EXPECT_EQ(book_.MonthLine(), "");
  EXPECT_EQ(book_.DayLine(), "Sub Total " + S("▲") + "\\20 /Day");

  fs::remove(Data("202401.csv"));
  EXPECT_TRUE(book_.SetSpendingOnlyMode(true).done);
  EXPECT_EQ(book_.MonthLine(), "Total Spent " + S("▲") + "\\20 /Month");
  // A later failure leaves no stale figure either.
  fs::create_directory(Data("202401.csv"));
  EXPECT_EQ(book_.GoToDate(MakeDate(2024, 2, 11)).notices.size(), 1u);
  EXPECT_EQ(book_.MonthLine(), "");
}

TEST_F(BookTest, TheClosingDayWritesThePageBackAndReloadsIt) {
  WriteMonth("202401.csv",
             "20240126," + S("食費") + ",x,100,\r\n20240110," + S("食費") + ",x,5,\r\n");
  WriteMonth("202402.csv",
             "20240210," + S("食費") + ",x,20,\r\n20240226," + S("食費") + ",x,3000,\r\n");
  today_ = MakeDate(2024, 2, 10);
  ASSERT_TRUE(book_.Start().done);
  EXPECT_EQ(book_.MonthLine(), "Total " + S("▲") + "\\3,020 /Month");
  Type(0, 3, "memo");
  InsertEmptyRow(book_.page(), 1);  // an incomplete row: gone after the reload
  const Outcome changed = book_.SetClosingDay(25);
  EXPECT_TRUE(changed.done);
  EXPECT_EQ(book_.ClosingDay(), 25);
  EXPECT_EQ(book_.MonthLine(), "Total " + S("▲") + "\\120 /Month");  // 26 Jan to 25 Feb
  ASSERT_EQ(book_.page().size(), 1u);
  EXPECT_EQ(book_.page()[0][3], "memo");
  EXPECT_EQ(book_.DateLabel(), S("2024/02/10 (土)"));
  EXPECT_TRUE(book_.Shutdown().done);
  EXPECT_NE(ReadBytes(dir_ / "ini.ini").find("sime=25\r\n"), std::string::npos);
}

TEST_F(BookTest, ReworkRunsBetweenWriteBackAndReloadAndReportsItsErrors) {
  ASSERT_TRUE(book_.Start().done);
  Entry(0, "食費", "外食", "30");
  std::string seen;
  Outcome outcome = book_.Rework([&] {
    seen = ReadBytes(Data("202401.csv"));
    WriteBytes(Data("202401.csv"), seen + "20240131," + S("日用品") + ",x,5,\r\n");
    throw std::invalid_argument("stoi");
  });
  EXPECT_EQ(seen, "20240131," + S("食費") + "," + S("外食") + ",30,\r\n");
  EXPECT_TRUE(outcome.done);
  ASSERT_EQ(outcome.notices.size(), 1u);
  EXPECT_EQ(outcome.notices[0], (Notice{"Purselog", "stoi.", true}));
  ASSERT_EQ(book_.page().size(), 2u);  // reloaded all the same
  EXPECT_EQ(book_.MonthLine(), "Total " + S("▲") + "\\35 /Month");

  // While a wait pumps events, nothing that writes month files starts.
  {
    Book::WaitScope wait(book_);
    const std::string before = ReadBytes(Data("202401.csv"));
    Type(1, 2, "6");
    bool ran = false;
    EXPECT_FALSE(book_.Rework([&] { ran = true; }).done);
    EXPECT_FALSE(book_.GoToDate(MakeDate(2024, 2, 1)).done);
    EXPECT_FALSE(book_.Shutdown().done);
    EXPECT_FALSE(ran);
    EXPECT_EQ(ReadBytes(Data("202401.csv")), before);
  }
  EXPECT_TRUE(book_.Rework(nullptr).done);
  EXPECT_EQ(book_.MonthLine(), "Total " + S("▲") + "\\36 /Month");
}

TEST_F(BookTest, IconsFollowTheCategoryTableAndTheSlots) {
  fs::create_directory(dir_ / "pacs");
  WriteBytes(dir_ / "pacs" / "a.bmp", "BM");
  WriteBytes(dir_ / "ini.ini", "[ExtImg]\r\nnum=40\r\n0=a.bmp\r\n1=gone.pac\r\n");
  ASSERT_TRUE(book_.Start().done);
  EXPECT_EQ(book_.icon_slots().count, 40);
  EXPECT_EQ(book_.icon_slots().UsedSlots(), 32);
  EXPECT_EQ(book_.icon_slots().names[0], "a.bmp");
  EXPECT_EQ(book_.icon_slots().names[1], "");  // its file has gone
  EXPECT_EQ(book_.CategoryIconOf(S("食費")), (IconChoice{IconChoice::Kind::kBuiltin, 0}));
  EXPECT_EQ(book_.CategoryIconOf("nothing"), (IconChoice{IconChoice::Kind::kKeep, 0}));
}

// A day of a hand-edited month file visited and left: every line of the other days and everything
// after a NUL byte survive byte for byte; the day's own lines are rewritten in the program's form.
TEST(BookGolden, AVisitedDayOfAHandEditedMonth) {
  testing::GoldenCase golden("hand_edited_month");
  Book book(ProgramPaths{golden.program_dir()}, [] { return MakeDate(2024, 1, 31); });
  ASSERT_TRUE(book.Start().done);
  ASSERT_EQ(book.page().size(), 4u);  // a row without category is read, but never written
  EXPECT_EQ(EditCell(book.page(), 3, 3, S("車庫前")), CellEdit::kAccepted);
  EXPECT_TRUE(book.GoToDate(MakeDate(2024, 2, 1)).done);
  EXPECT_TRUE(golden.FileMatches("data/202401.csv"));
  EXPECT_TRUE(book.Shutdown().done);
  EXPECT_TRUE(golden.FileMatches("ini.ini"));
}

}  // namespace
}  // namespace purselog
