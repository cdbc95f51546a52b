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

std::vector<std::string> Export(const std::vector<std::string>& lines, ExportMode mode) {
  static const CategoryTable table = LoadCategories(PURSELOG_CATEGORY_FILE);
  return ExportLines(lines, mode, table.KindFunction());
}

TEST(CsvExport, EachModeOverExpensesIncomesLinesOfNoKindAndShortLines) {
  const std::string food = "20240305," + S("食費") + ",";
  const std::vector<std::string> lines = {
      "",
      "20240301",
      food + "x",  // lines a hand may leave: never read past their fields
      food + "\"a b\",500,",
      food + "\"a,b\",-300,\"x y\"",
      "20240310," + S("給料") + ",x,1000,m",
      "20240312," + S("未知") + ",x,7,m"};
  const std::vector<std::string> mode1 = {
      "",       "20240301", food + "x", food + "\"a b\",-500", food + "\"a,b\",--300,\"x y\"",
      lines[5], lines[6]};
  EXPECT_EQ(Export(lines, ExportMode::kExpenseNegative), mode1);
  const std::vector<std::string> mode2 = {
      lines[0], lines[1], lines[2], lines[3], lines[4], "20240310," + S("給料") + ",x,-1000,m",
      lines[6]};
  EXPECT_EQ(Export(lines, ExportMode::kIncomeNegative), mode2);
  // Newest first, six columns; a category not in the table leaves both amount columns empty.
  const std::vector<std::string> mode3 = {"20240312," + S("未知") + ",x,,,m",
                                          "20240310," + S("給料") + ",x,,1000,m",
                                          food + "\"a,b\",-300,,\"x y\"",
                                          food + "\"a b\",500,,",
                                          food + "x,,,",
                                          "20240301,,,,,",
                                          ",,,,,"};
  EXPECT_EQ(Export(lines, ExportMode::kSeparateColumns), mode3);
}

TEST(CsvExport, TheMonthFileInIndexOrderWrittenWholeButNeverOverAMonthFile) {
  TempDir dir;
  const std::filesystem::path data = dir / "data";
  std::filesystem::create_directory(data);
  EXPECT_TRUE(ReadExportLines(data, MakeDate(2024, 3, 28)).empty());
  WriteBytes(data / "202403.csv", "20240320,b,x,1,\r\n20240301,B,x,1,\r\n20240301,a,x,1,\r\n");
  EXPECT_EQ(ReadExportLines(data, MakeDate(2024, 3, 28)),
            (std::vector<std::string>{"20240301,a,x,1,", "20240301,B,x,1,", "20240320,b,x,1,"}));
  EXPECT_EQ(ExportFileName(MakeDate(2024, 3, 28)), "202403.csv");

  WriteExportFile(data, dir / "out.csv", {"a", "", "b"});
  EXPECT_EQ(ReadBytes(dir / "out.csv"), "a\r\n\r\nb\r\n");
  WriteExportFile(data, data / "export.csv", {});  // another name in data is fine
  EXPECT_EQ(ReadBytes(data / "export.csv"), "");
  std::filesystem::create_symlink(data / "202403.csv", dir / "link.csv");
  for (const std::filesystem::path& target :
       {data / "202403.csv", data / "209912.csv", dir / "link.csv"}) {
    try {
      WriteExportFile(data, target, {"x"});
      ADD_FAILURE() << target;
    } catch (const AppError& error) {
      EXPECT_EQ(std::string(error.what()), "Cannot write file \"" + target.string() +
                                               "\": it is a month file of the account book");
    }
  }
  EXPECT_EQ(ReadBytes(data / "202403.csv"),
            "20240320,b,x,1,\r\n20240301,B,x,1,\r\n20240301,a,x,1,\r\n");
  EXPECT_FALSE(std::filesystem::exists(data / "209912.csv"));
}

TEST(CsvExport, ARealisticMonthInEachMode) {
  const GoldenCase golden("export_month");
  const std::filesystem::path data = golden.program_dir() / "data";
  const std::vector<std::string> lines = ReadExportLines(data, MakeDate(2024, 3, 15));
  const std::pair<ExportMode, const char*> cases[] = {{ExportMode::kExpenseNegative, "mode1.csv"},
                                                      {ExportMode::kIncomeNegative, "mode2.csv"},
                                                      {ExportMode::kSeparateColumns, "mode3.csv"}};
  for (const auto& [mode, name] : cases) {
    WriteExportFile(data, golden.program_dir() / name, Export(lines, mode));
    EXPECT_TRUE(golden.FileMatches(name));
  }
}

}  // namespace
}  // namespace purselog
