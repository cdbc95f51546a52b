#include "tools/netservice/service.h"

#include <gtest/gtest.h>

#include "core/text_codec.h"
#include "support/temp_dir.h"

namespace purselog {
namespace {

using testing::ListDir;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

std::string Status(const ServiceAnswer& answer) {
  return std::to_string(answer.status) + " " + answer.reason;
}

TEST(NetService, KeepsDeliversAndDeletesTheEntriesOfEachId) {
  TempDir dir;
  const auto ask = [&dir](const std::string& query) {
    return HandleServiceRequest(dir.path(), "/money/purselog.cgi?" + query);
  };
  // The first add of an ID creates it with its password; the line arrives in UTF-8.
  EXPECT_EQ(Status(ask("action=add&id=taro&pass=p+w&line=20240115,%E9%A3%9F%E8%B2%BB,x,800,")),
            "200 OK");
  EXPECT_EQ(ReadBytes(dir / "taro" / "password"), "p+w\r\n");
  EXPECT_EQ(Status(ask("action=add&id=taro&pass=other&line=x")), "401 Wrong password");
  WriteBytes(dir / "taro" / "zz.csv", Utf8ToCp932("20240116,交通費,バス,220,\r\n"));
  WriteBytes(dir / "taro" / "note.txt", "not an entry file");

  EXPECT_EQ(Status(ask("action=get&id=taro&pass=pw&remove=1")), "401 Wrong password");
  EXPECT_EQ(Status(ask("action=get&id=hanako&pass=p+w&remove=1")), "404 Unknown ID");
  EXPECT_EQ(Status(HandleServiceRequest(dir.path(), "/other?action=get&id=taro")), "404 Not Found");
  const std::string waiting = Utf8ToCp932("20240115,食費,x,800,\r\n20240116,交通費,バス,220,\r\n");
  EXPECT_EQ(ask("action=get&id=taro&pass=p+w&remove=0").body, waiting);
  EXPECT_EQ(ask("action=get&id=taro&pass=p+w&remove=1").body, waiting);
  EXPECT_EQ(ListDir(dir / "taro"), "note.txt|password");
  EXPECT_EQ(ask("action=get&id=taro&pass=p+w&remove=1").body, "");

  EXPECT_EQ(IdFolderName(Utf8ToCp932("山田")), "%8eR%93c");
  EXPECT_EQ(IdFolderName("../a b"), "%2e%2e%2fa%20b");
  EXPECT_EQ(ServiceAnswerBytes({401, "Wrong password", ""}),
            "HTTP/1.0 401 Wrong password\r\nContent-Type: text/plain; charset=Shift_JIS\r\n"
            "Content-Length: 0\r\n\r\n");
}

}  // namespace
}  // namespace purselog
