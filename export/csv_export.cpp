#include "export/csv_export.h"

#include <optional>
#include <system_error>

#include "core/comma_text.h"
#include "core/errors.h"
#include "core/text_file.h"
#include "ledger/month_file.h"
#include "search/line_order.h"

namespace purselog {

namespace {

constexpr std::size_t kCategoryField = 1;
constexpr std::size_t kDescriptionField = 2;
constexpr std::size_t kAmountField = 3;
constexpr std::size_t kMemoField = 4;

std::string FieldOrEmpty(const std::vector<std::string>& fields, std::size_t index) {
  return index < fields.size() ? fields[index] : std::string();
}

std::string SignedLine(const std::string& line, EntryKind negative_kind,
                       const EntryKindOf& kind_of) {
  std::vector<std::string> fields = SplitCommaText(line);
  if (fields.size() <= kAmountField || kind_of(fields[kCategoryField]) != negative_kind) {
    return line;
  }
  fields[kAmountField].insert(0, "-");
  return JoinCommaText(fields);
}

std::string ColumnRow(const std::string& line, const EntryKindOf& kind_of) {
  const std::vector<std::string> fields = SplitCommaText(line);
  const EntryKind kind = kind_of(FieldOrEmpty(fields, kCategoryField));
  const std::string amount = FieldOrEmpty(fields, kAmountField);
  return JoinCommaText({FieldOrEmpty(fields, 0), FieldOrEmpty(fields, kCategoryField),
                        FieldOrEmpty(fields, kDescriptionField),
                        kind == EntryKind::kExpense ? amount : std::string(),
                        kind == EntryKind::kIncome ? amount : std::string(),
                        FieldOrEmpty(fields, kMemoField)});
}

bool IsMonthFileName(const std::string& name) {
  constexpr std::string_view kExtension = ".csv";
  if (name.size() != 6 + kExtension.size() || !name.ends_with(kExtension)) return false;
  for (std::size_t i = 0; i < 6; ++i) {
    if (name[i] < '0' || name[i] > '9') return false;
  }
  return true;
}

// Whether `path`, once its links are followed, names a month file in `data_dir`.
bool IsMonthFile(const std::filesystem::path& data_dir, const std::filesystem::path& path) {
  std::error_code error;
  const std::filesystem::path target = std::filesystem::weakly_canonical(path, error);
  if (error || !IsMonthFileName(target.filename().string())) return false;
  return std::filesystem::equivalent(target.parent_path(), data_dir, error) && !error;
}

}  // namespace

std::vector<std::string> ReadExportLines(const std::filesystem::path& data_dir, const Date& date) {
  std::optional<std::vector<std::string>> lines = ReadLinesIfExists(MonthFilePath(data_dir, date));
  if (!lines) return {};
  SortLinesIgnoreCase(*lines);
  return std::move(*lines);
}

std::vector<std::string> ExportLines(const std::vector<std::string>& sorted_lines, ExportMode mode,
                                     const EntryKindOf& kind_of) {
  std::vector<std::string> out;
  out.reserve(sorted_lines.size());
  switch (mode) {
    case ExportMode::kExpenseNegative:
    case ExportMode::kIncomeNegative: {
      const EntryKind negative =
          mode == ExportMode::kExpenseNegative ? EntryKind::kExpense : EntryKind::kIncome;
      for (const std::string& line : sorted_lines) {
        out.push_back(SignedLine(line, negative, kind_of));
      }
      break;
    }
    case ExportMode::kSeparateColumns:
      for (auto line = sorted_lines.rbegin(); line != sorted_lines.rend(); ++line) {
        out.push_back(ColumnRow(*line, kind_of));
      }
      break;
  }
  return out;
}

void WriteExportFile(const std::filesystem::path& data_dir, const std::filesystem::path& path,
                     const std::vector<std::string>& lines) {
  if (IsMonthFile(data_dir, path)) {
    throw AppError("Cannot write file \"" + path.string() +
                   "\": it is a month file of the account book");
  }
  WriteLines(path, lines);
}

std::string ExportFileName(const Date& date) { return MonthKey(date) + ".csv"; }

}  // namespace purselog
