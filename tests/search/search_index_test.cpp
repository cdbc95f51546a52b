#include "search/search_index.h"

#include <gtest/gtest.h>

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
  // Texts differing in case, width, kana and kanji, invalid bytes, repeats, and heads that are
  // not a date key and a comma.
  const std::vector<std::string> pieces = {S("食費,外食,1200,"),
                                           S("食費,外食,120,"),
                                           S("給料,給与,1,"),
                                           "abc,x",
                                           "ABC,x",
                                           "Abd,x",
                                           S("ａｂｃ,x"),
                                           S("アイス,x"),
                                           S("あいす,x"),
                                           S("ｱｲｽ,x"),
                                           "\x81,x",
                                           "\xff\xfe,x",
                                           "-300",
                                           ",,,",
                                           "\"a b\",c",
                                           "",
                                           "z"};
  std::vector<std::string> lines;
  for (const char* head : {"20240105,", "20240104,", "20231231,", "20240105 ", "202401,",
                           "  202401", "$ABCDEF,", "2024010,", "120240105,"}) {
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
}

TEST(SearchIndex, WhichLinesAreIndexedAndWhichDayAHitOpens) {
  for (const char* line : {"20240105,a", "123", "  2024xx", "-12345,", "$ABCDE"}) {
    EXPECT_TRUE(IsIndexLine(line)) << line;
  }
  for (const char* line : {"", "   ", "date,cat", "2024/01/05,a", "\"20240105\",a"}) {
    EXPECT_FALSE(IsIndexLine(line)) << line;
  }
  EXPECT_EQ(HitDate("20240105,a,b,1,"), MakeDate(2024, 1, 5));
  EXPECT_EQ(HitDate("202401059,a"), MakeDate(2024, 1, 5));
  for (const char* line :
       {"20240230,a", "2024010,a", "00000105,a", "20240105x,a", "+2024010,a", ""}) {
    EXPECT_FALSE(HitDate(line).has_value()) << line;
  }
}

TEST(SearchIndex, EveryCsvFileOfDataIsReadInNameOrderAndTheIndexFileWritten) {
  TempDir dir;
  const std::filesystem::path data = dir / "data";
  const ProgramPaths paths{dir.path()};
  EXPECT_TRUE(BuildSearchIndex(paths).empty());  // no data folder: nothing to find
  std::filesystem::create_directory(data);
  WriteBytes(data / "202402.csv",
             "20240201,b,x,2,\r\ndate,category\r\n\r\n   \r\n20240201,a,x\r\n");
  WriteBytes(data / "202401.csv", "20240110,c,\xff\x81\r\n20240105," + std::string(100000, 'x'));
  WriteBytes(data / "Export.csv", "20240101,e,x,5,");  // an export saved here gives hits too
  WriteBytes(data / "a.CSV", "20240301,f\n");
  WriteBytes(data / ".hidden.csv", "20240101,h\r\n");
  WriteBytes(data / "notes.txt", "20240101,n\r\n");
  std::filesystem::create_directory(data / "dir.csv");
  std::filesystem::create_symlink(data / "gone", data / "gone.csv");

  const std::vector<std::string> index = BuildSearchIndex(paths);
  EXPECT_EQ(ReadBytes(dir / "~searchindex.tmp"),
            "20240110,c,\xff\x81\r\n20240105," + std::string(100000, 'x') +
                "\r\n20240201,b,x,2,\r\n20240201,a,x\r\n20240301,f\r\n20240101,e,x,5,\r\n");
  EXPECT_EQ(index, (std::vector<std::string>{
                       "20240101,e,x,5,", "20240105," + std::string(100000, 'x'),
                       "20240110,c,\xff\x81", "20240201,a,x", "20240201,b,x,2,", "20240301,f"}));

  // A link standing where the index goes is replaced, never written through (into a month
  // file, or anywhere else).
  for (const std::filesystem::path& target : {data / "202401.csv", dir / "elsewhere"}) {
    WriteBytes(target, "20240110,c,x,1,\r\n");
    std::filesystem::remove(dir / "~searchindex.tmp");
    std::filesystem::create_symlink(target, dir / "~searchindex.tmp");
    BuildSearchIndex(paths);
    EXPECT_EQ(ReadBytes(target), "20240110,c,x,1,\r\n");
    EXPECT_FALSE(std::filesystem::is_symlink(dir / "~searchindex.tmp"));
  }
  EXPECT_EQ(ReadBytes(dir / "~searchindex.tmp").substr(0, 17), "20240110,c,x,1,\r\n");

  // A file that cannot be read stops the opening.
  std::filesystem::create_symlink(data / "loop.csv", data / "loop.csv");
  EXPECT_THROW(BuildSearchIndex(paths), FileError);
}

// One find window's index, with the days its steps opened.
struct Session {
  explicit Session(std::vector<std::string> lines) : index(std::move(lines)) {}
  SearchStep Find(const std::optional<std::string>& text) {
    return index.Step(text, [this](const Date& date) {
      opened.push_back(date);
      return open;
    });
  }
  SearchIndex index;
  std::vector<Date> opened;
  bool open = true;
};

TEST(SearchStep, FindsExactTextFromThePositionOnWithoutWrappingAround) {
  Session s({"20230105," + S("食費") + ",Lunch,800,", "20240105,A,x,1,", "20240105,B,lunch,2,",
             "20240220,C,x,2024,"});
  EXPECT_EQ(s.Find(""), SearchStep::kNotFound);  // the empty text is in no line
  for (int i = 0; i < 3; ++i) EXPECT_EQ(s.Find("2024"), SearchStep::kOpened);
  EXPECT_EQ(s.Find("2024"), SearchStep::kNotFound);  // after the last hit, again and again
  EXPECT_EQ(s.Find("2024"), SearchStep::kNotFound);
  EXPECT_EQ(s.index.position(), 4u);
  EXPECT_EQ(s.Find("lunch"), SearchStep::kOpened);    // a new text starts at the oldest line
  EXPECT_EQ(s.Find("lunch"), SearchStep::kNotFound);  // "Lunch" is not "lunch"
  EXPECT_EQ(s.Find(","), SearchStep::kOpened);        // a comma is in every line
  EXPECT_EQ(s.Find(S("食費")), SearchStep::kOpened);
  EXPECT_EQ(s.Find("0105,A"), SearchStep::kOpened);        // key, commas and fields are one text
  EXPECT_EQ(s.Find(std::nullopt), SearchStep::kNotFound);  // a text no file can hold
  const Date a = MakeDate(2024, 1, 5);
  const Date b = MakeDate(2023, 1, 5);
  EXPECT_EQ(s.opened, (std::vector<Date>{a, a, MakeDate(2024, 2, 20), a, b, b, a}));
}

TEST(SearchStep, LinesNamingNoDayArePassedOverAndAFailedOpeningStaysPut) {
  Session s({"2024013,x", "20240230,x", "20240301,x", "20240302,y"});
  EXPECT_EQ(s.Find("x"), SearchStep::kOpened);
  EXPECT_EQ(s.opened, std::vector<Date>{MakeDate(2024, 3, 1)});
  s.open = false;
  EXPECT_EQ(s.Find("y"), SearchStep::kOpenFailed);
  EXPECT_EQ(s.index.position(), 0u);
  s.open = true;
  EXPECT_EQ(s.Find("y"), SearchStep::kOpened);
  EXPECT_EQ(s.index.position(), 4u);
  Session none({});
  EXPECT_EQ(none.Find(","), SearchStep::kNotFound);
}

}  // namespace
}  // namespace purselog
