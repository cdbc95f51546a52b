#include "core/date.h"

#include <gtest/gtest.h>

#include "core/date_format.h"
#include "core/text_codec.h"

namespace purselog {
namespace {

TEST(Date, KeysAreZeroPadded) {
  EXPECT_EQ(DateKey(MakeDate(2024, 1, 5)), "20240105");
  EXPECT_EQ(MonthKey(MakeDate(2024, 1, 5)), "202401");
  EXPECT_EQ(DateKey(MakeDate(987, 12, 31)), "09871231");
  EXPECT_EQ(MonthKey(MakeDate(5, 2, 1)), "000502");
  EXPECT_EQ(DateKeyValue(MakeDate(2024, 12, 31)), 20241231);
}

TEST(Date, MonthLengthsFollowTheGregorianLeapRule) {
  EXPECT_EQ(DaysInMonth(2024, 2), 29u);
  EXPECT_EQ(DaysInMonth(2023, 2), 28u);
  EXPECT_EQ(DaysInMonth(2100, 2), 28u);
  EXPECT_EQ(DaysInMonth(2000, 2), 29u);
  EXPECT_EQ(DaysInMonth(2023, 4), 30u);
  EXPECT_EQ(DaysInMonth(2023, 12), 31u);
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_FALSE(IsLeapYear(1900));
}

TEST(Date, DayStepsCrossMonthsAndYears) {
  EXPECT_EQ(AddDays(MakeDate(2023, 12, 31), 1), MakeDate(2024, 1, 1));
  EXPECT_EQ(AddDays(MakeDate(2024, 3, 1), -1), MakeDate(2024, 2, 29));
  EXPECT_EQ(AddDays(MakeDate(2023, 3, 1), -1), MakeDate(2023, 2, 28));
  EXPECT_EQ(WeekdayIndex(MakeDate(2024, 6, 1)), 6u);  // a Saturday
  EXPECT_EQ(WeekdayIndex(MakeDate(2024, 9, 1)), 0u);  // a Sunday
}

TEST(Date, ParsesOnlyValidDateKeys) {
  EXPECT_EQ(ParseDateKey("20240229"), MakeDate(2024, 2, 29));
  EXPECT_FALSE(ParseDateKey("20230229"));
  EXPECT_FALSE(ParseDateKey("2024013"));
  EXPECT_FALSE(ParseDateKey("2024-1-1"));
  EXPECT_FALSE(ParseDateKey("20241301"));
  EXPECT_FALSE(ParseDateKey("00000105"));  // a real day has a year from 1
}

}  // namespace
}  // namespace purselog

namespace purselog {
namespace {

TEST(DateFormat, LabelsUseTheJapaneseWeekdayNames) {
  EXPECT_EQ(Cp932ToUtf8(DateLabelText(MakeDate(2024, 1, 5))), "2024/01/05 (金)");
  EXPECT_EQ(Cp932ToUtf8(DateLabelText(MakeDate(2024, 9, 1))), "2024/09/01 (日)");
  EXPECT_EQ(Cp932ToUtf8(DateLabelText(MakeDate(2024, 6, 1))), "2024/06/01 (土)");
  EXPECT_EQ(Cp932ToUtf8(JapaneseDateText(MakeDate(2001, 3, 26))), "2001年3月26日");
}

TEST(DateFormat, CalendarTitlesDropLeadingZerosAndAddTheWeekday) {
  EXPECT_EQ(Cp932ToUtf8(CalendarTitleText(MakeDate(2024, 2, 29))), "2024年2月29日 木");
  EXPECT_EQ(Cp932ToUtf8(CalendarTitleText(MakeDate(2025, 11, 1))), "2025年11月1日 土");
  EXPECT_EQ(Cp932ToUtf8(CalendarTitleText(MakeDate(2024, 9, 1))), "2024年9月1日 日");
}

TEST(DateFormat, YearsBelowOneThousandHaveFourDigits) {
  EXPECT_EQ(Cp932ToUtf8(JapaneseDateText(MakeDate(999, 1, 2))), "0999年1月2日");
  EXPECT_EQ(Cp932ToUtf8(CalendarTitleText(MakeDate(999, 1, 2))), "0999年1月2日 水");
  EXPECT_EQ(Cp932ToUtf8(CalendarTitleText(MakeDate(5, 12, 31))), "0005年12月31日 土");
  EXPECT_EQ(Cp932ToUtf8(DateLabelText(MakeDate(999, 12, 31))), "0999/12/31 (火)");
}

}  // namespace
}  // namespace purselog
