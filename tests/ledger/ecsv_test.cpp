#include "ledger/ecsv.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace purselog {
namespace {

using testing::TempDir;
using testing::WriteBytes;

TEST(TEcsv, ATrailingCommaGivesALastEmptyField) {
  TempDir dir;
  WriteBytes(dir / "net.dat", "20240105,a,b,1,\r\n20240106,\"x y\",c\r\n\r\n");
  TEcsv table;
  table.Load(dir / "net.dat");
  EXPECT_EQ(table.RowCount(), 3);
  EXPECT_EQ(table.ColCount(), 5);
  EXPECT_EQ(table.Cell(0, 0), "20240105");
  EXPECT_EQ(table.Cell(3, 0), "1");
  EXPECT_EQ(table.Cell(4, 0), "");
  EXPECT_EQ(table.Cell(1, 1), "x y");
  EXPECT_EQ(table.Cell(3, 1), "");
  EXPECT_EQ(table.Cell(0, 2), "");
  EXPECT_EQ(table.Cell(0, 3), "");
  EXPECT_EQ(table.Cell(-1, 0), "");
}

TEST(TEcsv, AMissingFileIsAnEmptyTable) {
  TempDir dir;
  TEcsv table;
  WriteBytes(dir / "a", "1,2\r\n");
  table.Load(dir / "a");
  table.Load(dir / "missing");
  EXPECT_EQ(table.RowCount(), 0);
  EXPECT_EQ(table.ColCount(), 0);
  EXPECT_EQ(table.Cell(0, 0), "");
}

}  // namespace
}  // namespace purselog
