#include "categories/category_settings.h"

#include <gtest/gtest.h>

#include <array>

#include "core/text_codec.h"
#include "support/temp_dir.h"

namespace purselog {
namespace {

using testing::TempDir;

// The delivered table with user rows 12 to 15 named "u12" to "u15" (each with a preset).
CategorySettingsTable TableWithUserRows() {
  CategorySettingsTable table;
  table.Load(PURSELOG_CATEGORY_FILE);
  for (int row = 12; row <= 15; ++row) {
    EXPECT_TRUE(table.AddRow());
    EXPECT_TRUE(table.Edit(kNameColumn, row, "u" + std::to_string(row)));
    EXPECT_TRUE(table.Edit(2, row, "p"));
  }
  return table;
}

std::vector<std::string> Names(const CategorySettingsTable& table) {
  std::vector<std::string> names;
  for (int row = 1; row < table.rows(); ++row) names.push_back(table.Cell(kNameColumn, row));
  return names;
}

TEST(CategoryCellText, KeepsOneLineWithoutControlBytes) {
  const std::pair<std::string, std::string> rows[] = {
      {"a\r\nb\nc\rd", "a b c d"},
      {"x\r\n", "x"},
      {"a\tb", "a b"},
      {"a\bb\x01", "ab"},
      {std::string("n\0ul", 4), "nul"},
      // Shift_JIS trail bytes are never control bytes: "ソ" is 0x83 0x5C.
      {"\x83\x5c\x83\x40", "\x83\x5c\x83\x40"},
  };
  for (const auto& [typed, kept] : rows) EXPECT_EQ(CategoryCellText(typed), kept) << typed;
}

TEST(CategorySettingsTable, ProtectsTheKindAndNameOfTheBuiltInRows) {
  CategorySettingsTable table = TableWithUserRows();
  const std::string food = table.Cell(kNameColumn, 1);
  for (int row = 1; row <= 11; ++row) {
    EXPECT_TRUE(table.IsLocked(kKindColumn, row)) << row;
    EXPECT_TRUE(table.IsLocked(kNameColumn, row)) << row;
    EXPECT_FALSE(table.IsLocked(2, row)) << row;
  }
  EXPECT_FALSE(table.IsLocked(kNameColumn, 12));
  EXPECT_FALSE(table.Edit(kNameColumn, 1, "x"));
  EXPECT_EQ(table.Cell(kNameColumn, 1), food);
  EXPECT_TRUE(table.Edit(5, 1, "a\r\nb"));
  EXPECT_EQ(table.Cell(5, 1), "a b");
  EXPECT_FALSE(table.Edit(5, 1, "a b"));  // unchanged
  // An insertion moves a built-in category out of the protected rows.
  table.InsertRow(3);
  EXPECT_EQ(table.Cell(kNameColumn, 3), "");
  EXPECT_TRUE(table.Edit(kNameColumn, 12, "moved"));
}

TEST(CategorySettingsTable, AddsUpToTwentyFiveRowsAndInsertsBeyond) {
  CategorySettingsTable table;
  table.Load(PURSELOG_CATEGORY_FILE);
  ASSERT_EQ(table.rows(), 12);
  for (int i = 0; i < 13; ++i) EXPECT_TRUE(table.AddRow());
  EXPECT_EQ(table.rows(), 25);
  EXPECT_FALSE(table.AddRow());
  EXPECT_EQ(table.rows(), 25);
  table.InsertRow(25);
  EXPECT_EQ(table.rows(), 26);
}

TEST(CategorySettingsTable, DeletesUserRowsOnlyAndMovesRowsWithTheirIcons) {
  CategorySettingsTable table = TableWithUserRows();
  const std::vector<std::string> before = Names(table);
  // Several at once: the user rows go and the rows below close up; the protected one stays.
  const CategorySettingsTable::Deletion deletion = table.DeleteRows({14, 3, 12, 12});
  EXPECT_TRUE(deletion.refused);
  EXPECT_EQ(deletion.removed, (std::vector<int>{12, 14}));
  EXPECT_EQ(table.rows(), 14);
  EXPECT_EQ(table.Cell(kNameColumn, 12), "u13");
  EXPECT_EQ(table.Cell(kNameColumn, 13), "u15");
  EXPECT_EQ(table.Cell(2, 13), "p");
  EXPECT_EQ(table.Cell(kNameColumn, 3), before[2]);

  // Pictures go with their rows: a dragged row takes its own.
  const std::array<std::string, 3> slot_names = {"a.bmp", "", "c.pac"};
  table = TableWithUserRows();
  table.PlaceIcons(CategoryTable::FromGrid(table.grid()), slot_names);
  EXPECT_EQ(table.Icon(1), (IconChoice{IconChoice::Kind::kBuiltin, 0}));
  EXPECT_EQ(table.Icon(11), (IconChoice{IconChoice::Kind::kBuiltin, 10}));
  EXPECT_EQ(table.Icon(12), (IconChoice{IconChoice::Kind::kSlot, 0}));
  EXPECT_EQ(table.Icon(13), IconChoice());
  EXPECT_EQ(table.Icon(14), (IconChoice{IconChoice::Kind::kSlot, 2}));
  table.MoveRow(14, 2);
  EXPECT_EQ(table.Cell(kNameColumn, 2), "u14");
  EXPECT_EQ(table.Icon(2), (IconChoice{IconChoice::Kind::kSlot, 2}));
  EXPECT_EQ(table.Icon(3), (IconChoice{IconChoice::Kind::kBuiltin, 1}));
  EXPECT_EQ(table.Cell(kNameColumn, 15), "u15");
  table.MoveRow(2, 15);
  EXPECT_EQ(table.Cell(kNameColumn, 15), "u14");
  EXPECT_EQ(table.Cell(kNameColumn, 14), "u15");
}

TEST(CategorySettingsTable, SavesWhatItLoadedByteForByte) {
  TempDir dir;
  CategorySettingsTable table;
  table.Load(PURSELOG_CATEGORY_FILE);
  table.Save(dir / "setting.dat");
  EXPECT_EQ(testing::ReadBytes(dir / "setting.dat"), testing::ReadBytes(PURSELOG_CATEGORY_FILE));
  // An unreadable file leaves the table as it was.
  EXPECT_THROW(table.Load(dir / "missing.dat"), GridFileError);
  EXPECT_EQ(table.rows(), 12);
}

TEST(IconSlotBookkeeping, AnAddedIconCoversItsSlotAndADeletedOneKeepsTheCount) {
  EXPECT_EQ(IconSlotOfRow(5), -1);
  EXPECT_EQ(IconSlotOfRow(12), 0);
  EXPECT_EQ(IconSlotOfRow(43), 31);
  EXPECT_EQ(IconSlotOfRow(44), -1);
  IconSlots slots_of_book{3, {"a.bmp", "b.bmp", "c.pac"}};
  slots_of_book.Assign(0, "new.bmp");
  EXPECT_EQ(slots_of_book.count, 3);
  EXPECT_EQ(slots_of_book.names[0], "new.bmp");
  EXPECT_EQ(slots_of_book.names[1], "b.bmp");
  slots_of_book.Clear(1);
  EXPECT_EQ(slots_of_book.names[1], "");
  EXPECT_EQ(slots_of_book.count, 3);
  slots_of_book.Assign(6, "g.bmp");
  EXPECT_EQ(slots_of_book.count, 7);
  EXPECT_EQ(slots_of_book.UsedNames().size(), 7u);
  EXPECT_EQ((IconSlots{40, {}}).UsedSlots(), 32);
  EXPECT_EQ((IconSlots{-1, {}}).UsedSlots(), 0);
}

}  // namespace
}  // namespace purselog
