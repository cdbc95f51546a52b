// A NET import of any answer into an account book with a month file: every line that holds
// anything is merged or kept, none twice and none lost. The merged entries are the new lines of
// the month files, the kept ones the lines of net_unmerged.txt, and the journal is gone.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/text_codec.h"
#include "core/text_file.h"
#include "fuzz_support.h"
#include "net/net_import.h"

namespace {

std::size_t LineCount(const std::filesystem::path& path) {
  std::size_t count = 0;
  purselog::ForEachLineToEnd(purselog::ReadFileBytesIfExists(path).value_or(std::string()),
                             [&count](std::string_view) { ++count; });
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace purselog;
  static const CategoryTable categories = LoadCategories(PURSELOG_CATEGORY_FILE);
  const std::string_view answer = fuzz::AsText(data, size);
  const ProgramPaths paths{fuzz::ScratchDir() / "book"};
  std::filesystem::remove_all(paths.program_dir);
  std::filesystem::create_directories(paths.DataDir());
  const std::string existing = Utf8ToCp932("20240115,食費,お米,2000,\r\n");
  fuzz::WriteInput(paths.DataDir() / "202401.csv", existing);

  const NetImportReport report = ImportNetAnswer(answer, paths, categories);
  FUZZ_CHECK(!NetImportPending(paths));
  std::size_t lines = 0;
  std::size_t blank = 0;
  for (const NetLine& line : ReadNetAnswer(answer, categories)) {
    ++lines;
    blank += line.fault == NetLineFault::kBlank ? 1 : 0;
  }
  FUZZ_CHECK(static_cast<std::size_t>(report.merged) + report.kept.size() + blank == lines);
  FUZZ_CHECK(LineCount(NetUnmergedFile(paths)) == report.kept.size());
  std::size_t month_lines = 0;
  for (const auto& entry : std::filesystem::directory_iterator(paths.DataDir())) {
    // Only month files, each holding only its own month's days.
    const std::string name = entry.path().filename().string();
    FUZZ_CHECK(name.size() == 10 && name.ends_with(".csv"));
    ForEachLineToEnd(ReadFileBytes(entry.path()), [&](std::string_view line) {
      FUZZ_CHECK(line.substr(0, 6) == name.substr(0, 6));
    });
    month_lines += LineCount(entry.path());
  }
  FUZZ_CHECK(month_lines == 1 + static_cast<std::size_t>(report.merged));
  return 0;
}
