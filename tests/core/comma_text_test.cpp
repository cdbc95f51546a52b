#include "core/comma_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace purselog {
namespace {

using Fields = std::vector<std::string>;

struct SplitCase {
  const char* name;
  std::string line;
  Fields fields;
};

class SplitCommaTextTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitCommaTextTest, GivesTheFieldsOfTheDialect) {
  EXPECT_EQ(SplitCommaText(GetParam().line), GetParam().fields);
}

// "食費" in Shift_JIS, and "ソ" whose trail byte is the backslash.
const std::string kFood = "\x90\x48\x94\xef";
const std::string kSo = "\x83\x5c";

INSTANTIATE_TEST_SUITE_P(
    Dialect, SplitCommaTextTest,
    ::testing::Values(SplitCase{"entry",
                                "20240105," + kFood + ",lunch,1200,",
                                {"20240105", kFood, "lunch", "1200"}},
                      SplitCase{"blank_separates", "a b", {"a", "b"}},
                      SplitCase{"tab_separates", "a\tb", {"a", "b"}},
                      SplitCase{"blanks_around_dropped", "  a ,  b  ", {"a", "b"}},
                      SplitCase{"two_commas_empty_between", "a,,b", {"a", "", "b"}},
                      SplitCase{"leading_comma_empty_first", ",a", {"", "a"}},
                      SplitCase{"trailing_comma_no_field", "a,b,", {"a", "b"}},
                      SplitCase{"empty_line", "", {}}, SplitCase{"blank_line", " \t  ", {}},
                      SplitCase{"quoted_with_comma_and_blank", "\"a, b\",c", {"a, b", "c"}},
                      SplitCase{"doubled_quote", "\"say \"\"hi\"\"\",x", {"say \"hi\"", "x"}},
                      SplitCase{"empty_quoted", "\"\"", {""}},
                      SplitCase{"text_after_closing_quote", "\"ab\"cd,e", {"ab", "cd", "e"}},
                      SplitCase{"unclosed_quote_drops_last_byte", "x,\"abc", {"x", "ab"}},
                      SplitCase{"unclosed_quote_one_byte", "\"a", {""}},
                      SplitCase{"unclosed_quote_nothing", "\"", {""}},
                      SplitCase{"unclosed_keeps_pairs", "\"a\"\"b", {"a\"\""}},
                      SplitCase{"unclosed_two_bytes", "x \"ab", {"x", "a"}},
                      SplitCase{"unclosed_ends_in_pair", "\"a\"\"", {"a\""}},
                      SplitCase{"unclosed_nul_ends", std::string("\"a\"\"bc\0d\"", 9), {"a\"\"b"}},
                      SplitCase{"quote_inside_plain_field", "ab\"c,d", {"ab\"c", "d"}},
                      SplitCase{"nul_ends_line", std::string("a,b\0,c", 6), {"a", "b"}},
                      SplitCase{"sjis_trail_backslash", kSo + "," + kSo, {kSo, kSo}},
                      SplitCase{"invalid_bytes_kept", "\xff\x80,\xfd", {"\xff\x80", "\xfd"}}),
    [](const ::testing::TestParamInfo<SplitCase>& param_info) { return param_info.param.name; });

TEST_P(SplitCommaTextTest, FirstFieldAgreesWithTheSplit) {
  const Fields& fields = GetParam().fields;
  const std::string candidates[] = {fields.empty() ? "" : fields[0], "20240105", "", "a"};
  for (const std::string& text : candidates) {
    EXPECT_EQ(FirstCommaFieldEquals(GetParam().line, text), !fields.empty() && fields[0] == text)
        << "first field against \"" << text << "\"";
  }
}

// Only where a blank or a closing quote, not a comma, ends a field.
TEST_P(SplitCommaTextTest, TellsAFieldSplitWithoutAComma) {
  CommaTextCursor cursor(GetParam().line);
  for (std::string field; cursor.Next(field);) {
  }
  const std::string name = GetParam().name;
  EXPECT_EQ(cursor.SplitWithoutComma(), name == "blank_separates" || name == "tab_separates" ||
                                            name == "text_after_closing_quote" ||
                                            name == "unclosed_two_bytes");
}

// The first n fields of the split, as LeadingFields must give them.
Fields Leading(const Fields& fields, std::size_t n) {
  return Fields(fields.begin(), fields.begin() + static_cast<long>(std::min(n, fields.size())));
}

Fields LeadingFieldsOf(std::string_view line, std::size_t n) {
  std::vector<std::string_view> views(n);
  std::vector<std::string> scratch(n);
  const std::size_t count = LeadingFields(line, views, scratch);
  return Fields(views.begin(), views.begin() + static_cast<long>(count));
}

TEST_P(SplitCommaTextTest, LeadingFieldsAgreeWithTheSplit) {
  for (std::size_t n = 1; n <= 5; ++n) {
    EXPECT_EQ(LeadingFieldsOf(GetParam().line, n), Leading(GetParam().fields, n)) << n;
  }
}

TEST(JoinCommaText, QuotesOnlyWhatNeedsIt) {
  EXPECT_EQ(JoinCommaText({"20240105", kFood, "lunch", "1200", ""}),
            "20240105," + kFood + ",lunch,1200,");
  EXPECT_EQ(JoinCommaText({"a b", "x\"y", "c,d", "\t"}), "\"a b\",\"x\"\"y\",\"c,d\",\"\t\"");
  EXPECT_EQ(JoinCommaText({""}), "\"\"");
  EXPECT_EQ(JoinCommaText({"", ""}), ",");
  EXPECT_EQ(JoinCommaText({}), "");
  EXPECT_EQ(JoinCommaText({kSo, "\x7f"}), kSo + ",\x7f");
}

TEST(JoinCommaText, SplitGivesTheFieldsBackButATrailingEmptyOne) {
  const Fields fields = {"20240105", "a \"q\" b", "x,y", "-12.5", "memo with blank"};
  EXPECT_EQ(SplitCommaText(JoinCommaText(fields)), fields);
  EXPECT_EQ(SplitCommaText(JoinCommaText({"k", "c", "d", "1", ""})), (Fields{"k", "c", "d", "1"}));
}

TEST(IsIntegerText, AcceptsThirtyTwoBitIntegersOnly) {
  for (const char* yes : {"20240105", "0", "  42", "+7", "-7", "2147483647", "-2147483647",
                          "0002147483647", "$7fffffff", "$FFFFFFFF", "$a", " $1F"}) {
    EXPECT_TRUE(IsIntegerText(yes)) << yes;
  }
  for (const char* no :
       {"", " ", "2024/01/05", "12ab", "12 ", "2147483648", "-2147483648", "99999999999", "+", "-",
        "$", "$123456789", "$g", "-$1", "1.0", "\t1", "１２"}) {
    EXPECT_FALSE(IsIntegerText(no)) << no;
  }
  EXPECT_EQ(ParseIntegerText("$FFFFFFFF"), -1);
  EXPECT_EQ(ParseIntegerText(" -12"), -12);
  // Date keys, read eight digits at once.
  EXPECT_EQ(ParseIntegerText("20241231"), 20241231);
  EXPECT_EQ(ParseIntegerText("00000000"), 0);
  EXPECT_EQ(ParseIntegerText("99999999"), 99999999);
  EXPECT_EQ(ParseIntegerText("01234567"), 1234567);
  for (const char* no : {"2024123a", "2024:231", "2024/231", "/0241231", " 2024123", "2024123",
                         "202412310", "\xb0\x30\x30\x30\x30\x30\x30\x30"}) {
    EXPECT_EQ(EightDigitText(no), std::nullopt) << no;
  }
}

}  // namespace
}  // namespace purselog

namespace purselog {
namespace {

// Random fields of the bytes that matter to the dialect (quotes, commas, blanks, control bytes,
// Shift_JIS lead and trail bytes): joining and splitting must give them back.
TEST(CommaText, RandomFieldsSurviveJoinAndSplit) {
  std::mt19937 random(20240105);
  const std::string alphabet = std::string(
      "\"\", \t\x01\x1f\x7f\x83\x5c\x81\xa3\xff"
      "ab09-.",
      19);
  for (int round = 0; round < 2000; ++round) {
    Fields fields(1 + random() % 6);
    for (std::string& field : fields) {
      const std::size_t length = random() % 6;
      for (std::size_t i = 0; i < length; ++i)
        field.push_back(alphabet[random() % alphabet.size()]);
    }
    if (fields.back().empty()) fields.back() = "x";  // a trailing empty field is lost by design
    const std::string line = JoinCommaText(fields);
    ASSERT_EQ(SplitCommaText(line), fields) << line;
    ASSERT_TRUE(FirstCommaFieldEquals(line, fields[0])) << line;
  }
}

// Random lines of those bytes, NUL included, joined or not: the leading fields are the split's.
TEST(CommaText, LeadingFieldsOfRandomLinesAgreeWithTheSplit) {
  std::mt19937 random(20241231);
  const std::string alphabet(
      "\"\", \t\0\x01\x1f\x20\x7f\x83\x5c\x81\xa3\xff"
      "ab09-.,,,",
      24);
  for (int round = 0; round < 20000; ++round) {
    std::string line;
    const std::size_t length = random() % 40;
    for (std::size_t i = 0; i < length; ++i) line.push_back(alphabet[random() % alphabet.size()]);
    const std::size_t n = 1 + random() % 5;
    ASSERT_EQ(LeadingFieldsOf(line, n), Leading(SplitCommaText(line), n)) << line;
  }
}

}  // namespace
}  // namespace purselog
