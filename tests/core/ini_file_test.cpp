#include "core/ini_file.h"

#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <filesystem>

#include "core/text_codec.h"
#include "support/temp_dir.h"

namespace purselog {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

TEST(IniFile, MissingFileSectionOrKeyGivesTheDefault) {
  TempDir dir;
  IniFile ini(dir / "ini.ini");
  EXPECT_EQ(ini.ReadInteger("setting", "sime", 0), 0);
  EXPECT_EQ(ini.ReadString("net", "id", "none"), "none");
  EXPECT_FALSE(std::filesystem::exists(dir / "ini.ini"));  // reading never creates it

  WriteBytes(dir / "ini.ini", "[setting]\r\nsime=5\r\n");
  EXPECT_EQ(ini.ReadInteger("ExtImg", "num", 7), 7);
  EXPECT_EQ(ini.ReadInteger("setting", "other", 3), 3);
}

TEST(IniFile, IntegersReadHexadecimalAndFallBackToTheDefault) {
  TempDir dir;
  WriteBytes(dir / "ini.ini",
             "[Setting]\r\n"
             "SIME = 0xA\r\n"
             "a=0X1f\r\n"
             "b=$ff\r\n"
             "c=word\r\n"
             "d=-12\r\n"
             "e=0x\r\n"
             "f=12 \r\n"
             "g=99999999999\r\n"
             "h=\r\n"
             "i=\"42\"\r\n");
  IniFile ini(dir / "ini.ini");
  EXPECT_EQ(ini.ReadInteger("setting", "sime", 0), 10);
  EXPECT_EQ(ini.ReadInteger("setting", "a", 0), 31);
  EXPECT_EQ(ini.ReadInteger("setting", "b", 0), 255);
  EXPECT_EQ(ini.ReadInteger("setting", "c", -1), -1);
  EXPECT_EQ(ini.ReadInteger("setting", "d", 0), -12);
  EXPECT_EQ(ini.ReadInteger("setting", "e", 4), 4);
  EXPECT_EQ(ini.ReadInteger("setting", "f", 4), 12);  // blanks around a value are not part of it
  EXPECT_EQ(ini.ReadInteger("setting", "g", 4), 4);
  EXPECT_EQ(ini.ReadInteger("setting", "h", 4), 4);
  EXPECT_EQ(ini.ReadInteger("setting", "i", 4), 42);
}

TEST(IniFile, TextValuesAreCutAt1023Bytes) {
  TempDir dir;
  const std::string kanji = Utf8ToCp932("食");  // two bytes
  std::string long_value;
  for (int i = 0; i < 600; ++i) long_value += kanji;
  WriteBytes(dir / "ini.ini",
             "[net]\r\nid=" + long_value + "\r\nurl=" + std::string(2000, 'u') + "\r\n");
  IniFile ini(dir / "ini.ini");
  EXPECT_EQ(ini.ReadString("net", "url", ""), std::string(1023, 'u'));
  const std::string id = ini.ReadString("net", "id", "");
  EXPECT_EQ(id.size(), 1022u);  // never half a character
  EXPECT_EQ(id, long_value.substr(0, 1022));
}

TEST(IniFile, WritesGoStraightToTheFileKeepingOtherLines) {
  TempDir dir;
  IniFile ini(dir / "ini.ini");
  ini.WriteString("setting", "clipbmp", "");
  ini.WriteInteger("setting", "displayclip", 0);
  ini.WriteInteger("ExtImg", "num", 2);
  ini.WriteInteger("setting", "sime", 25);
  EXPECT_EQ(ReadBytes(dir / "ini.ini"),
            "[setting]\r\nclipbmp=\r\ndisplayclip=0\r\nsime=25\r\n[ExtImg]\r\nnum=2\r\n");

  // A hand-edited file: comments, odd bytes and other sections survive; keys match any case.
  const std::string sjis_comment = "; " + Utf8ToCp932("設定") + "\xff";
  WriteBytes(dir / "ini.ini", sjis_comment + "\n[SETTING]\nSime=3\n\n[net]\nurl=x\n");
  ini.WriteInteger("setting", "sime", 10);
  ini.WriteString("Setting", "new", "v");
  ini.WriteString("net", "id", Utf8ToCp932("山田"));
  EXPECT_EQ(ReadBytes(dir / "ini.ini"), sjis_comment + "\r\n[SETTING]\r\nsime=10\r\nnew=v\r\n\r\n" +
                                            "[net]\r\nurl=x\r\nid=" + Utf8ToCp932("山田") + "\r\n");
  EXPECT_EQ(ini.ReadInteger("SeTTinG", "SIME", 0), 10);
  EXPECT_EQ(ini.ReadString("NET", "ID", ""), Utf8ToCp932("山田"));
}

// Counts the files renamed into a directory under a name: one per atomic rewrite.
class RewriteCounter {
 public:
  explicit RewriteCounter(const std::filesystem::path& dir)
      : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    inotify_add_watch(fd_, dir.c_str(), IN_MOVED_TO);
  }
  ~RewriteCounter() { close(fd_); }
  int Count(std::string_view name) {
    alignas(inotify_event) char buffer[4096];
    int count = 0;
    for (ssize_t n; (n = read(fd_, buffer, sizeof buffer)) > 0;) {
      for (ssize_t at = 0; at < n;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
        if (event->len > 0 && name == event->name) ++count;
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      }
    }
    return count;
  }

 private:
  int fd_;
};

TEST(IniFile, WriteValuesPutsEveryValueWhereASingleWriteWouldInOneRewrite) {
  using namespace std::string_literals;
  TempDir dir;
  const std::string hand_edited = "; note\n[SETTING]\nSime=3\n\n[net]\nurl=x\n\0kept\r\n"s;
  const std::vector<IniValue> shutdown = {{"setting", "clipbmp", ""},
                                          IniValue::Integer("setting", "displayclip", 0),
                                          IniValue::Integer("ExtImg", "num", 2),
                                          IniValue::Integer("setting", "sime", 25),
                                          {"ExtImg", "0", "a.bmp"},
                                          {"ExtImg", "num", "1"}};
  WriteBytes(dir / "ini.ini", hand_edited);
  RewriteCounter rewrites(dir.path());
  IniFile(dir / "ini.ini").WriteValues(shutdown);
  EXPECT_EQ(rewrites.Count("ini.ini"), 1);
  const std::string expected =
      "; note\r\n[SETTING]\r\nsime=25\r\nclipbmp=\r\ndisplayclip=0\r\n\r\n[net]\r\nurl=x\r\n"
      "[ExtImg]\r\nnum=1\r\n0=a.bmp\r\n\0kept\r\n"s;
  EXPECT_EQ(ReadBytes(dir / "ini.ini"), expected);

  // The same as one write per value, in order.
  WriteBytes(dir / "single.ini", hand_edited);
  IniFile single(dir / "single.ini");
  for (const IniValue& value : shutdown) single.WriteString(value.section, value.key, value.value);
  EXPECT_EQ(ReadBytes(dir / "single.ini"), expected);

  // Nothing to write: the file is not touched; a failed write changes nothing.
  IniFile(dir / "ini.ini").WriteValues({});
  EXPECT_EQ(rewrites.Count("ini.ini"), 0);
  std::filesystem::create_directory(dir / "dir.ini");
  EXPECT_THROW(IniFile(dir / "dir.ini").WriteValues(shutdown), IniWriteError);
  EXPECT_TRUE(std::filesystem::is_empty(dir / "dir.ini"));
}

TEST(IniFile, AFailedWriteSaysWhichFile) {
  TempDir dir;
  std::filesystem::create_directory(dir / "ini.ini");  // a directory where the file should be
  IniFile ini(dir / "ini.ini");
  try {
    ini.WriteInteger("setting", "sime", 1);
    FAIL() << "no error";
  } catch (const IniWriteError& error) {
    EXPECT_EQ(std::string(error.what()), (dir / "ini.ini").string() + " に書き込めません");
  }
  EXPECT_THROW(ini.ReadInteger("setting", "sime", 0), FileError);
}

}  // namespace
}  // namespace purselog
