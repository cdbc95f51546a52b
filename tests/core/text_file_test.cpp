#include "core/text_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace purselog {
namespace {

using testing::ListDir;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;
using Lines = std::vector<std::string>;

TEST(TextFile, LinesEndAtCrLfOrCrLfAndNulEndsTheText) {
  EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\r\nb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(SplitLines("a\n\nb\r\n"), (Lines{"a", "", "b"}));
  EXPECT_EQ(SplitLines("last without end"), (Lines{"last without end"}));
  EXPECT_EQ(SplitLines(""), Lines{});
  EXPECT_EQ(SplitLines("\r\n"), (Lines{""}));
  EXPECT_EQ(SplitLines("\n\r"), (Lines{"", ""}));
  EXPECT_EQ(SplitLines(std::string("a\r\nb\0c\r\nd", 9)), (Lines{"a", "b"}));
  EXPECT_EQ(SplitLines("\x83\x5c\r\n\xff\x01"), (Lines{"\x83\x5c", "\xff\x01"}));
}

TEST(TextFile, WriteLinesPutsCrLfAfterEveryLine) {
  TempDir dir;
  WriteLines(dir / "a.csv", {"x", "", "y"});
  EXPECT_EQ(ReadBytes(dir / "a.csv"), "x\r\n\r\ny\r\n");
  WriteLines(dir / "a.csv", {});
  EXPECT_EQ(ReadBytes(dir / "a.csv"), "");
  EXPECT_TRUE(std::filesystem::exists(dir / "a.csv"));
  EXPECT_EQ(ReadLines(dir / "a.csv"), Lines{});
  EXPECT_EQ(ListDir(dir.path()), "a.csv");  // no temporary file is left behind
}

TEST(TextFile, ReadingReportsWhatIsMissingOrUnreadable) {
  TempDir dir;
  EXPECT_FALSE(ReadLinesIfExists(dir / "none.csv"));
  EXPECT_FALSE(ReadLinesIfExists(dir / "nodir" / "none.csv"));
  std::filesystem::create_directory(dir / "adir.csv");
  try {
    ReadLinesIfExists(dir / "adir.csv");
    FAIL() << "no error";
  } catch (const FileError& error) {
    EXPECT_EQ(std::string(error.what()),
              "Cannot open file \"" + (dir / "adir.csv").string() + "\": Is a directory");
    EXPECT_EQ(error.path(), dir / "adir.csv");
  }
  EXPECT_THROW(ReadLines(dir / "none.csv"), FileError);
}

TEST(TextFile, AFailedWriteLeavesTheOldFileIntact) {
  TempDir dir;
  const auto target = dir / "202401.csv";
  WriteBytes(target, "old\r\n");

  // No directory: nothing can be created.
  EXPECT_THROW(WriteLines(dir / "missing" / "x.csv", {"a"}), FileError);

  // A directory where the file should be: the rename fails after the data was written.
  std::filesystem::create_directory(dir / "adir.csv");
  try {
    WriteLines(dir / "adir.csv", {"a"});
    FAIL() << "no error";
  } catch (const FileError& error) {
    EXPECT_NE(std::string(error.what()).find("adir.csv\": Is a directory"), std::string::npos)
        << error.what();
  }

  // The disk fills up in the middle of the write (a file size limit stands in for it; it holds
  // for root too).
  struct sigaction ignore {
  }, previous{};
  ignore.sa_handler = SIG_IGN;
  sigaction(SIGXFSZ, &ignore, &previous);
  rlimit old_limit{};
  getrlimit(RLIMIT_FSIZE, &old_limit);
  rlimit small = old_limit;
  small.rlim_cur = 100;
  setrlimit(RLIMIT_FSIZE, &small);
  bool thrown = false;
  try {
    WriteLines(target, Lines(100, "a long line that will not fit"));
  } catch (const FileError& error) {
    thrown = true;
    EXPECT_NE(std::string(error.what()).find("202401.csv\": File too large"), std::string::npos)
        << error.what();
  }
  setrlimit(RLIMIT_FSIZE, &old_limit);
  sigaction(SIGXFSZ, &previous, nullptr);
  EXPECT_TRUE(thrown);

  EXPECT_EQ(ReadBytes(target), "old\r\n");
  EXPECT_EQ(ListDir(dir.path()), "202401.csv|adir.csv");  // no temporary file is left behind
}

TEST(Errors, AFinalPeriodOnlyAfterCharactersBeyondThePoint) {
  EXPECT_EQ(WithFinalPeriod("Cannot open file \"x\": Is a directory"),
            "Cannot open file \"x\": Is a directory.");
  EXPECT_EQ(WithFinalPeriod("/p/ini.ini に書き込めません"), "/p/ini.ini に書き込めません.");
  EXPECT_EQ(WithFinalPeriod("done."), "done.");
  EXPECT_EQ(WithFinalPeriod("ends in blank "), "ends in blank ");
  EXPECT_EQ(WithFinalPeriod("list,"), "list,");
  EXPECT_EQ(WithFinalPeriod("(note)"), "(note)");
  EXPECT_EQ(WithFinalPeriod("10/"), "10/.");
  EXPECT_EQ(WithFinalPeriod(""), "");
}

TEST(TextFile, ARewriteKeepsTheFilePermissions) {
  TempDir dir;
  const auto target = dir / "ini.ini";
  WriteBytes(target, "x");
  std::filesystem::permissions(target, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::owner_write |
                                           std::filesystem::perms::group_read);
  WriteLines(target, {"y"});
  EXPECT_EQ(std::filesystem::status(target).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                std::filesystem::perms::group_read);
}

}  // namespace
}  // namespace purselog
