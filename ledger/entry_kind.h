// The kind of an entry, by its category: an income, an expense, or of no kind (a category that
// is not in the table, which counts in no total).
#pragma once

#include <functional>
#include <string_view>

namespace purselog {

enum class EntryKind { kNone, kIncome, kExpense };

// The kind of an entry by its category text (the category table answers it).
using EntryKindOf = std::function<EntryKind(std::string_view category)>;

}  // namespace purselog
