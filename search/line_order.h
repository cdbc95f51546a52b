// The order in which the search index and the export list the lines of month files: the whole
// line compared as CompareIgnoreCase compares (the Japanese collation with letter case ignored,
// then the bytes). Every entry line starts with its date key, so the lines come out oldest day
// first.
#pragma once

#include <string>
#include <vector>

namespace purselog {

void SortLinesIgnoreCase(std::vector<std::string>& lines);

}  // namespace purselog
