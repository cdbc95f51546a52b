// The row rules of a day page, as the grid and the import use them: each operation on a page
// before, the page after and what the operation reports.
#include "ledger/day_page.h"

#include <gtest/gtest.h>

#include <functional>

namespace purselog {
namespace {

DayRow R(std::string category, std::string amount = "1") {
  return {std::move(category), "d", std::move(amount), ""};
}

struct RowRuleCase {
  const char* name;
  DayPage before;
  std::function<std::string(DayPage&)> operation;  // what it reports, as text
  DayPage after;
  std::string report;
};

std::string Text(RowDeletion deletion) {
  return deletion == RowDeletion::kNone      ? "none"
         : deletion == RowDeletion::kRemoved ? "removed"
                                             : "emptied";
}
std::string Text(CellEdit edit) {
  return edit == CellEdit::kUnchanged  ? "unchanged"
         : edit == CellEdit::kAccepted ? "accepted"
                                       : "refused";
}
std::string Text(const std::vector<int>& from) {
  std::string text;
  for (const int row : from) text += std::to_string(row);
  return text;
}

TEST(DayPage, RowRules) {
  const auto insert = [](int row) {
    return [row](DayPage& page) {
      InsertEmptyRow(page, row);
      return std::string();
    };
  };
  const auto remove = [](int row) {
    return [row](DayPage& page) { return Text(DeleteRow(page, row)); };
  };
  const auto sort = [](int column, bool ascending) {
    return [=](DayPage& page) { return Text(SortRows(page, column, ascending)); };
  };
  const auto edit = [](int column, std::string text) {
    return [=](DayPage& page) { return Text(EditCell(page, 0, column, text)); };
  };
  const RowRuleCase cases[] = {
      {"insert before", {R("a"), R("b")}, insert(1), {R("a"), {}, R("b")}, ""},
      {"insert clamped to the end", {R("a")}, insert(9), {R("a"), {}}, ""},
      {"insert clamped to the start", {R("a")}, insert(-3), {{}, R("a")}, ""},
      {"delete a row", {R("a"), R("b")}, remove(0), {R("b")}, "removed"},
      {"the only row is emptied", {R("a")}, remove(0), {{}}, "emptied"},
      {"no such row", {R("a")}, remove(1), {R("a")}, "none"},
      // Amounts sort as text, and equal texts keep their order.
      {"sort amounts as text",
       {R("a", "200"), R("b", "1000"), R("c", "200")},
       sort(2, true),
       {R("b", "1000"), R("a", "200"), R("c", "200")},
       "102"},
      {"sort descending", {R("a"), R("b")}, sort(0, false), {R("b"), R("a")}, "10"},
      {"an amount that is a number", {R("a")}, edit(2, "-12.5"), {R("a", "-12.5")}, "accepted"},
      {"an exponent", {R("a")}, edit(2, "1e3"), {R("a", "1e3")}, "accepted"},
      {"blanks around", {R("a")}, edit(2, " 7 "), {R("a", " 7 ")}, "accepted"},
      {"grouping commas are refused", {R("a")}, edit(2, "1,200"), {R("a")}, "refused"},
      {"the yen sign is refused", {R("a")}, edit(2, "\\100"), {R("a")}, "refused"},
      {"full-width digits are refused", {R("a")}, edit(2, "\x82\x50"), {R("a")}, "refused"},
      {"an empty amount is refused", {R("a")}, edit(2, ""), {R("a")}, "refused"},
      {"a unit is refused", {R("a")}, edit(2, "12\x89\x7e"), {R("a")}, "refused"},
      {"the same text", {R("a")}, edit(0, "a"), {R("a")}, "unchanged"},
      {"any description", {R("a")}, edit(1, "x y"), {{"a", "x y", "1", ""}}, "accepted"},
  };
  for (const RowRuleCase& c : cases) {
    DayPage page = c.before;
    EXPECT_EQ(c.operation(page), c.report) << c.name;
    EXPECT_EQ(page, c.after) << c.name;
  }
}

TEST(DayPage, ARowIsCompleteWithCategoryDescriptionAndAmount) {
  EXPECT_TRUE(IsCompleteRow({"a", "b", "1", ""}));
  for (const DayRow& row : {DayRow{"", "b", "1", "m"}, DayRow{"a", "", "1", "m"},
                            DayRow{"a", "b", "", "m"}, DayRow{"a", "\r\n", "1", ""}}) {
    EXPECT_FALSE(IsCompleteRow(row)) << row[1];
  }
  EXPECT_EQ(SingleLineCellText("a\r\nb\rc\nd\r\n\r\n"), "a b c d");
  EXPECT_EQ(SingleLineCellText(std::string("x\0y", 3)), "xy");
}

}  // namespace
}  // namespace purselog
