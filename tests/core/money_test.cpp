#include "core/money.h"

#include <gtest/gtest.h>

#include "core/text_codec.h"

namespace purselog {
namespace {

std::int64_t Units(std::string_view text) { return AmountValue(text).units(); }

TEST(Money, ReadsDecimalAmountTexts) {
  EXPECT_EQ(Units("1200"), 12000000);
  EXPECT_EQ(Units("  -12.5  "), -125000);
  EXPECT_EQ(Units("+.5"), 5000);
  EXPECT_EQ(Units("3."), 30000);
  EXPECT_EQ(Units("."), 0);
  EXPECT_EQ(Units("1.5e3"), 15000000);
  EXPECT_EQ(Units("25E-2"), 2500);
  EXPECT_EQ(Units("1234.567"), 12345670);
  EXPECT_EQ(Units("0000000000000000000000001"), 10000);
  EXPECT_EQ(Units("922337203685477.5807"), INT64_MAX);
  EXPECT_EQ(Units("-922337203685477.5807"), -INT64_MAX);
  EXPECT_EQ(Units("-922337203685477.5808"), 0);  // no amount: its negation would not fit
}

TEST(Money, RoundsToFourDecimalsHalfToEven) {
  EXPECT_EQ(Units("0.00005"), 0);
  EXPECT_EQ(Units("0.00015"), 2);
  EXPECT_EQ(Units("0.00025"), 2);
  EXPECT_EQ(Units("0.000250001"), 3);
  EXPECT_EQ(Units("-0.00015"), -2);
  EXPECT_EQ(Units("0.00004999"), 0);
  EXPECT_EQ(Units("1e-30"), 0);
}

TEST(Money, AnythingElseCountsZero) {
  for (const char* bad :
       {"", " ", "1,200", "\\1200", "１２００", "12a", "1.2.3", "e5", "1e", "1e+", "--1", "+-1",
        "1 2", "922337203685477.5808", "-922337203685477.5808", "1e15", "1e99999", "\t1"}) {
    EXPECT_FALSE(IsValidAmountText(bad)) << bad;
    EXPECT_EQ(Units(bad), 0) << bad;
  }
  for (const char* good : {"0", "-5", "12.5", ".5", "1E2", " 7 ", "+3"}) {
    EXPECT_TRUE(IsValidAmountText(good)) << good;
  }
}

// The plain form is read at once; the general reading (which a leading blank forces) agrees.
TEST(Money, PlainAmountsReadAsTheGeneralReadingDoes) {
  for (const char* text : {"0",
                           "-0",
                           "+0",
                           "7",
                           "-7",
                           "+7",
                           "1200",
                           "12.5",
                           "-12.5",
                           ".5",
                           "-.5",
                           "5.",
                           "0.0001",
                           "1.2345",
                           "-1.2345",
                           "1.23456",
                           "1.00005",
                           "12345678901234",
                           "-12345678901234",
                           "123456789012345",
                           "12345678901234.9999",
                           "99999999999999.99995",
                           "00000000000000001",
                           "922337203685477.5807",
                           "-922337203685477.5808",
                           ".",
                           "-",
                           "+",
                           "",
                           "-.",
                           "1.2.",
                           "1-"}) {
    const std::string general = std::string(" ") + text;
    EXPECT_EQ(ParseAmount(text), ParseAmount(general)) << text;
    EXPECT_EQ(AmountValue(text), AmountValue(general)) << text;
  }
}

TEST(Money, PlainFormatAgreesWithTheGroupedOneWithoutItsCommas) {
  for (const MoneySumUnits units :
       {MoneySumUnits{0}, MoneySumUnits{1}, MoneySumUnits{-1}, MoneySumUnits{49}, MoneySumUnits{50},
        MoneySumUnits{-50}, MoneySumUnits{149}, MoneySumUnits{150}, MoneySumUnits{995},
        MoneySumUnits{9950}, MoneySumUnits{-9950}, MoneySumUnits{12345678},
        MoneySumUnits{INT64_MAX}, -MoneySumUnits{INT64_MAX}, MoneySumUnits{INT64_MIN},
        MoneySumUnits{INT64_MAX} + 1, MoneySumUnits{1} << 70, -(MoneySumUnits{1} << 90)}) {
    std::string grouped = FormatMoney(MoneySum::FromUnits(units), NumberPattern::kGrouped);
    std::erase(grouped, ',');
    EXPECT_EQ(FormatMoney(MoneySum::FromUnits(units), NumberPattern::kPlain), grouped)
        << static_cast<long long>(units);
  }
}

TEST(Money, FormatsPatternsWithHalvesAwayFromZero) {
  const auto m = [](std::string_view text) { return AmountValue(text); };
  EXPECT_EQ(FormatMoney(m("1234.5"), NumberPattern::kPlain), "1234.5");
  EXPECT_EQ(FormatMoney(m("0"), NumberPattern::kPlain), "0");
  EXPECT_EQ(FormatMoney(m("-12"), NumberPattern::kPlain), "-12");
  EXPECT_EQ(FormatMoney(m("100.125"), NumberPattern::kPlain), "100.13");
  EXPECT_EQ(FormatMoney(m("-100.125"), NumberPattern::kPlain), "-100.13");
  EXPECT_EQ(FormatMoney(m("100.124"), NumberPattern::kPlain), "100.12");
  EXPECT_EQ(FormatMoney(m("99.995"), NumberPattern::kPlain), "100");
  EXPECT_EQ(FormatMoney(m("-0.001"), NumberPattern::kPlain), "0");
  EXPECT_EQ(FormatMoney(m("1234.567"), NumberPattern::kGrouped), "1,234.57");
  EXPECT_EQ(FormatMoney(m("12000"), NumberPattern::kGrouped), "12,000");
  EXPECT_EQ(FormatMoney(m("-1234567.1"), NumberPattern::kGrouped), "-1,234,567.1");
  EXPECT_EQ(FormatMoney(m("999.999"), NumberPattern::kGrouped), "1,000");
  EXPECT_EQ(FormatMoney(m("0.05"), NumberPattern::kOneDecimal), "0.1");
  EXPECT_EQ(FormatMoney(m("12"), NumberPattern::kOneDecimal), "12.0");
  EXPECT_EQ(FormatMoney(m("12345.5"), NumberPattern::kGroupedWhole), "12,346");
  EXPECT_EQ(FormatMoney(Money::FromUnits(INT64_MIN), NumberPattern::kGrouped),
            "-922,337,203,685,477.58");
}

TEST(Money, FormatsDoublesWithoutBinaryNoise) {
  EXPECT_EQ(FormatNumber(0.0, NumberPattern::kOneDecimal), "0.0");
  EXPECT_EQ(FormatNumber(12.25, NumberPattern::kOneDecimal), "12.3");
  EXPECT_EQ(FormatNumber(-12.25, NumberPattern::kOneDecimal), "-12.3");
  EXPECT_EQ(FormatNumber(0.15, NumberPattern::kOneDecimal), "0.2");  // 0.1499999... in binary
  EXPECT_EQ(FormatNumber(1.0 / 3.0 * 100.0, NumberPattern::kOneDecimal), "33.3");
  EXPECT_EQ(FormatNumber(100000.0 / 2.0, NumberPattern::kGroupedWhole), "50,000");
  EXPECT_EQ(FormatNumber(2.5, NumberPattern::kGroupedWhole), "3");
  EXPECT_EQ(FormatNumber(1e-20, NumberPattern::kPlain), "0");
}

TEST(Money, DisplayTextHasTheYenByteAndTheTriangle) {
  const std::string triangle = "\x81\xa3";
  EXPECT_EQ(MoneyDisplayText(AmountValue("3800")), "\\3,800");
  EXPECT_EQ(MoneyDisplayText(AmountValue("-6000")), triangle + "\\6,000");
  EXPECT_EQ(MoneyDisplayText(AmountValue("1234.567")), "\\1,234.57");
  EXPECT_EQ(MoneyDisplayText(AmountValue("1234.5")), "\\1,234.5");
  EXPECT_EQ(MoneyDisplayText(Money()), "\\0");
  EXPECT_EQ(Cp932ToUtf8(MoneyDisplayText(AmountValue("-1"))), "▲\\1");
}

TEST(Money, SumsAreExact) {
  Money sum;
  for (int i = 0; i < 10; ++i) sum += AmountValue("0.1");
  EXPECT_EQ(sum, AmountValue("1"));
  EXPECT_EQ((AmountValue("5000") - AmountValue("1200")).units(), 38000000);
}

TEST(Money, SumsBeyondSixtyFourBitsStayExactAndNothingWraps) {
  const Money max = AmountValue("922337203685477.5807");
  MoneySum sum;
  for (int i = 0; i < 3; ++i) sum += max;
  sum -= -max;
  EXPECT_EQ(sum.units(), MoneySumUnits{INT64_MAX} * 4);
  EXPECT_EQ(FormatMoney(sum, NumberPattern::kGrouped), "3,689,348,814,741,910.32");
  EXPECT_EQ(FormatMoney(-sum, NumberPattern::kGroupedWhole), "-3,689,348,814,741,910");
  EXPECT_EQ(FormatMoney(-sum, NumberPattern::kOneDecimal), "-3689348814741910.3");
  EXPECT_EQ(Cp932ToUtf8(MoneyDisplayText(-sum)), "▲\\3,689,348,814,741,910.32");
  EXPECT_FALSE(sum.ToMoney());
  EXPECT_EQ(MoneySum(max).ToMoney(), max);
  EXPECT_LT(MoneySum(max), sum);
  EXPECT_EQ(Money() + sum, sum);

  // The far ends of both types: a result that does not fit throws instead of wrapping.
  const MoneySumUnits sum_min = -(MoneySumUnits{1} << 126) * 2;
  EXPECT_EQ(FormatMoney(MoneySum::FromUnits(sum_min), NumberPattern::kGrouped),
            "-17,014,118,346,046,923,173,168,730,371,588,410.57");
  EXPECT_THROW(-MoneySum::FromUnits(sum_min), MoneyRangeError);
  EXPECT_THROW(MoneySum::FromUnits(-(sum_min + 1)) + max, MoneyRangeError);
  EXPECT_THROW(-Money::FromUnits(INT64_MIN), MoneyRangeError);
  EXPECT_THROW(max + Money::FromUnits(1), MoneyRangeError);
  EXPECT_THROW(Money::FromWhole(INT64_MAX / 1000), MoneyRangeError);
  EXPECT_FALSE(sum.ToMoney().has_value());
}

}  // namespace
}  // namespace purselog
