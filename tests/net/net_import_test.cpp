#include "net/net_import.h"

#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/text_codec.h"
#include "support/file_faults.h"
#include "support/temp_dir.h"

namespace purselog {
namespace {

using testing::FileFault;
using testing::FileFaultPlan;
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
  EXPECT_EQ(FailedLogText(404, "Connection aborted on request"),
            "Failed : 404 Connection aborted on request");
  const std::vector<std::string> question = {
      "---", S("以上のデータでよろしいですか？"),
      S("よろしければ下の「データ取り込みボタン」を押してください。"),
      S("取り込んだデータは、サーバから削除されます。")};
  const auto with_question = [&question](std::vector<std::string> lines) {
    lines.insert(lines.end(), question.begin(), question.end());
    return lines;
  };
  std::string long_answer;
  for (int i = 1; i <= 1002; ++i) long_answer += std::to_string(i) + "\r\n";
  std::vector<std::string> first_lines;
  for (int i = 1; i <= 1000; ++i) first_lines.push_back(std::to_string(i));
  first_lines.push_back(S("（ほかに 2 行）"));
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"", {S("データはありません。")}},
      // Lines of blanks only are no data either.
      {"\r\n \t", {"", " \t", S("データはありません。")}},
      {"x\r\n\r\n", with_question({"x", ""})},
      // A NUL byte is shown, and so is every line after it.
      {std::string("a\0b\nc", 5), with_question({"a^@b", "c"})},
      {long_answer, with_question(first_lines)},
  };
  for (const auto& [answer, lines] : cases) EXPECT_EQ(CheckLogLines(answer), lines) << answer;
}

TEST(NetImport, JudgesEachLine) {
  const CategoryTable categories = LoadCategories(PURSELOG_CATEGORY_FILE);
  const std::pair<std::string, NetLineFault> cases[] = {
      {S("20240115,食費,昼食,800,メモ"), NetLineFault::kNone},
      {S("20240115,食費,昼食,800"), NetLineFault::kNone},
      {S("20240115,給料,給与,250000,bonus,extra"), NetLineFault::kNone},
      {S("20240115,食費,昼食,900,\"two words\""), NetLineFault::kNone},
      {" \t", NetLineFault::kBlank},
      {std::string("20240115,a\0b,x,1,", 17), NetLineFault::kNulByte},
      {S("20240230,食費,x,1,"), NetLineFault::kBadDate},
      {S("00000105,食費,x,1,"), NetLineFault::kBadDate},  // a real day has a year from 1
      {S("2024011,食費,x,1,"), NetLineFault::kBadDate},
      {"date,category,description,amount,memo", NetLineFault::kBadDate},
      {S("20240115,食費,昼食 2,800,"), NetLineFault::kSplitWithoutComma},
      {S("20240115,食費,昼食,800,two words"), NetLineFault::kSplitWithoutComma},
      {S("20240115,食費,\"a\"b,800,"), NetLineFault::kSplitWithoutComma},
      {S("20240115,交際費,x,1,"), NetLineFault::kUnknownCategory},
      {S("20240115,食費,x,12a,"), NetLineFault::kBadAmount},
      {S("20240115,食費,x,1.5,"), NetLineFault::kBadAmount},
      {S("20240115,食費,,100,"), NetLineFault::kNoDescription},
  };
  for (const auto& [line, fault] : cases) {
    const std::vector<NetLine> lines = ReadNetAnswer(line + "\r\n", categories);
    ASSERT_EQ(lines.size(), 1u) << line;
    EXPECT_EQ(lines[0].fault, fault) << line;
  }
}

// An answer over two months, with lines that cannot be merged among its entries.
struct ImportCase {
  const char* name;
  TempDir dir;
  ProgramPaths paths{dir.path()};
  CategoryTable categories = LoadCategories(PURSELOG_CATEGORY_FILE);
  std::string answer = S("20240115,食費,昼食,800,\r\n"
                         "20240116,日用品,ペット用品,450,\r\n"
                         "20240230,食費,x,1,\r\n"
                         "20240115,給料,給与,250000,bonus,extra\r\n"
                         "\r\n"
                         " \"20240201\",食費,夕食,1200\r\n"
                         "20240115,食費,昼食 2,800,\r\n") +
                       std::string("20240115,a\0b,x,1,\r\n", 19) + S("20240115,食費,,100,");
  ImportCase() {
    std::filesystem::create_directory(paths.DataDir());
    WriteBytes(paths.DataDir() / "202401.csv", S("20240116,日用品,洗剤,300,\r\n"
                                                 "20240115,食費,お米,2000,\r\n"
                                                 "20240131,食費,x,1,\r\n"));
    WriteBytes(paths.program_dir / "net_unmerged.txt", "earlier\r\n");
  }
  std::string Files() const {
    return ReadBytes(paths.DataDir() / "202401.csv") + "|" +
           ReadBytes(paths.DataDir() / "202402.csv") + "|" + ReadBytes(NetUnmergedFile(paths)) +
           "|" + ListDir(paths.program_dir);
  }
};

const std::string kMergedFiles = S("20240131,食費,x,1,\r\n"
                                   "20240116,日用品,洗剤,300,\r\n"
                                   "20240116,日用品,ペット用品,450,\r\n"
                                   "20240115,食費,お米,2000,\r\n"
                                   "20240115,食費,昼食,800,\r\n"
                                   "20240115,給料,給与,250000,bonus\r\n"
                                   "|20240201,食費,夕食,1200,\r\n"
                                   "|earlier\r\n"
                                   "20240230,食費,x,1,\r\n"
                                   "20240115,食費,昼食 2,800,\r\n") +
                                 std::string("20240115,a\0b,x,1,\r\n", 19) +
                                 S("20240115,食費,,100,\r\n") + "|data|net_unmerged.txt";

TEST(NetImport, MergesEachEntryAfterItsDaysEntriesAndKeepsEveryOtherLine) {
  ImportCase c;
  const NetImportReport report = ImportNetAnswer(c.answer, c.paths, c.categories);
  EXPECT_EQ(c.Files(), kMergedFiles);
  EXPECT_EQ(
      ImportLogLines(report),
      (std::vector<std::string>{
          S("4 件を取り込みました。"),
          S("取り込めなかった 4 行を、プログラムのフォルダの net_unmerged.txt に残しました。"),
          S("3 行目: 日付が正しくありません: 20240230,食費,x,1,"),
          S("7 行目: カンマ以外（引用符のない空白など）で項目が分かれています: "
            "20240115,食費,昼食 2,800,"),
          S("8 行目: NUL 文字が含まれています: 20240115,a^@b,x,1,"),
          S("9 行目: 摘要が空です: 20240115,食費,,100,")}));
  EXPECT_FALSE(CompleteNetImport(c.paths, c.categories));
}

// A merge that stops at any write is completed from its journal, each line merged once; a month
// file changed meanwhile by something else keeps its bytes, and its entries are kept instead.
TEST(NetImport, AMergeCutShortIsCompletedWithoutDoubles) {
  for (int stop = 1; stop <= 4; ++stop) {  // the planned journal, January, February, the kept
    ImportCase c;
    {
      FileFaultPlan plan({{FileStep::kRename, stop + 1, 1, ENOSPC}});
      EXPECT_THROW(ImportNetAnswer(c.answer, c.paths, c.categories), FileError) << stop;
    }
    ASSERT_TRUE(NetImportPending(c.paths));
    EXPECT_THROW(BeginNetImport("20240101,x,y,1,\r\n", c.paths), AppError);
    const std::optional<NetImportReport> report = CompleteNetImport(c.paths, c.categories);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->merged, 4);
    EXPECT_EQ(report->kept.size(), 4u);
    EXPECT_EQ(c.Files(), kMergedFiles) << stop;
  }
  ImportCase c;
  {
    FileFaultPlan plan({{FileStep::kRename, 1, 1, ENOSPC, "202402.csv"}});
    EXPECT_THROW(ImportNetAnswer(c.answer, c.paths, c.categories), FileError);
  }
  WriteBytes(c.paths.DataDir() / "202402.csv", "typed\r\n");
  const std::optional<NetImportReport> report = CompleteNetImport(c.paths, c.categories);
  ASSERT_TRUE(report);
  EXPECT_EQ(report->merged, 3);
  EXPECT_EQ(ReadBytes(c.paths.DataDir() / "202402.csv"), "typed\r\n");
  EXPECT_EQ(report->kept.size(), 5u);
  EXPECT_EQ(report->kept[1].fault, NetLineFault::kFileChanged);
  const std::string kept = kMergedFiles.substr(kMergedFiles.find("|earlier") + 1);
  EXPECT_EQ(ReadBytes(NetUnmergedFile(c.paths)),
            kept.substr(0, kept.find('|')) + S(" \"20240201\",食費,夕食,1200\r\n"));
}

}  // namespace
}  // namespace purselog
