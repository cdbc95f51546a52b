#include "core/text_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <random>

#include "support/file_faults.h"
#include "support/temp_dir.h"

namespace purselog {
namespace {

using testing::FileFaultPlan;
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

TEST(TextFile, TheTailFromANulByteIsWhatLineReadersNeverSee) {
  EXPECT_EQ(TailFromNul(std::string("a\r\nb\0c\0\r\nd", 10)), std::string("\0c\0\r\nd", 6));
  EXPECT_EQ(TailFromNul("no nul\r\n"), "");
  Lines to_end;
  ForEachLineToEnd(std::string("a\0b\r\n\0\nc", 8),
                   [&to_end](std::string_view line) { to_end.emplace_back(line); });
  EXPECT_EQ(to_end, (Lines{std::string("a\0b", 3), std::string("\0", 1), "c"}));

  TempDir dir;
  WriteLines(dir / "t.csv", {"x"}, std::string("\0rest\r\n", 7));
  EXPECT_EQ(ReadBytes(dir / "t.csv"), std::string("x\r\n\0rest\r\n", 10));
}

// Long random texts, so that line ends fall anywhere in the eight-byte words the splitter
// looks at: the lines are those of a byte-by-byte reading.
TEST(TextFile, LinesOfRandomTextsEndAtEveryCrLfAndCrLf) {
  std::mt19937 random(20241231);
  const std::string alphabet("\r\n\0ab\x8d\x0a\x0d\xff\x83\x5c", 12);
  for (int round = 0; round < 5000; ++round) {
    std::string text;
    const std::size_t length = random() % 100;
    for (std::size_t i = 0; i < length; ++i) text.push_back(alphabet[random() % alphabet.size()]);
    Lines expected;
    for (std::size_t start = 0; start < text.size();) {
      std::size_t end = start;
      while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
      expected.push_back(text.substr(start, end - start));
      start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    Lines lines;
    ForEachLineToEnd(text, [&lines](std::string_view line) { lines.emplace_back(line); });
    ASSERT_EQ(lines, expected) << round;
  }
}

TEST(TextFile, AWriteThroughASymbolicLinkReplacesTheFileItNames) {
  TempDir dir;
  std::filesystem::create_directory(dir / "real");
  WriteBytes(dir / "real" / "202401.csv", "old\r\n");
  // A chain: data.csv -> link.csv -> real/202401.csv (relative to each link's directory).
  std::filesystem::create_symlink("real/202401.csv", dir / "link.csv");
  std::filesystem::create_symlink("link.csv", dir / "data.csv");
  WriteLines(dir / "data.csv", {"new"});
  EXPECT_EQ(ReadBytes(dir / "real" / "202401.csv"), "new\r\n");
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "data.csv"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.csv"));
  EXPECT_EQ(ListDir(dir / "real"), "202401.csv");  // the temporary went beside the real file

  // A dangling link: the file it names is created.
  std::filesystem::create_symlink(dir / "real" / "new.csv", dir / "dangling.csv");
  WriteLines(dir / "dangling.csv", {"made"});
  EXPECT_EQ(ReadBytes(dir / "real" / "new.csv"), "made\r\n");
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "dangling.csv"));

  // A loop of links is an error, not an endless walk.
  std::filesystem::create_symlink("loop2", dir / "loop1");
  std::filesystem::create_symlink("loop1", dir / "loop2");
  EXPECT_THROW(WriteLines(dir / "loop1", {"x"}), FileError);
  EXPECT_EQ(ListDir(dir.path()), "dangling.csv|data.csv|link.csv|loop1|loop2|real");
  EXPECT_EQ(ListDir(dir / "real"), "202401.csv|new.csv");

  // A scratch file replaces the link itself (also a looping or a read-only file's link).
  for (const char* scratch : {"data.csv", "loop1"}) {
    WriteScratchFile(dir / scratch, {"scr", "atch"});
    EXPECT_FALSE(std::filesystem::is_symlink(dir / scratch)) << scratch;
    EXPECT_EQ(ReadBytes(dir / scratch), "scratch");
  }
  EXPECT_EQ(ReadBytes(dir / "real" / "202401.csv"), "new\r\n");
}

TEST(TextFile, AReadOnlyTargetIsRefused) {
  TempDir dir;
  const auto target = dir / "202401.csv";
  WriteBytes(target, "old\r\n");
  std::filesystem::permissions(target, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::group_read |
                                           std::filesystem::perms::others_read);
  const auto expect_refused = [&] {
    try {
      WriteLines(target, {"new"});
      ADD_FAILURE() << "no error";
    } catch (const FileError& error) {
      EXPECT_EQ(error.error_number(), EACCES);
      EXPECT_EQ(std::string(error.what()),
                "Cannot write file \"" + target.string() + "\": Permission denied");
    }
    EXPECT_EQ(ReadBytes(target), "old\r\n");
    EXPECT_EQ(ListDir(dir.path()), "202401.csv");
  };
  // The system's answer "no write permission", as a user other than root gets it here.
  {
    FileFaultPlan denied({{FileStep::kAccess, 1, 1, EACCES}});
    expect_refused();
    EXPECT_EQ(denied.Failures(), 1);
  }

  if (::access(target.c_str(), W_OK) == 0) {
    GTEST_SKIP() << "running as a user who may write read-only files (root): the real "
                    "permission check cannot refuse here";
  }
  expect_refused();
}

TEST(TextFile, AWriteRemovesOnlyItsOwnStaleTemporaries) {
  TempDir dir;
  // What killed writes of 202401.csv left, and names that only look alike.
  for (const char* name :
       {".202401.csv.AbC129", ".202401.csv.zzzzzz", ".202401.csv.abc12", ".202401.csv.abc1234",
        ".202401.csv.ab-123", ".202402.csv.AbC129", "x.202401.csv.AbC129", "202401.csv.AbC129"}) {
    WriteBytes(dir / name, "partial");
  }
  std::filesystem::create_directory(dir / ".202401.csv.Dir123");
  std::filesystem::create_symlink("202402.csv", dir / ".202401.csv.Lnk123");
  WriteLines(dir / "202401.csv", {"new"});
  EXPECT_EQ(ListDir(dir.path()),
            ".202401.csv.Dir123|.202401.csv.Lnk123|.202401.csv.ab-123|.202401.csv.abc12|"
            ".202401.csv.abc1234|.202402.csv.AbC129|202401.csv|202401.csv.AbC129|"
            "x.202401.csv.AbC129");
  EXPECT_EQ(ReadBytes(dir / "202401.csv"), "new\r\n");
}

TEST(TextFile, InterruptedFlushesAreRetried) {
  TempDir dir;
  FileFaultPlan interruptions({{FileStep::kFlush, 1, 3, EINTR}, {FileStep::kSync, 1, 2, EINTR}});
  WriteLines(dir / "ini.ini", {"[setting]", "sime=25"});
  EXPECT_EQ(interruptions.Failures(), 5);
  EXPECT_EQ(interruptions.Calls(FileStep::kFlush), 4);
  EXPECT_EQ(interruptions.Calls(FileStep::kSync), 3);
  EXPECT_EQ(ReadBytes(dir / "ini.ini"), "[setting]\r\nsime=25\r\n");
  EXPECT_EQ(ListDir(dir.path()), "ini.ini");
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
