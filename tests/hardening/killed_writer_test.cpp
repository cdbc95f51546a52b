// A writer killed at random moments: a child process saves month files, the category table and
// the settings in a loop through the real savers and is killed with SIGKILL, again and again
// (PURSELOG_KILLS times, 300 unless set; scripts/crash-soak.sh runs 10,000). After every kill
// each file holds exactly the bytes of its last save that finished or of the one that was
// running, the same saves replayed in a second directory tell which; every other name in the
// directories is a temporary of the writer, which never ends in ".csv", and the next save of the
// same file removes it.
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "categories/grid_file.h"
#include "core/ini_file.h"
#include "core/text_codec.h"
#include "ledger/month_file.h"
#include "support/temp_dir.h"

namespace purselog {
namespace {

using testing::ListDir;
using testing::ReadBytes;
using testing::TempDir;

// The files the saves write, relative to the program directory, in the order of the saves.
const char* const kFiles[] = {"data/202401.csv", "data/202402.csv", "setting.dat", "ini.ini"};
constexpr int kFileCount = 4;

// Save number n (from 1) writes file (n - 1) % 4 with contents that follow from n alone, the
// month files through SaveDayPage, so that what they hold also depends on the saves before.
void Save(const std::filesystem::path& dir, std::uint64_t n) {
  const auto file = static_cast<int>((n - 1) % kFileCount);
  const std::string number = std::to_string(n);
  if (file < 2) {
    const Date day = MakeDate(2024, file + 1, static_cast<unsigned>(1 + n / kFileCount % 28));
    DayPage page;
    for (std::uint64_t row = 0; row <= n % 4; ++row) {
      page.push_back({Utf8ToCp932(row % 2 ? "食費" : "日用品"), "item " + number,
                      std::to_string(100 + n * row), row % 2 ? "a memo" : ""});
    }
    SaveDayPage(dir / "data", day, page);
  } else if (file == 2) {
    GridTable table(20, 12);
    for (int row = 1; row < 12; ++row) table.SetCell(1, row, Utf8ToCp932("費目") + number);
    SaveGridFile(dir / kFiles[2], table);
  } else {
    IniFile(dir / kFiles[3])
        .WriteValues({{"setting", "clipbmp", ""},
                      IniValue::Integer("setting", "sime", static_cast<int>(n % 29)),
                      {"ExtImg", "0", "icon" + number + ".bmp"}});
  }
}

int FileOf(std::uint64_t n) { return static_cast<int>((n - 1) % kFileCount); }

// What the child reports, in memory it shares with the test: the save it started last and the
// save it finished last.
struct Progress {
  std::atomic<std::uint64_t> started;
  std::atomic<std::uint64_t> finished;
};

// Whether every name in the program directory and its data directory is one of the files or a
// temporary of one ("." + file name + "." + six letters or digits).
::testing::AssertionResult OnlyFilesAndTemporaries(const std::filesystem::path& dir) {
  for (const std::filesystem::path& folder : {dir, dir / "data"}) {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      const std::string name = entry.path().filename().string();
      bool known = name == "data";
      for (const char* file : kFiles) {
        const std::string own = std::filesystem::path(file).filename().string();
        known |=
            folder / own == dir / file &&
            (name == own || (name.size() == own.size() + 8 && name.starts_with("." + own + ".")));
      }
      if (!known) return ::testing::AssertionFailure() << "unexpected " << entry.path();
      if (name.ends_with(".csv") && name.front() == '.') {
        return ::testing::AssertionFailure() << "a temporary named like a month file: " << name;
      }
    }
  }
  return ::testing::AssertionSuccess();
}

TEST(KilledWriter, EveryFileHoldsItsLastOrItsNextContent) {
  const char* const kills_text = std::getenv("PURSELOG_KILLS");
  const int kills = kills_text != nullptr ? std::atoi(kills_text) : 300;
  const char* const seed_text = std::getenv("PURSELOG_KILL_SEED");
  const unsigned seed = seed_text != nullptr ? static_cast<unsigned>(std::atoi(seed_text)) : 16;
  SCOPED_TRACE(::testing::Message() << "PURSELOG_KILL_SEED=" << seed);
  std::mt19937 random(seed);

  TempDir real;
  TempDir replay;
  std::filesystem::create_directory(real / "data");
  std::filesystem::create_directory(replay / "data");
  void* const shared =
      ::mmap(nullptr, sizeof(Progress), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
  ASSERT_NE(shared, MAP_FAILED);
  auto* const progress = new (shared) Progress{};

  std::uint64_t next = 1;      // the save the next child starts with
  std::uint64_t replayed = 0;  // saves 1 to `replayed` are done in the replay directory
  std::uint64_t cut_save = 0;  // a save that a kill cut short and no child has finished since
  std::string before_cut;      // the bytes its file held before it
  int cuts = 0;
  for (int kill = 0; kill < kills; ++kill) {
    progress->started = next - 1;
    progress->finished = next - 1;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      try {
        for (std::uint64_t n = next;; ++n) {
          progress->started = n;
          Save(real.path(), n);
          progress->finished = n;
        }
      } catch (...) {
      }
      ::_exit(1);
    }
    ::usleep(std::uniform_int_distribution<unsigned>(0, 4000)(random));
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the saving child failed";

    const std::uint64_t finished = progress->finished;
    const std::uint64_t started = progress->started;
    ASSERT_TRUE(started == finished || started == finished + 1);
    if (cut_save <= finished) cut_save = 0;
    for (; replayed < finished; ++replayed) Save(replay.path(), replayed + 1);
    if (started > finished) {
      ++cuts;
      if (cut_save != started) {
        cut_save = started;
        before_cut = ReadBytes(replay / kFiles[FileOf(started)]);
        Save(replay.path(), ++replayed);
      }
    }
    for (int file = 0; file < kFileCount; ++file) {
      const std::string bytes = ReadBytes(real / kFiles[file]);
      if (cut_save != 0 && file == FileOf(cut_save) && bytes == before_cut) continue;
      ASSERT_EQ(bytes, ReadBytes(replay / kFiles[file]))
          << kFiles[file] << " after kill " << kill << " in save " << started;
    }
    ASSERT_TRUE(OnlyFilesAndTemporaries(real.path()));
    // A save cut short is made again by the next child; saving the same bytes twice is harmless.
    next = cut_save != 0 ? cut_save : finished + 1;
  }
  ::munmap(shared, sizeof(Progress));
  EXPECT_GT(cuts, 0) << "no kill fell inside a save";
  std::printf("%d kills, %d of them inside a save; %llu saves finished\n", kills, cuts,
              static_cast<unsigned long long>(next - 1));

  // One save of each file cleans what the killed ones left.
  for (int i = 0; i < kFileCount; ++i, ++next) {
    Save(real.path(), next);
    if (replayed < next) Save(replay.path(), ++replayed);
  }
  for (const char* file : kFiles) EXPECT_EQ(ReadBytes(real / file), ReadBytes(replay / file));
  EXPECT_EQ(ListDir(real.path()), "data|ini.ini|setting.dat");
  EXPECT_EQ(ListDir(real / "data"), "202401.csv|202402.csv");
}

}  // namespace
}  // namespace purselog
