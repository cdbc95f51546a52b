#include "ledger/period.h"

#include <gtest/gtest.h>

#include "core/text_codec.h"

namespace purselog {
namespace {

struct PeriodCase {
  int closing_day;
  Date date;
  Date first;
  Date last;
};

class PeriodOfTest : public ::testing::TestWithParam<PeriodCase> {};

TEST_P(PeriodOfTest, GivesTheAccountingMonth) {
  const PeriodCase& c = GetParam();
  EXPECT_EQ(PeriodOf(c.date, c.closing_day), (AccountingPeriod{c.first, c.last}))
      << "closing day " << c.closing_day << ", " << DateKey(c.date);
}

Date D(int y, unsigned m, unsigned d) { return MakeDate(y, m, d); }

INSTANTIATE_TEST_SUITE_P(
    Cases, PeriodOfTest,
    ::testing::Values(PeriodCase{0, D(2024, 2, 15), D(2024, 2, 1), D(2024, 2, 29)},
                      PeriodCase{0, D(2023, 2, 15), D(2023, 2, 1), D(2023, 2, 28)},
                      PeriodCase{0, D(2023, 12, 31), D(2023, 12, 1), D(2023, 12, 31)},
                      PeriodCase{25, D(2023, 3, 25), D(2023, 2, 26), D(2023, 3, 25)},
                      PeriodCase{25, D(2023, 3, 26), D(2023, 3, 26), D(2023, 4, 25)},
                      PeriodCase{25, D(2023, 1, 5), D(2022, 12, 26), D(2023, 1, 25)},
                      PeriodCase{25, D(2023, 12, 26), D(2023, 12, 26), D(2024, 1, 25)},
                      PeriodCase{28, D(2023, 3, 10), D(2023, 3, 1), D(2023, 3, 28)},
                      PeriodCase{28, D(2024, 3, 10), D(2024, 2, 29), D(2024, 3, 28)},
                      PeriodCase{28, D(2024, 2, 29), D(2024, 2, 29), D(2024, 3, 28)},
                      PeriodCase{28, D(2023, 2, 28), D(2023, 1, 29), D(2023, 2, 28)},
                      PeriodCase{28, D(2023, 1, 31), D(2023, 1, 29), D(2023, 2, 28)},
                      PeriodCase{1, D(2023, 5, 1), D(2023, 4, 2), D(2023, 5, 1)},
                      PeriodCase{1, D(2023, 1, 1), D(2022, 12, 2), D(2023, 1, 1)},
                      PeriodCase{1, D(2023, 1, 31), D(2023, 1, 2), D(2023, 2, 1)}),
    [](const ::testing::TestParamInfo<PeriodCase>& param_info) {
      return "closing" + std::to_string(param_info.param.closing_day) + "_" +
             DateKey(param_info.param.date);
    });

TEST(PeriodOf, RejectsClosingDaysOutsideTheRange) {
  EXPECT_TRUE(IsValidClosingDay(0));
  EXPECT_TRUE(IsValidClosingDay(28));
  EXPECT_FALSE(IsValidClosingDay(29));
  EXPECT_FALSE(IsValidClosingDay(-1));
  EXPECT_THROW(PeriodOf(D(2024, 1, 1), 29), std::invalid_argument);
}

// The text of the closing-day dialog.
TEST(ReadClosingDayText, TakesHalfWidthDaysFromOneToTwentyEight) {
  const std::string kNotHalfWidth = "半角数字で1日から28日の間を指定してください";
  const std::string kOutOfRange = "1日から28日の間を指定してください";
  const std::pair<std::string, ClosingDayEntry> cases[] = {
      {"1", {1, ""}},
      {"28", {28, ""}},
      {"  7", {7, ""}},
      {"+15", {15, ""}},
      {"0005", {5, ""}},
      {"0", {std::nullopt, kOutOfRange}},
      {"29", {std::nullopt, kOutOfRange}},
      {" -3", {std::nullopt, kOutOfRange}},
      {"99999999999999999999", {std::nullopt, kOutOfRange}},
      {Utf8ToCp932("２５"), {std::nullopt, kNotHalfWidth}},
      {"25 ", {std::nullopt, kNotHalfWidth}},
      {"2a", {std::nullopt, kNotHalfWidth}},
      {"", {std::nullopt, kNotHalfWidth}},
      {"-", {std::nullopt, kNotHalfWidth}},
      {"$1A", {std::nullopt, kNotHalfWidth}},
      {Utf8ToCp932("　25"), {std::nullopt, kNotHalfWidth}},
  };
  for (const auto& [text, entry] : cases) EXPECT_EQ(ReadClosingDayText(text), entry) << text;
}

}  // namespace
}  // namespace purselog
