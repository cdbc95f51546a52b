#include "ledger/month_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "core/text_codec.h"
#include "core/text_file.h"
#include "support/temp_dir.h"

namespace purselog {
namespace {

using testing::ListDir;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

const std::string kFood = Utf8ToCp932("食費");
const std::string kLunch = Utf8ToCp932("昼食");
const std::string kSalary = Utf8ToCp932("給料");
const Date kDay = MakeDate(2024, 1, 5);

DayRow Row(std::string category, std::string description, std::string amount,
           std::string memo = "") {
  return {std::move(category), std::move(description), std::move(amount), std::move(memo)};
}

TEST(MonthFile, PathIsTheMonthKeyInTheDataDirectory) {
  EXPECT_EQ(MonthFilePath("/p/data", kDay), std::filesystem::path("/p/data/202401.csv"));
}

TEST(MonthFile, SaveWritesTheExactLineFormat) {
  TempDir dir;
  const DayPage page = {
      Row(kFood, kLunch, "1200"),                     // empty memo: a final comma
      Row(kFood, "say \"hi\"", "-3.5", "two words"),  // quotes doubled, blanks quoted
      Row(kSalary, "a,b", "250000", "\t"),            // a comma or a control byte: quoted
      Row(kFood, "", "100", "no description"),        // incomplete rows are not written
      Row("", "x", "1"),
      Row(kFood, "x", ""),
  };
  SaveDayPage(dir.path(), kDay, page);
  EXPECT_EQ(ReadBytes(dir / "202401.csv"),
            "20240105," + kFood + "," + kLunch + ",1200,\r\n" + "20240105," + kFood +
                ",\"say \"\"hi\"\"\",-3.5,\"two words\"\r\n" + "20240105," + kSalary +
                ",\"a,b\",250000,\"\t\"\r\n");

  const DayPage loaded = LoadDayPage(dir.path(), kDay);
  ASSERT_EQ(loaded.size(), 3u);
  EXPECT_EQ(loaded[0], Row(kFood, kLunch, "1200", ""));
  EXPECT_EQ(loaded[1], Row(kFood, "say \"hi\"", "-3.5", "two words"));
  EXPECT_EQ(loaded[2], Row(kSalary, "a,b", "250000", "\t"));
}

TEST(MonthFile, SaveReplacesTheDaysScatteredLinesAndKeepsEveryOtherLine) {
  TempDir dir;
  const std::string odd_lines =
      "header,line\r\n"
      "20240104," +
      kFood +
      ",a,1,\r\n"
      "20240105," +
      kFood +
      ",old1,1,\r\n"
      "   \r\n"
      "\xff\xfe broken \x01 bytes\r\n"
      "20240106," +
      kFood +
      ",b,2,m\r\n"
      "\"20240105\"," +
      kFood +
      ",old2,2,\r\n"
      "\r\n"
      "20240105 " +
      kFood +
      " old3 3\r\n"
      "20240107,\"unclosed\r\n";
  WriteBytes(dir / "202401.csv", odd_lines);

  SaveDayPage(dir.path(), kDay, {Row(kFood, "new", "5", "")});
  EXPECT_EQ(ReadBytes(dir / "202401.csv"),
            "header,line\r\n"
            "20240104," +
                kFood +
                ",a,1,\r\n"
                "   \r\n"
                "\xff\xfe broken \x01 bytes\r\n"
                "20240106," +
                kFood +
                ",b,2,m\r\n"
                "\r\n"
                "20240107,\"unclosed\r\n"
                "20240105," +
                kFood + ",new,5,\r\n");

  // A page with no complete row removes the day's lines and writes none.
  SaveDayPage(dir.path(), kDay, {Row(kFood, "", "5")});
  EXPECT_EQ(ReadBytes(dir / "202401.csv").find("20240105"), std::string::npos);
  EXPECT_NE(ReadBytes(dir / "202401.csv").find("20240107,\"unclosed\r\n"), std::string::npos);
}

TEST(MonthFile, LoadFollowsTheFirstRowRule) {
  TempDir dir;
  WriteBytes(dir / "202401.csv",
             "20240105,,first,1,m1\r\n"  // empty category: the first row stays open
             "20240104,x,other day,9\r\n"
             "20240105," +
                 kFood +
                 ",second,2\r\n"                 // overwrites cells 0-2, memo m1 stays
                 "20240105,a,b,c,d,e,f\r\n"      // fields after the fifth are ignored
                 "20240105,only\r\n"             // a new row with one cell
                 "20240105 word1 word2 7\r\n");  // blanks separate fields
  const DayPage page = LoadDayPage(dir.path(), kDay);
  ASSERT_EQ(page.size(), 4u);
  EXPECT_EQ(page[0], Row(kFood, "second", "2", "m1"));
  EXPECT_EQ(page[1], Row("a", "b", "c", "d"));
  EXPECT_EQ(page[2], Row("only", "", "", ""));
  EXPECT_EQ(page[3], Row("word1", "word2", "7", ""));
  EXPECT_EQ(LoadDayPage(dir.path(), MakeDate(2024, 1, 1)), EmptyDayPage());
  EXPECT_EQ(LoadDayPage(dir.path(), MakeDate(2024, 2, 1)), EmptyDayPage());  // no file
}

TEST(MonthFile, CellsAreWrittenOnOneLine) {
  EXPECT_EQ(SingleLineCellText("1200\r\n"), "1200");
  EXPECT_EQ(SingleLineCellText("a\r\nb\nc\rd\n\n"), "a b c d");
  EXPECT_EQ(SingleLineCellText(std::string("x\0y", 3)), "xy");
  EXPECT_EQ(SingleLineCellText("\x83\x5c\t"), "\x83\x5c\t");

  // A cell holding a line break or a NUL byte (pasted text) must not break the file apart.
  TempDir dir;
  WriteBytes(dir / "202401.csv", "20240106,a,b,1,\r\n");
  SaveDayPage(dir.path(), kDay, {Row(kFood, "two\r\nlines", "1", std::string("n\0ul", 4))});
  EXPECT_EQ(ReadBytes(dir / "202401.csv"),
            "20240106,a,b,1,\r\n20240105," + kFood + ",\"two lines\",1,nul\r\n");

  // A cell of line breaks only is written empty, so its row is not complete and not written.
  SaveDayPage(dir.path(), kDay,
              {Row("\r\n", "d", "1"), Row(kFood, "\n\n", "1"), Row(kFood, "d", "\r"),
               Row(kFood, "d", std::string(1, '\0')), Row(kFood, "kept", "2", "\r\n")});
  EXPECT_EQ(ReadBytes(dir / "202401.csv"), "20240106,a,b,1,\r\n20240105," + kFood + ",kept,2,\r\n");
}

TEST(MonthFile, BytesFromANulOnAreKeptAfterTheLinesWritten) {
  using namespace std::string_literals;
  TempDir dir;
  const std::string tail = "\0"s + "20240106," + kFood + ",after,2,\r\n";
  WriteBytes(dir / "202401.csv", "20240104,a,b,1,\r\n20240105," + kFood + ",old,1,\r\n" + tail);
  EXPECT_EQ(LoadDayPage(dir.path(), MakeDate(2024, 1, 6)), EmptyDayPage());  // readers stop
  SaveDayPage(dir.path(), kDay, {Row(kFood, "new", "5")});
  SaveDayPage(dir.path(), MakeDate(2024, 1, 6), EmptyDayPage());
  EXPECT_EQ(ReadBytes(dir / "202401.csv"),
            "20240104,a,b,1,\r\n20240105," + kFood + ",new,5,\r\n" + tail);

  // A file in UTF-16 has a NUL in its first character: nothing of it may go.
  const std::string utf16 =
      "\xff\xfe"
      "2\0"
      "0\0"
      "\r\0\n\0"s;
  WriteBytes(dir / "202402.csv", utf16);
  SaveDayPage(dir.path(), MakeDate(2024, 2, 1), {Row(kFood, "x", "1")});
  EXPECT_EQ(ReadBytes(dir / "202402.csv"),
            "\xff\xfe"
            "2\r\n20240201," +
                kFood + ",x,1,\r\n" + utf16.substr(3));
}

TEST(MonthFile, AnEmptyDayOfAMonthWithoutFileCreatesAZeroByteFile) {
  TempDir dir;
  SaveDayPage(dir.path(), kDay, EmptyDayPage());
  EXPECT_TRUE(std::filesystem::exists(dir / "202401.csv"));
  EXPECT_EQ(ReadBytes(dir / "202401.csv"), "");
  SaveDayPage(dir.path(), kDay, EmptyDayPage());  // written on every call, still empty
  EXPECT_EQ(ListDir(dir.path()), "202401.csv");
}

TEST(MonthFile, InvalidBytesSurviveALoadAndSave) {
  TempDir dir;
  // Invalid Shift_JIS, a DEL byte, and a character whose trail byte is the backslash.
  const std::string line = "20240105," + kFood + ",\x81\xff\x7fx,1,\x83\x5c\r\n";
  WriteBytes(dir / "202401.csv", line);
  const DayPage page = LoadDayPage(dir.path(), kDay);
  EXPECT_EQ(page[0], Row(kFood, "\x81\xff\x7fx", "1", "\x83\x5c"));
  SaveDayPage(dir.path(), kDay, page);
  EXPECT_EQ(ReadBytes(dir / "202401.csv"), line);
}

TEST(MonthFile, AFileThatCannotBeReadOrWrittenRaisesAndChangesNothing) {
  TempDir dir;
  std::filesystem::create_directory(dir / "202401.csv");  // a directory where the file should be
  EXPECT_THROW(LoadDayPage(dir.path(), kDay), FileError);
  EXPECT_THROW(SaveDayPage(dir.path(), kDay, {Row(kFood, "a", "1")}), FileError);

  WriteBytes(dir / "data", "a file where the data directory should be");
  EXPECT_EQ(LoadDayPage(dir / "data", kDay), EmptyDayPage());
  EXPECT_THROW(SaveDayPage(dir / "data", kDay, {Row(kFood, "a", "1")}), FileError);
  EXPECT_EQ(ReadBytes(dir / "data"), "a file where the data directory should be");
}

// Several days edited in one pass leave the bytes that loading and saving each in turn leave:
// random months of quoted, blank-led, incomplete and foreign lines, and a tail after a NUL.
TEST(MonthFile, EditedDaysInOnePassMatchTheSavesInTurn) {
  std::mt19937 random(7);
  const std::string kinds[] = {"20240105," + kFood + ",a,1,",
                               "\"20240106\"," + kFood + ",b,2,",
                               " 20240107,,c,3,",
                               "20240105," + kFood + ",,4,",
                               "x,y",
                               "20240108," + kFood + ",\"d e\",5,m"};
  for (int round = 0; round < 200; ++round) {
    std::string bytes;
    for (int i = std::uniform_int_distribution<int>(0, 12)(random); i > 0; --i) {
      bytes += kinds[std::uniform_int_distribution<std::size_t>(0, 5)(random)] + "\r\n";
    }
    if (round % 5 == 0) bytes += std::string("tail\0rest", 9);
    std::vector<Date> days;
    for (unsigned day = 5; day <= 8; ++day) {
      if (random() % 2)
        days.insert(days.begin() + random() % (days.size() + 1), MakeDate(2024, 1, day));
    }
    if (days.empty()) days.push_back(MakeDate(2024, 1, 6));
    const auto edit = [](std::size_t i, DayPage& page) {
      page.push_back(Row(kFood, "new " + std::to_string(i), "9"));
    };
    std::optional<std::string> in_turn = bytes;
    for (std::size_t i = 0; i < days.size(); ++i) {
      DayPage page = DayPageOfMonth(in_turn, days[i]);
      edit(i, page);
      in_turn = MonthWithDayPage(in_turn, days[i], page);
    }
    EXPECT_EQ(MonthWithEditedDays(bytes, days, edit), *in_turn) << bytes;
  }
}

}  // namespace
}  // namespace purselog
