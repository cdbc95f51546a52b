#include "core/text_codec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
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

// An invalid byte reads as U+FFFD whichever direction a thread converted first.
TEST(TextCodec, AnInvalidByteIsAlwaysTheReplacementCharacter) {
  std::string first;
  std::string after_encoding;
  std::thread([&] {
    first = Cp932ToUtf8("\xff");
    Utf8ToCp932("a😀");
    after_encoding = Cp932ToUtf8("\xff");
  }).join();
  EXPECT_EQ(first, "\xef\xbf\xbd");
  EXPECT_EQ(after_encoding, "\xef\xbf\xbd");
}

TEST(TextCodec, UnicodeFormsOfWindowsKeysGetTheirCodePage932Bytes) {
  // 時 is 0x8E 0x9E; the wave dash of Linux input methods becomes the CP932 wave dash ～.
  EXPECT_EQ(Utf8ToCp932("10時〜12時"),
            "10\x8e\x9e\x81\x60"
            "12\x8e\x9e");
  EXPECT_EQ(Utf8ToCp932("−‖¢£¬—"), "\x81\x7c\x81\x61\x81\x91\x81\x92\x81\xca\x81\x5c");
  EXPECT_EQ(Utf8ToCp932("－∥￠￡￢―"), Utf8ToCp932("−‖¢£¬—"));  // the forms Windows keys give
  EXPECT_EQ(Cp932Counterpart(U'a'), U'a');

  // What still has no form is found before it turns into "?".
  EXPECT_EQ(FirstUnencodableCharacter("10時〜12時 −‖¢£¬— ①"), std::nullopt);
  EXPECT_EQ(FirstUnencodableCharacter(""), std::nullopt);
  EXPECT_EQ(FirstUnencodableCharacter("café😀"), U'é');
  EXPECT_EQ(FirstUnencodableCharacter("a😀é"), U'\U0001F600');
  EXPECT_EQ(FirstUnencodableCharacter("ok\xff"), U'\uFFFD');  // invalid UTF-8
  EXPECT_EQ(Utf8ToCp932("café"), "caf?");
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
