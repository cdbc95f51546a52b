#include "tallyconv/conversion.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>

#include "core/text_codec.h"
#include "ledger/month_file.h"
#include "support/temp_dir.h"

namespace purselog {
namespace {

using testing::ListDir;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

std::string S(const char* utf8) { return Utf8ToCp932(utf8); }

// A grid file of the rows' cells, empty cells left out, as the legacy files are written.
std::string GridText(int columns, const std::vector<std::vector<std::string>>& rows) {
  std::string text = std::to_string(columns) + "," + std::to_string(rows.size()) + "\r\n";
  for (std::size_t row = 0; row < rows.size(); ++row) {
    for (std::size_t column = 0; column < rows[row].size(); ++column) {
      if (rows[row][column].empty()) continue;
      text += std::to_string(column) + "," + std::to_string(row) + "," + rows[row][column] + "\r\n";
    }
  }
  return text;
}

struct ConversionCase {
  const char* name;
  std::string legacy;
  std::string expected;
};

void PrintTo(const ConversionCase& conversion, std::ostream* out) { *out << conversion.name; }

class ConvertedBytes : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(ConvertedBytes, AreOneLinePerRowOfTheFirstFiveColumns) {
  TempDir dir;
  WriteBytes(dir / "202401", GetParam().legacy);
  const std::vector<std::string> lines = ConvertLegacyFile(dir.path(), "202401");
  EXPECT_EQ(ReadBytes(dir / "202401.csv"), GetParam().expected);
  std::string joined;
  for (const std::string& line : lines) joined += line + "\r\n";
  EXPECT_EQ(joined, GetParam().expected);
  EXPECT_EQ(ListDir(dir.path()), "202401|202401.csv");
}

INSTANTIATE_TEST_SUITE_P(
    Conversion, ConvertedBytes,
    ::testing::Values(
        // Row 0 is a row like any other; the sixth column is dropped; the empty memo of row 1
        // leaves a final comma; the empty row 2 is a line all the same.
        ConversionCase{"ThreeRows",
                       "6,3\r\ncw 0,70\r\ncw 5,20\r\n0,0,20240105\r\n1,0," + S("食費") +
                           "\r\n2,0," + S("昼食") + "\r\n3,0,800\r\n4,0," + S("定食 大盛") +
                           "\r\n5,0,sixth\r\n0,1,20240106\r\n1,1," + S("交通費") + "\r\n2,1,\"" +
                           S("バス") + "\"\r\n3,1,-220\r\n",
                       "20240105," + S("食費") + "," + S("昼食") + ",800,\"" + S("定食 大盛") +
                           "\"\r\n20240106," + S("交通費") + ",\"\"\"" + S("バス") +
                           "\"\"\",-220,\r\n,,,,\r\n"},
        ConversionCase{"FewerColumns", "2,2\r\n1,1,b\r\n0,1,a,z\r\n", ",,,,\r\n\"a,z\",b,,,\r\n"},
        // A text that is no grid file but for its size line converts as far as it reads.
        ConversionCase{"NotAGridFile", "1,2\nhello world\n0,1,ok\rjunk\n", ",,,,\r\nok,,,,\r\n"}),
    [](const ::testing::TestParamInfo<ConversionCase>& param) { return param.param.name; });

TEST(Conversion, EachFileIsConvertedOnItsOwnAndReplacesTheEarlierOutput) {
  TempDir dir;
  WriteBytes(dir / "1", "5,3\r\n0,0,a0\r\n4,0,e0\r\n0,1,a1\r\n4,2,e2\r\n");
  WriteBytes(dir / "2", "2,1\r\n1,0,b\r\n");
  WriteBytes(dir / "2.csv", "an older, longer output\r\nof three\r\nlines\r\n");
  ConvertLegacyFile(dir.path(), "1");
  ConvertLegacyFile(dir.path(), "2");
  EXPECT_EQ(ReadBytes(dir / "1.csv"), "a0,,,,e0\r\na1,,,,\r\n,,,,e2\r\n");
  EXPECT_EQ(ReadBytes(dir / "2.csv"), ",b,,,\r\n");

  WriteBytes(dir / "1", "1,1\r\n0,0,new\r\n");
  ConvertLegacyFile(dir.path(), "1");
  EXPECT_EQ(ReadBytes(dir / "1.csv"), "new,,,,\r\n");
  EXPECT_EQ(ListDir(dir.path()), "1|1.csv|2|2.csv");  // no temporaries left
}

TEST(Conversion, AFileTheReaderRefusesWritesNothing) {
  TempDir dir;
  const std::string kept = "kept\r\n";
  struct Refused {
    const char* name;
    const char* bytes;  // nullptr: no such file
    std::string message;
  };
  const std::string corrupt = "File contains no data or corrupt file ";
  const Refused cases[] = {
      {"10", nullptr, "File " + (dir / "10").string() + " not found"},
      {"11", "20,0\r\n0,0,x\r\n", corrupt + (dir / "11").string()},
      {"12", "", corrupt + (dir / "12").string()},
      // An empty first line gives the table no size: it is a new table, not the last one.
      {"13", "\r\n0,0,x\r\n", corrupt + (dir / "13").string()},
      {"14", "hello\r\n", corrupt + (dir / "14").string()},
  };
  WriteBytes(dir / "1", "5,2\r\n0,0,x\r\n");
  ConvertLegacyFile(dir.path(), "1");
  for (const Refused& refused : cases) {
    SCOPED_TRACE(refused.name);
    if (refused.bytes != nullptr) WriteBytes(dir / refused.name, refused.bytes);
    WriteBytes(ConvertedPath(dir.path(), refused.name), kept);
    try {
      ConvertLegacyFile(dir.path(), refused.name);
      ADD_FAILURE() << "not refused";
    } catch (const GridFileError& error) {
      EXPECT_EQ(std::string(error.what()), refused.message);
    }
    EXPECT_EQ(ReadBytes(ConvertedPath(dir.path(), refused.name)), kept);
  }
}

TEST(Conversion, TheAccountBookReadsTheOutputAsAMonthFile) {
  TempDir dir;
  WriteBytes(dir / "202401",
             GridText(5, {{"20240115", S("食費"), S("昼食"), "800"},
                          {"20240116", S("給料"), S("一月分"), "250000", "\"x\""},
                          {},
                          {"20240115", S("交通費"), S("バス"), "220", S("定期 外")}}));
  ConvertLegacyFile(dir.path(), "202401");
  const DayPage expected15 = {DayRow{S("食費"), S("昼食"), "800", ""},
                              DayRow{S("交通費"), S("バス"), "220", S("定期 外")}};
  EXPECT_EQ(LoadDayPage(dir.path(), MakeDate(2024, 1, 15)), expected15);
  const DayPage expected16 = {DayRow{S("給料"), S("一月分"), "250000", "\"x\""}};
  EXPECT_EQ(LoadDayPage(dir.path(), MakeDate(2024, 1, 16)), expected16);
  EXPECT_EQ(LoadDayPage(dir.path(), MakeDate(2024, 1, 17)), EmptyDayPage());
}

TEST(Conversion, ListsTheFilesOfTheFolderAndConvertsIntegerNamesOnly) {
  TempDir dir;
  for (const char* name : {"b", "A", "202401.csv", "202401", ".hidden", "-7", "$1f", "12 "}) {
    WriteBytes(dir / name, "");
  }
  std::filesystem::create_directory(dir / "sub");
  std::filesystem::create_symlink("b", dir / "link");
  std::filesystem::create_symlink("gone", dir / "dangling");
  const std::vector<std::string> names = ListDataFiles(dir.path());
  EXPECT_EQ(names, (std::vector<std::string>{"$1f", "-7", "12 ", "202401", "202401.csv", "A", "b",
                                             "link"}));
  std::vector<std::string> convertible;
  for (const std::string& name : names) {
    if (IsConvertibleName(name)) convertible.push_back(name);
  }
  EXPECT_EQ(convertible, (std::vector<std::string>{"$1f", "-7", "202401"}));
  EXPECT_THROW(ListDataFiles(dir / "missing"), FileError);
}

}  // namespace
}  // namespace purselog
