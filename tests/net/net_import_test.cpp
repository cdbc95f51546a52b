#include "net/net_import.h"

#include <gtest/gtest.h>

#include "core/text_codec.h"
#include "support/temp_dir.h"

namespace purselog {
namespace {

using testing::ListDir;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

std::string S(std::string_view utf8) { return Utf8ToCp932(utf8); }

TEST(NetImport, QueryEncoding) {
  const std::pair<std::string, std::string> cases[] = {
      {"a&b", "a%26b"},
      {"p?q%r", "p%3fq%25r"},
      {"= + /", "=%20+%20/"},
      {"#\r\n\t\x7f", "%23%0d%0a%09%7f"},
      {S("山田"), "%8eR%93c"},  // every byte from 0x80 on, and only those
      {std::string("a\0b", 3), "a%00b"},
  };
  for (const auto& [plain, encoded] : cases) EXPECT_EQ(EncodeQueryValue(plain), encoded) << plain;
  EXPECT_EQ(ServiceRequestUrl("http://h/money/purselog.cgi", "a&b", "p?", false),
            "http://h/money/purselog.cgi?action=get&id=a%26b&pass=p%3f&remove=0");
  EXPECT_EQ(ServiceRequestUrl("u", "", "", true), "u?action=get&id=&pass=&remove=1");
}

TEST(NetImport, LogTexts) {
  EXPECT_EQ(ReceivedLogText(1234), "Received 1234 bytes");
  EXPECT_EQ(FailedLogText(404, "Connection aborted on request"),
            "Failed : 404 Connection aborted on request");
  EXPECT_EQ(CheckLogLines({}), std::vector<std::string>{S("データはありません。")});
  // Lines of blanks only are no data either.
  EXPECT_EQ(CheckLogLines({"", " \t"}),
            (std::vector<std::string>{"", " \t", S("データはありません。")}));
  EXPECT_EQ(
      CheckLogLines({"x", ""}),
      (std::vector<std::string>{"x", "", "---", S("以上のデータでよろしいですか？"),
                                S("よろしければ下の「データ取り込みボタン」を押してください。"),
                                S("取り込んだデータは、サーバから削除されます。")}));
}

TEST(NetImport, MergeAppendsValidLinesAfterEachDaysEntriesAndSkipsTheRest) {
  TempDir dir;
  const std::filesystem::path data = dir / "data";
  std::filesystem::create_directory(data);
  WriteBytes(data / "202401.csv", S("20240116,日用品,洗剤,300,\r\n"
                                    "20240115,食費,お米,2000,\r\n"
                                    "20240131,食費,x,1,\r\n"));
  const std::string answer =
      S("20240115,食費,昼食,800,\r\n"
        "20240116,日用品,ペット用品,450,\r\n"
        "20240115,給料,給与,250000,bonus,extra\r\n"  // six fields: the sixth is dropped
        "20240201,食費,夕食,1200\r\n"                // four fields: an empty memo
        "20240230,食費,x,1,\r\n"                     // no such day
        "2024011,食費,x,1,\r\n"                      // not eight digits
        "202401150,食費,x,1,\r\n"
        "+2024011,食費,x,1,\r\n"
        "20240115,交際費,x,1,\r\n"  // not in the table
        "20240115,食費,x,12a,\r\n"  // amounts must be integer texts
        "20240115,食費,x,1.5,\r\n"
        "20240115,食費,,100,\r\n"  // no description: not kept
        "date,category,description,amount,memo\r\n"
        "20240115,\x81\xff,x,1,\r\n"  // invalid bytes
        "20240115,食費,x\r\n") +
      std::string(200'000, 'z') + "\r\n" + S("20240115,食費,昼食,900,\"two words\"\r\n");
  WriteBytes(dir / "~net.dat", answer);

  MergeNetAnswer(dir / "~net.dat", data, LoadCategories(PURSELOG_CATEGORY_FILE));

  EXPECT_EQ(ReadBytes(data / "202401.csv"), S("20240131,食費,x,1,\r\n"
                                              "20240116,日用品,洗剤,300,\r\n"
                                              "20240116,日用品,ペット用品,450,\r\n"
                                              "20240115,食費,お米,2000,\r\n"
                                              "20240115,食費,昼食,800,\r\n"
                                              "20240115,給料,給与,250000,bonus\r\n"
                                              "20240115,食費,昼食,900,\"two words\"\r\n"));
  EXPECT_EQ(ReadBytes(data / "202402.csv"), S("20240201,食費,夕食,1200,\r\n"));
  EXPECT_EQ(ListDir(data), "202401.csv|202402.csv");

  // Nothing received: nothing changes.
  MergeNetAnswer(dir / "missing.dat", data, LoadCategories(PURSELOG_CATEGORY_FILE));
  EXPECT_EQ(ListDir(data), "202401.csv|202402.csv");
}

}  // namespace
}  // namespace purselog
