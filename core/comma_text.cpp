#include "core/comma_text.h"

namespace purselog {

namespace {

bool IsBlankByte(unsigned char c) { return c >= 0x01 && c <= 0x20; }

bool NeedsQuotes(std::string_view field) {
  for (const unsigned char c : field) {
    if (IsBlankByte(c) || c == '"' || c == ',') return true;
  }
  return false;
}

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

CommaTextCursor::CommaTextCursor(std::string_view line) : line_(line) { SkipBlanks(); }

bool CommaTextCursor::AtEnd() const { return pos_ >= line_.size() || line_[pos_] == '\0'; }

void CommaTextCursor::SkipBlanks() {
  while (!AtEnd() && IsBlankByte(static_cast<unsigned char>(line_[pos_]))) ++pos_;
}

bool CommaTextCursor::Next(std::string& field) {
  if (AtEnd()) return false;
  field.clear();
  if (line_[pos_] == '"') {
    const std::size_t start = ++pos_;
    bool closed = false;
    while (!AtEnd()) {
      const char c = line_[pos_];
      if (c == '"') {
        if (pos_ + 1 < line_.size() && line_[pos_ + 1] == '"') {
          field.push_back('"');
          pos_ += 2;
          continue;
        }
        ++pos_;
        closed = true;
        break;
      }
      field.push_back(c);
      ++pos_;
    }
    if (!closed) {
      // No closing quote: the field is the rest of the line as it stands (doubled quotes not
      // collapsed) without its last byte.
      const std::size_t rest = pos_ - start;
      field.assign(line_.substr(start, rest > 1 ? rest - 1 : 0));
    }
  } else {
    std::string_view view;
    Next(view, field);
    field.assign(view);
    return true;
  }
  SkipSeparator();
  return true;
}

bool CommaTextCursor::Next(std::string_view& field, std::string& scratch) {
  if (AtEnd()) return false;
  if (line_[pos_] == '"') {
    Next(scratch);
    field = scratch;
    return true;
  }
  // Up to a NUL byte, a blank or control byte, or a comma.
  const std::size_t start = pos_;
  pos_ = PlainFieldEnd(line_, pos_);
  field = line_.substr(start, pos_ - start);
  SkipSeparator();
  return true;
}

void CommaTextCursor::SkipSeparator() {
  SkipBlanks();
  if (AtEnd()) return;
  if (line_[pos_] == ',') {
    ++pos_;
    SkipBlanks();
  } else {
    split_without_comma_ = true;
  }
}

std::vector<std::string> SplitCommaText(std::string_view line) {
  std::vector<std::string> fields;
  CommaTextCursor cursor(line);
  std::string field;
  while (cursor.Next(field)) fields.push_back(field);
  return fields;
}

std::size_t LeadingFieldsByCursor(std::string_view line, std::size_t pos, std::size_t count,
                                  std::span<std::string_view> fields,
                                  std::span<std::string> scratch) {
  CommaTextCursor cursor(line.substr(pos));
  for (; count < fields.size() && cursor.Next(fields[count], scratch[count]); ++count) {
  }
  return count;
}

std::optional<std::string> FirstCommaField(std::string_view line) {
  CommaTextCursor cursor(line);
  std::string field;
  if (!cursor.Next(field)) return std::nullopt;
  return field;
}

bool FirstCommaFieldEquals(std::string_view line, std::string_view text) {
  std::size_t pos = 0;
  while (pos < line.size() && IsBlankByte(static_cast<unsigned char>(line[pos]))) ++pos;
  if (pos < line.size() && line[pos] == '"') {
    const std::optional<std::string> field = FirstCommaField(line);
    return field && *field == text;
  }
  std::size_t end = pos;
  while (end < line.size() && line[end] != '\0' &&
         !IsBlankByte(static_cast<unsigned char>(line[end])) && line[end] != ',') {
    ++end;
  }
  if (end == pos && (end == line.size() || line[end] == '\0')) return false;  // no fields
  return line.substr(pos, end - pos) == text;
}

std::string JoinCommaText(const std::vector<std::string>& fields) {
  if (fields.size() == 1 && fields[0].empty()) return "\"\"";
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) line.push_back(',');
    const std::string& field = fields[i];
    if (!NeedsQuotes(field)) {
      line += field;
      continue;
    }
    line.push_back('"');
    for (const char c : field) {
      if (c == '"') line.push_back('"');
      line.push_back(c);
    }
    line.push_back('"');
  }
  return line;
}

std::optional<std::int32_t> ParseAnyIntegerText(std::string_view text) {
  // One to nine plain digits cannot overflow.
  if (!text.empty() && text.size() <= 9) {
    std::int32_t value = 0;
    std::size_t digits = 0;
    for (; digits < text.size() && text[digits] >= '0' && text[digits] <= '9'; ++digits) {
      value = value * 10 + (text[digits] - '0');
    }
    if (digits == text.size()) return value;
  }
  std::size_t pos = 0;
  while (pos < text.size() && text[pos] == ' ') ++pos;
  if (pos == text.size()) return std::nullopt;

  if (text[pos] == '$') {
    const std::string_view digits = text.substr(pos + 1);
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    std::uint32_t value = 0;
    for (const char c : digits) {
      const int d = HexDigitValue(c);
      if (d < 0) return std::nullopt;
      value = value * 16 + static_cast<std::uint32_t>(d);
    }
    return static_cast<std::int32_t>(value);
  }

  bool negative = false;
  if (text[pos] == '+' || text[pos] == '-') {
    negative = text[pos] == '-';
    ++pos;
  }
  if (pos == text.size()) return std::nullopt;
  std::int64_t value = 0;
  for (; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > 2147483647) return std::nullopt;
  }
  return static_cast<std::int32_t>(negative ? -value : value);
}

}  // namespace purselog
