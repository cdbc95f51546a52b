// LoadGridFile over any file: it fails only with its own error, every cell it keeps lies inside
// the table, and a table it read survives SaveGridFile and LoadGridFile unchanged (size, widths,
// cells), so that saving it again writes the same bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "categories/grid_file.h"
#include "core/text_file.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace purselog;
  const std::filesystem::path path = fuzz::ScratchDir() / "setting.dat";
  fuzz::WriteInput(path, fuzz::AsText(data, size));

  GridTable table;
  try {
    LoadGridFile(path, table);
  } catch (const GridFileError&) {
    return 0;
  }
  FUZZ_CHECK(table.columns() > 0 && table.columns() <= kMaxGridColumns);
  FUZZ_CHECK(table.rows() > 0 && table.rows() <= kMaxGridRows);
  for (const auto& [position, text] : table.cells()) {
    FUZZ_CHECK(position.first < table.rows() && position.second < table.columns());
    FUZZ_CHECK(!text.empty());
  }

  const std::filesystem::path copy = fuzz::ScratchDir() / "copy.dat";
  SaveGridFile(copy, table);
  GridTable again;
  LoadGridFile(copy, again);
  FUZZ_CHECK(again.columns() == table.columns() && again.rows() == table.rows());
  for (int column = 0; column < table.columns(); ++column) {
    FUZZ_CHECK(again.ColumnWidth(column) == table.ColumnWidth(column));
  }
  FUZZ_CHECK(again.cells() == table.cells());
  const std::string saved = ReadFileBytes(copy);
  SaveGridFile(copy, again);
  FUZZ_CHECK(ReadFileBytes(copy) == saved);
  return 0;
}
