#include "core/text_codec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace purselog {
namespace {

TEST(TextCodec, ConvertsCodePage932BothWays) {
  EXPECT_EQ(Utf8ToCp932("食費"), "\x90\x48\x94\xef");
  EXPECT_EQ(Utf8ToCp932("ソ表"), "\x83\x5c\x95\x5c");
  EXPECT_EQ(Cp932ToUtf8("\x8e\xfb\x93\xfc"), "収入");
  EXPECT_EQ(Utf8ToCp932("①～"), "\x87\x40\x81\x60");
  EXPECT_EQ(Cp932ToUtf8("\x87\x40\x81\x60"), "①～");
  EXPECT_EQ(Cp932ToUtf8("a\xff"
                        "b"),
            "a\xef\xbf\xbd"
            "b");  // U+FFFD
  EXPECT_EQ(Utf8ToCp932("a😀b"), "a?b");
  EXPECT_EQ(Cp932ToUtf8(""), "");
}

TEST(TextCodec, EqualityIgnoresCaseIncludingFullWidthLetters) {
  EXPECT_TRUE(EqualsIgnoreCase("Food", "fOOD"));
  EXPECT_TRUE(EqualsIgnoreCase(Utf8ToCp932("ＡＢＣ食費"), Utf8ToCp932("ａｂｃ食費")));
  EXPECT_TRUE(EqualsIgnoreCase(Utf8ToCp932("Ωmega"), Utf8ToCp932("ωMEGA")));
  EXPECT_FALSE(EqualsIgnoreCase(Utf8ToCp932("Ａ"), "a"));  // width is not case
  EXPECT_FALSE(EqualsIgnoreCase(Utf8ToCp932("食費"), Utf8ToCp932("外食")));
  EXPECT_FALSE(EqualsIgnoreCase("food", "foods"));
  EXPECT_TRUE(EqualsIgnoreCase("\xff", "\xff"));
  EXPECT_FALSE(EqualsIgnoreCase("\xff", "\xfe"));
  // Trail bytes that look like ASCII letters must not fold: 0x82 0x60 and 0x82 0x80 are
  // different characters.
  EXPECT_FALSE(EqualsIgnoreCase("\x82\x60", "\x82\x80"));
}

TEST(TextCodec, OrderingIgnoresCaseAndIsTotal) {
  EXPECT_EQ(CompareIgnoreCase("20240101,b", "20240101,B"), 1);  // tie broken by bytes
  EXPECT_LT(CompareIgnoreCase("20240101,apple", "20240101,Banana"), 0);
  EXPECT_LT(CompareIgnoreCase("20231231,z", "20240101,a"), 0);
  EXPECT_EQ(CompareIgnoreCase("abc", "abc"), 0);
  std::vector<std::string> lines = {"20240102,x", "20240101,Beta", "20240101,alpha"};
  std::sort(lines.begin(), lines.end(), [](const std::string& a, const std::string& b) {
    return SortKeyIgnoreCase(a) < SortKeyIgnoreCase(b);
  });
  EXPECT_EQ(lines, (std::vector<std::string>{"20240101,alpha", "20240101,Beta", "20240102,x"}));
}

}  // namespace
}  // namespace purselog
