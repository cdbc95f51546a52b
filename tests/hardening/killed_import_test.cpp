// A NET import killed at random moments: a child process merges a three-month answer of 90
// entries (and lines that cannot be merged) and is killed with SIGKILL, PURSELOG_KILLS times (200
// unless set; scripts/crash-soak.sh runs more). Then the import is completed as the next start
// would. Once the answer is in the journal, every file ends exactly as an import that was never
// interrupted leaves it: every line merged or kept once. Before that, nothing has changed.
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "core/text_codec.h"
#include "net/net_import.h"
#include "support/temp_dir.h"

namespace purselog {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

const char* const kFiles[] = {"data/202401.csv", "data/202402.csv", "data/202403.csv",
                              "net_unmerged.txt"};

void WriteBook(const ProgramPaths& paths) {
  std::filesystem::create_directory(paths.DataDir());
  WriteBytes(paths.DataDir() / "202402.csv", Utf8ToCp932("20240210,食費,お米,2000,\r\n"));
  WriteBytes(paths.program_dir / "net_unmerged.txt", "earlier\r\n");
}

std::string Answer() {
  std::string answer;
  for (int i = 0; i < 90; ++i) {
    answer += "2024" +
              std::string(i % 3 == 0   ? "01"
                          : i % 3 == 1 ? "02"
                                       : "03") +
              std::to_string(10 + i % 19) + Utf8ToCp932(",食費,昼食 ") + std::to_string(i) +
              (i % 10 == 0 ? ",1a,\r\n" : ",800,\r\n");
  }
  return answer;
}

std::string Files(const ProgramPaths& paths) {
  std::string files;
  for (const char* file : kFiles) files += ReadBytes(paths.program_dir / file) + "|";
  return files;
}

struct Progress {
  std::atomic<bool> begun;
  std::atomic<bool> done;
};

TEST(KilledImport, EveryLineIsMergedOrKeptExactlyOnce) {
  const char* const kills_text = std::getenv("PURSELOG_KILLS");
  const int kills = kills_text != nullptr ? std::atoi(kills_text) : 200;
  std::mt19937 random(19);
  const CategoryTable categories = LoadCategories(PURSELOG_CATEGORY_FILE);
  const std::string answer = Answer();

  TempDir reference_dir;
  const ProgramPaths reference{reference_dir.path()};
  WriteBook(reference);
  const std::string before = Files(reference);
  const auto start = std::chrono::steady_clock::now();
  ImportNetAnswer(answer, reference, categories);
  const auto took = std::chrono::steady_clock::now() - start;
  const std::string after = Files(reference);
  ASSERT_NE(after, before);
  // Kills spread over the whole import and a little beyond.
  const auto window = static_cast<unsigned>(
      std::chrono::duration_cast<std::chrono::microseconds>(took).count() * 3 / 2 + 100);

  void* const shared =
      ::mmap(nullptr, sizeof(Progress), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
  ASSERT_NE(shared, MAP_FAILED);
  auto* const progress = new (shared) Progress{};
  int inside = 0;
  for (int kill = 0; kill < kills; ++kill) {
    TempDir dir;
    const ProgramPaths paths{dir.path()};
    WriteBook(paths);
    progress->begun = false;
    progress->done = false;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      try {
        BeginNetImport(answer, paths);
        progress->begun = true;
        CompleteNetImport(paths, categories);
        progress->done = true;
      } catch (...) {
      }
      ::pause();
      ::_exit(1);
    }
    ::usleep(std::uniform_int_distribution<unsigned>(0, window)(random));
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    if (progress->begun && !progress->done) ++inside;

    const bool journaled = progress->begun || NetImportPending(paths);
    CompleteNetImport(paths, categories);  // the next start
    ASSERT_FALSE(NetImportPending(paths));
    ASSERT_EQ(Files(paths), journaled ? after : before) << "kill " << kill;
  }
  ::munmap(shared, sizeof(Progress));
  EXPECT_GT(inside, 0) << "no kill fell inside a merge";
  std::printf("%d kills, %d of them inside a merge\n", kills, inside);
}

}  // namespace
}  // namespace purselog
