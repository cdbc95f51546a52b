#include "search/search_index.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <random>

#include "core/errors.h"
#include "core/text_codec.h"
#include "search/line_order.h"
#include "support/temp_dir.h"

namespace purselog {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

std::string S(const char* utf8) { return Utf8ToCp932(utf8); }

TEST(LineOrder, IsTheOrderOfTheWholeLineKeys) {
  // Days, texts that differ in case, width, kana and kanji, invalid bytes, and lines that do
  // not start with a date key and a comma, in a shuffled heap with repeats.
  const std::vector<std::string> pieces = {S("食費,外食,1200,"),
                                           S("食費,外食,120,"),
                                           S("給料,給与,250000,"),
                                           "abc,x,1,",
                                           "ABC,x,1,",
                                           "Abd,x,2,",
                                           S("ａｂｃ,x,1,"),
                                           S("アイス,x,1,"),
                                           S("あいす,x,1,"),
                                           S("ｱｲｽ,x,1,"),
                                           "\x81,x",
                                           "\xff\xfe,x",
                                           "-300,x",
                                           ",,,",
                                           "\"a b\",c",
                                           "",
                                           "z"};
  const std::vector<std::string> heads = {"20240105,", "20240104,", "20231231,",
                                          "20240105 ", "202401,",   "  202401",
                                          "$ABCDEF,",  "2024010,",  "120240105,"};
  std::vector<std::string> lines;
  for (const std::string& head : heads) {
    for (const std::string& piece : pieces) lines.push_back(head + piece);
  }
  const std::vector<std::string> repeats(lines.begin(), lines.begin() + 20);
  lines.insert(lines.end(), repeats.begin(), repeats.end());
  std::shuffle(lines.begin(), lines.end(), std::mt19937(13));

  std::vector<std::string> expected = lines;
  std::sort(expected.begin(), expected.end(), [](const std::string& a, const std::string& b) {
    return SortKeyIgnoreCase(a) < SortKeyIgnoreCase(b);
  });
  SortLinesIgnoreCase(lines);
  EXPECT_EQ(lines, expected);
  // Case is ignored before the bytes decide.
  std::vector<std::string> cased = {"20240105,b", "20240105,B", "20240105,a", "20240105,C"};
  SortLinesIgnoreCase(cased);
  EXPECT_EQ(cased,
            (std::vector<std::string>{"20240105,a", "20240105,B", "20240105,b", "20240105,C"}));
}

TEST(SearchIndex, ALineIsIndexedWhenItsFirstSixCharactersAreAnInteger) {
  for (const char* line : {"20240105,a,b,1,", "123", "  2024xx", "-12345,", "$ABCDE"}) {
    EXPECT_TRUE(IsIndexLine(line)) << line;
  }
  for (const char* line : {"", "   ", "date,cat", "2024/01/05,a", "\"20240105\",a", "12a4567"}) {
    EXPECT_FALSE(IsIndexLine(line)) << line;
  }
}

TEST(SearchIndex, HitDateReadsTheFirstEightCharactersOfAnIntegerField) {
  EXPECT_EQ(HitDate("20240105,a,b,1,"), MakeDate(2024, 1, 5));
  EXPECT_EQ(HitDate("202401059,a"), MakeDate(2024, 1, 5));
  for (const char* line : {"20240230,a", "2024010,a", "202401,a", "00000105,a", "20240105x,a",
                           "$2024010,a", "+2024010,a", "", "\"2024 0105\",a"}) {
    EXPECT_FALSE(HitDate(line).has_value()) << line;
  }
}

class SearchFiles : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::create_directory(Data()); }
  std::filesystem::path Data() const { return dir_.path() / "data"; }
  void Write(const char* name, const std::string& bytes) const { WriteBytes(Data() / name, bytes); }
  ProgramPaths Paths() const { return ProgramPaths{dir_.path()}; }

  TempDir dir_;
};

TEST_F(SearchFiles, EveryCsvFileIsReadInNameOrderAndTheIndexFileWritten) {
  Write("202402.csv", "20240201,b,x,2,\r\ndate,category\r\n\r\n   \r\n20240201,a,x,1,\r\n");
  Write("202401.csv", "20240110,c,x,3,\r\n");
  Write("Export.csv", "20240101,e,x,5,");  // an export saved here is searched too
  Write("a.CSV", "20240301,f,x,6\n");
  Write(".hidden.csv", "20240101,h,x,1,\r\n");
  Write("notes.txt", "20240101,n,x,1,\r\n");
  std::filesystem::create_directory(Data() / "dir.csv");
  WriteBytes(dir_.path() / "202403.csv", "20240301,o,x,1,\r\n");  // outside data
  const std::string collected =
      "20240110,c,x,3,\r\n20240201,b,x,2,\r\n20240201,a,x,1,\r\n20240301,f,x,6\r\n"
      "20240101,e,x,5,\r\n";
  ::chmod((Data() / "202401.csv").c_str(), 0444);  // read-only files are read as well

  const std::vector<std::string> index = BuildSearchIndex(Paths());
  EXPECT_EQ(ReadBytes(dir_.path() / "~searchindex.tmp"), collected);
  EXPECT_EQ(index,
            (std::vector<std::string>{"20240101,e,x,5,", "20240110,c,x,3,", "20240201,a,x,1,",
                                      "20240201,b,x,2,", "20240301,f,x,6"}));
}

TEST_F(SearchFiles, NoFilesGiveAnEmptyIndexAndAnUnreadableFileStopsTheOpening) {
  EXPECT_TRUE(BuildSearchIndex(Paths()).empty());
  EXPECT_EQ(ReadBytes(dir_.path() / "~searchindex.tmp"), "");
  std::filesystem::remove(Data());
  EXPECT_TRUE(BuildSearchIndex(Paths()).empty());

  std::filesystem::create_directory(Data());
  Write("202401.csv", "20240110,c,x,3,\r\n");
  ::chmod((Data() / "202401.csv").c_str(), 0);
  if (::geteuid() != 0) {
    EXPECT_THROW(BuildSearchIndex(Paths()), FileError);
  }
}

TEST_F(SearchFiles, LongLinesAndInvalidBytesAreIndexedAsTheyStand) {
  const std::string long_line = "20240105," + std::string(200000, 'x') + "\x81";
  Write("202401.csv", long_line + "\r\n20240105,\x81\x2c\xff,1,\r\n20240104,\xfd\xfe,1\r\n");
  const std::vector<std::string> index = BuildSearchIndex(Paths());
  ASSERT_EQ(index.size(), 3u);
  EXPECT_EQ(index[0], "20240104,\xfd\xfe,1");
  EXPECT_EQ(std::count(index.begin(), index.end(), long_line), 1);
}

// The index of a find window with the days each step opened.
struct Session {
  explicit Session(std::vector<std::string> lines) : index(std::move(lines)) {}
  SearchIndex index;
  std::vector<Date> opened;
  SearchStep Find(const std::string& text) {
    return index.Step(text, [this](const Date& date) {
      opened.push_back(date);
      return true;
    });
  }
};

TEST(SearchStep, FindsExactTextFromThePositionOnWithoutWrappingAround) {
  Session s({"20230105," + S("食費") + ",Lunch,800,", "20240105,A,x,1,", "20240105,B,lunch,2,",
             "20240220," + S("給料") + ",x,2024,"});
  EXPECT_EQ(s.Find(""), SearchStep::kNotFound);  // the empty text is in no line
  EXPECT_EQ(s.Find("2024"), SearchStep::kOpened);
  EXPECT_EQ(s.Find("2024"), SearchStep::kOpened);  // the same day again
  EXPECT_EQ(s.Find("2024"), SearchStep::kOpened);
  EXPECT_EQ(s.index.position(), 4u);
  EXPECT_EQ(s.Find("2024"), SearchStep::kNotFound);  // after the last hit, again and again
  EXPECT_EQ(s.Find("2024"), SearchStep::kNotFound);
  EXPECT_EQ(s.index.position(), 4u);
  EXPECT_EQ(s.opened,
            (std::vector<Date>{MakeDate(2024, 1, 5), MakeDate(2024, 1, 5), MakeDate(2024, 2, 20)}));

  s.opened.clear();
  EXPECT_EQ(s.Find("lunch"), SearchStep::kOpened);    // a new text starts at the oldest line
  EXPECT_EQ(s.Find("lunch"), SearchStep::kNotFound);  // "Lunch" is not "lunch"
  EXPECT_EQ(s.Find(","), SearchStep::kOpened);        // a comma is in every line
  EXPECT_EQ(s.Find(S("食費")), SearchStep::kOpened);
  EXPECT_EQ(s.Find("0105,A"), SearchStep::kOpened);  // key, commas and fields are one text
  EXPECT_EQ(s.opened, (std::vector<Date>{MakeDate(2024, 1, 5), MakeDate(2023, 1, 5),
                                         MakeDate(2023, 1, 5), MakeDate(2024, 1, 5)}));
}

TEST(SearchStep, LinesNamingNoDayAreNotOpenedAndAFailedOpeningStaysPut) {
  Session s({"2024013,x", "20240230,x", "20240301,x", "20240302,y"});
  EXPECT_EQ(s.Find("x"), SearchStep::kOpened);
  EXPECT_EQ(s.opened, std::vector<Date>{MakeDate(2024, 3, 1)});
  EXPECT_EQ(s.Find("x"), SearchStep::kNotFound);

  bool can_open = false;
  const auto open = [&can_open](const Date&) { return can_open; };
  EXPECT_EQ(s.index.Step("y", open), SearchStep::kOpenFailed);
  EXPECT_EQ(s.index.position(), 0u);
  can_open = true;
  EXPECT_EQ(s.index.Step("y", open), SearchStep::kOpened);
  EXPECT_EQ(s.index.position(), 4u);

  // A text no month file can hold, and an index that was never built, find nothing.
  EXPECT_EQ(s.index.Step(std::nullopt, open), SearchStep::kNotFound);
  EXPECT_EQ(s.index.position(), 0u);
  SearchIndex none;
  EXPECT_EQ(none.Step(std::string(","), open), SearchStep::kNotFound);
}

}  // namespace
}  // namespace purselog
