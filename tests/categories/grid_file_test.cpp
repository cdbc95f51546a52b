#include "categories/grid_file.h"

#include <gtest/gtest.h>

#include "core/text_codec.h"
#include "support/temp_dir.h"

namespace purselog {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

TEST(GridFile, SavesTheExactLinesAndReadsThemBack) {
  TempDir dir;
  GridTable table(4, 8);
  table.SetColumnWidth(2, 87);
  const std::string name = Utf8ToCp932("食費");
  table.SetCell(3, 7, "a,b,c");
  table.SetCell(1, 0, name);
  table.SetCell(0, 2, "two\r\nlines");
  table.SetCell(2, 2, "tab\tonly");
  table.SetCell(3, 2, "lone\nlf");
  SaveGridFile(dir / "t.dat", table);
  const std::string expected =
      "4,8\r\ncw 0,64\r\ncw 1,64\r\ncw 2,87\r\ncw 3,64\r\n"
      "1,0," +
      name +
      "\r\n"
      "0,2,two\t\blines\r\n"
      "2,2,tab\tonly\r\n"
      "3,2,lone\blf\r\n"  // a lone LF too: the line must not end inside the text
      "3,7,a,b,c\r\n";
  EXPECT_EQ(ReadBytes(dir / "t.dat"), expected);

  GridTable loaded;
  LoadGridFile(dir / "t.dat", loaded);
  EXPECT_EQ(loaded.columns(), 4);
  EXPECT_EQ(loaded.rows(), 8);
  EXPECT_EQ(loaded.ColumnWidth(2), 87);
  EXPECT_EQ(loaded.Cell(3, 7), "a,b,c");
  EXPECT_EQ(loaded.Cell(1, 0), name);
  EXPECT_EQ(loaded.Cell(0, 2), "two");  // one line per cell
  EXPECT_EQ(loaded.Cell(2, 2), "tab\tonly");
  EXPECT_EQ(loaded.Cell(3, 2), "lone\nlf");  // BS without TAB: the LF comes back whole
  EXPECT_EQ(loaded.Cell(0, 7), "");

  // Saving what was read gives the same bytes but for the cell cut to one line.
  loaded.SetCell(0, 2, "two\r\nlines");
  SaveGridFile(dir / "u.dat", loaded);
  EXPECT_EQ(ReadBytes(dir / "u.dat"), expected);
}

TEST(GridFile, AnEmptyTableIsTheSizeAndWidthLinesOnly) {
  TempDir dir;
  SaveGridFile(dir / "e.dat", GridTable(2, 3));
  EXPECT_EQ(ReadBytes(dir / "e.dat"), "2,3\r\ncw 0,64\r\ncw 1,64\r\n");
  GridTable loaded(20, 13);
  loaded.SetCell(5, 5, "old");
  LoadGridFile(dir / "e.dat", loaded);
  EXPECT_EQ(loaded.columns(), 2);
  EXPECT_EQ(loaded.rows(), 3);
  EXPECT_TRUE(loaded.cells().empty());
}

TEST(GridFile, ASmallerFileReplacesALargerTable) {
  TempDir dir;
  WriteBytes(dir / "s.dat", "5,3\r\n4,2,x\r\n0,0,y\r\n");
  GridTable table(20, 13);
  table.SetCell(10, 10, "gone");
  table.SetCell(0, 0, "replaced");
  table.SetCell(1, 1, "emptied");
  LoadGridFile(dir / "s.dat", table);
  EXPECT_EQ(table.columns(), 5);
  EXPECT_EQ(table.rows(), 3);
  EXPECT_EQ(table.cells().size(), 2u);
  EXPECT_EQ(table.Cell(4, 2), "x");
  EXPECT_EQ(table.Cell(0, 0), "y");
}

TEST(GridFile, OddLinesAreReadByTheIntegerRuleOrIgnored) {
  TempDir dir;
  WriteBytes(dir / "o.dat",
             " 3 ,13x\r\n"     // blanks skipped, digits up to the first other character
             "cw 1,120px\r\n"  // width 120
             "cw 7,50\r\n"     // no such column
             "cw -1,50\r\n"
             "cwx\r\n"
             "cw,9\r\n"         // no index digits: column 0
             "1,40,beyond\r\n"  // row 40 of 13: ignored
             "-1,2,negative\r\n"
             "3,0,column 3 of 3\r\n"
             "a,b,letters\r\n"  // column 0, row 0
             "2,12\r\n"         // one comma: no cell text
             "\r\n"
             "1, 12 ,last row\r\n"
             "2,5,\x08\tx\x08y\r\n");  // BS present: TAB->CR, BS->LF, then the first line
  GridTable table;
  LoadGridFile(dir / "o.dat", table);
  EXPECT_EQ(table.columns(), 3);
  EXPECT_EQ(table.rows(), 13);
  EXPECT_EQ(table.ColumnWidth(1), 120);
  EXPECT_EQ(table.ColumnWidth(0), 9);
  EXPECT_EQ(table.Cell(0, 0), "letters");
  EXPECT_EQ(table.Cell(1, 12), "last row");
  EXPECT_EQ(table.Cell(2, 5), "\n");
  EXPECT_EQ(table.cells().size(), 3u);
}

TEST(GridFile, FailsWithTheTwoMessages) {
  TempDir dir;
  GridTable table(20, 13);
  table.SetCell(1, 1, "kept");
  const auto message = [&table](const std::filesystem::path& path) -> std::string {
    try {
      LoadGridFile(path, table);
    } catch (const GridFileError& error) {
      return error.what();
    }
    return "no error";
  };
  EXPECT_EQ(message(dir / "none.dat"), "File " + (dir / "none.dat").string() + " not found");
  EXPECT_EQ(table.Cell(1, 1), "kept");  // unchanged when the file cannot be read
  std::filesystem::create_directory(dir / "adir.dat");
  EXPECT_EQ(message(dir / "adir.dat"), "File " + (dir / "adir.dat").string() + " not found");

  const std::string corrupt = "File contains no data or corrupt file " + (dir / "c.dat").string();
  for (const char* content :
       {"20,0\r\n1,1,x\r\n", "0,5\r\n", "abc\r\n", "-3,4\r\n", "7\r\n",
        "2000000000,2000000000\r\n0,0,x\r\n", "5000,5\r\n", "5,2000000\r\n"}) {
    WriteBytes(dir / "c.dat", content);
    EXPECT_EQ(message(dir / "c.dat"), corrupt) << content;
  }

  // An empty first line keeps the table's size; an empty table then has no data.
  WriteBytes(dir / "c.dat", "\r\n0,0,x\r\n");
  GridTable sized(2, 2);
  LoadGridFile(dir / "c.dat", sized);
  EXPECT_EQ(sized.Cell(0, 0), "x");
  GridTable empty;
  WriteBytes(dir / "c.dat", "");
  EXPECT_THROW(LoadGridFile(dir / "c.dat", empty), GridFileError);
}

TEST(GridFile, ANulByteIsCellTextAndTheRowsAfterItAreRead) {
  using namespace std::string_literals;
  TempDir dir;
  WriteBytes(dir / "setting.dat",
             "3,4\r\ncw 0,10\r\n"
             "1,1,ab\0cd\r\n"  // the NUL stays in the cell
             "\0\r\n"          // a line of a NUL alone names no cell
             "1,2,after\r\n"
             "2,3,last\r\n"s);
  GridTable table;
  LoadGridFile(dir / "setting.dat", table);
  EXPECT_EQ(table.Cell(1, 1), "ab\0cd"s);
  EXPECT_EQ(table.Cell(1, 2), "after");
  EXPECT_EQ(table.Cell(2, 3), "last");
  EXPECT_EQ(table.cells().size(), 3u);
  SaveGridFile(dir / "again.dat", table);  // the cell goes back byte for byte
  EXPECT_EQ(ReadBytes(dir / "again.dat"),
            "3,4\r\ncw 0,10\r\ncw 1,64\r\ncw 2,64\r\n1,1,ab\0cd\r\n1,2,after\r\n2,3,last\r\n"s);
}

TEST(GridFile, NoByteSequenceCrashesTheReader) {
  TempDir dir;
  std::string bytes = "3,3\r\n";
  for (int i = 0; i < 4096; ++i) bytes.push_back(static_cast<char>((i * 7919) % 256));
  WriteBytes(dir / "r.dat", bytes);
  GridTable table;
  LoadGridFile(dir / "r.dat", table);
  EXPECT_EQ(table.columns(), 3);
  for (const auto& [position, text] : table.cells()) {
    EXPECT_LT(position.first, 3);
    EXPECT_LT(position.second, 3);
  }
}

}  // namespace
}  // namespace purselog
