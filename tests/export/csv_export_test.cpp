#include "export/csv_export.h"

#include <gtest/gtest.h>

#include "categories/category_table.h"
#include "core/errors.h"
#include "core/text_codec.h"
#include "support/golden.h"
#include "support/temp_dir.h"

namespace purselog {
namespace {

using testing::GoldenCase;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

std::string S(const char* utf8) { return Utf8ToCp932(utf8); }

const CategoryTable& Table() {
  static const CategoryTable table = LoadCategories(PURSELOG_CATEGORY_FILE);
  return table;
}

std::vector<std::string> Export(const std::vector<std::string>& lines, ExportMode mode) {
  return ExportLines(lines, mode, Table().KindFunction());
}

TEST(CsvExport, TheSignModesPrefixTheStoredAmountOfOneKind) {
  const std::vector<std::string> lines = {
      "20240305," + S("食費") + "," + S("外食") + ",500,",
      "20240310," + S("給料") + "," + S("給与") + ",1000," + S("三月分"),
      "20240311," + S("食費") + ",\"a b\",-300,\"x,y\"",
      "20240312," + S("未知") + ",x,7,m",
      "20240313,SHOKUHI,x,9,",
  };
  EXPECT_EQ(Export(lines, ExportMode::kExpenseNegative),
            (std::vector<std::string>{"20240305," + S("食費") + "," + S("外食") + ",-500", lines[1],
                                      "20240311," + S("食費") + ",\"a b\",--300,\"x,y\"", lines[3],
                                      lines[4]}));
  EXPECT_EQ(Export(lines, ExportMode::kIncomeNegative),
            (std::vector<std::string>{
                lines[0], "20240310," + S("給料") + "," + S("給与") + ",-1000," + S("三月分"),
                lines[2], lines[3], lines[4]}));
}

TEST(CsvExport, TheColumnModeRunsNewestFirstInSixColumns) {
  const std::vector<std::string> lines = {
      "20240305," + S("食費") + "," + S("外食") + ",500,",
      "20240310," + S("給料") + "," + S("給与") + ",1000," + S("三月分"),
      "20240311," + S("しょくひ") + ",\"a,b\",1",
      "20240312," + S("未知") + ",x,7,m",
  };
  EXPECT_EQ(Export(lines, ExportMode::kSeparateColumns),
            (std::vector<std::string>{
                // A category not in the table: both amount columns empty, the memo in its own.
                "20240312," + S("未知") + ",x,,,m",
                "20240311," + S("しょくひ") + ",\"a,b\",,,",
                "20240310," + S("給料") + "," + S("給与") + ",,1000," + S("三月分"),
                "20240305," + S("食費") + "," + S("外食") + ",500,,",
            }));
}

TEST(CsvExport, ShortLinesAreNeverReadPastTheirFields) {
  const std::vector<std::string> lines = {"", "20240301", "20240302," + S("食費"),
                                          "20240303," + S("食費") + ",x", "  "};
  EXPECT_EQ(Export(lines, ExportMode::kExpenseNegative), lines);
  EXPECT_EQ(Export(lines, ExportMode::kIncomeNegative), lines);
  EXPECT_EQ(Export(lines, ExportMode::kSeparateColumns),
            (std::vector<std::string>{",,,,,", "20240303," + S("食費") + ",x,,,",
                                      "20240302," + S("食費") + ",,,,", "20240301,,,,,", ",,,,,"}));
}

TEST(CsvExport, TheMonthFileIsReadInIndexOrderAndNoneGivesNothing) {
  TempDir dir;
  EXPECT_TRUE(ReadExportLines(dir.path(), MakeDate(2024, 3, 28)).empty());
  WriteBytes(dir / "202403.csv", "20240320,b,x,1,\r\n20240301,B,x,1,\r\n20240301,a,x,1,\r\n");
  WriteBytes(dir / "202404.csv", "20240401,a,x,1,\r\n");
  EXPECT_EQ(ReadExportLines(dir.path(), MakeDate(2024, 3, 28)),
            (std::vector<std::string>{"20240301,a,x,1,", "20240301,B,x,1,", "20240320,b,x,1,"}));
  EXPECT_EQ(ExportFileName(MakeDate(2024, 3, 28)), "202403.csv");
}

TEST(CsvExport, TheFileIsWrittenWholeButNeverOverAMonthFile) {
  TempDir dir;
  const std::filesystem::path data = dir / "data";
  std::filesystem::create_directory(data);
  WriteBytes(data / "202403.csv", "20240301,a,x,1,\r\n");
  WriteExportFile(data, dir / "out.csv", {"a", "", "b"});
  EXPECT_EQ(ReadBytes(dir / "out.csv"), "a\r\n\r\nb\r\n");
  WriteExportFile(data, dir / "out.csv", {});
  EXPECT_EQ(ReadBytes(dir / "out.csv"), "");
  WriteExportFile(data, data / "export.csv", {"x"});  // another name in data is fine
  EXPECT_EQ(ReadBytes(data / "export.csv"), "x\r\n");

  std::filesystem::create_symlink(data / "202403.csv", dir / "link.csv");
  for (const std::filesystem::path& target :
       {data / "202403.csv", data / "209912.csv", dir / "link.csv",
        data / ".." / "data" / "202403.csv"}) {
    try {
      WriteExportFile(data, target, {"x"});
      ADD_FAILURE() << target;
    } catch (const FileError&) {
      ADD_FAILURE() << target;
    } catch (const AppError& error) {
      EXPECT_EQ(std::string(error.what()), "Cannot write file \"" + target.string() +
                                               "\": it is a month file of the account book");
    }
  }
  EXPECT_EQ(ReadBytes(data / "202403.csv"), "20240301,a,x,1,\r\n");
  EXPECT_FALSE(std::filesystem::exists(data / "209912.csv"));
}

TEST(CsvExport, ARealisticMonthInEachMode) {
  const GoldenCase golden("export_month");
  const std::vector<std::string> lines =
      ReadExportLines(golden.program_dir() / "data", MakeDate(2024, 3, 15));
  const struct {
    ExportMode mode;
    const char* name;
  } cases[] = {{ExportMode::kExpenseNegative, "mode1.csv"},
               {ExportMode::kIncomeNegative, "mode2.csv"},
               {ExportMode::kSeparateColumns, "mode3.csv"}};
  for (const auto& c : cases) {
    const std::filesystem::path out = golden.program_dir() / c.name;
    WriteExportFile(golden.program_dir() / "data", out, Export(lines, c.mode));
    EXPECT_TRUE(golden.FileMatches(c.name));
  }
}

}  // namespace
}  // namespace purselog
