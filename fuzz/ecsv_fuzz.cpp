// TEcsv over any file: the rows are the file's lines, every cell is the field that splitting
// its line gives (a line ending in a comma is split with two double quotes after it, which give
// the last, empty field), cells outside the table are empty, and ColCount is the widest line.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/comma_text.h"
#include "core/text_file.h"
#include "fuzz_support.h"
#include "ledger/ecsv.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace purselog;
  const std::string_view bytes = fuzz::AsText(data, size);
  const std::filesystem::path path = fuzz::ScratchDir() / "net.dat";
  fuzz::WriteInput(path, bytes);

  TEcsv table;
  table.Load(path);
  const std::vector<std::string> lines = SplitLines(bytes);
  FUZZ_CHECK(table.RowCount() == static_cast<int>(lines.size()));
  const int columns = table.ColCount();
  int widest = 0;
  for (int row = 0; row < table.RowCount(); ++row) {
    const std::string& line = lines[static_cast<std::size_t>(row)];
    const bool open_end = !line.empty() && line.back() == ',';
    const std::vector<std::string> fields = SplitCommaText(open_end ? line + "\"\"" : line);
    widest = std::max(widest, static_cast<int>(fields.size()));
    // Each Cell splits its line again: the first fields and the one past the last suffice.
    const int count = static_cast<int>(fields.size());
    for (int field = 0; field <= count; field = field < 64 || field == count ? field + 1 : count) {
      const std::string expected =
          field < static_cast<int>(fields.size()) ? fields[static_cast<std::size_t>(field)] : "";
      FUZZ_CHECK(table.Cell(field, row) == expected);
    }
    FUZZ_CHECK(table.Cell(-1, row).empty());
  }
  FUZZ_CHECK(columns == widest);
  FUZZ_CHECK(table.Cell(0, table.RowCount()).empty());
  FUZZ_CHECK(table.Cell(0, -1).empty());
  return 0;
}
