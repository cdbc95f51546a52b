#include "core/ini_file.h"

#include <optional>
#include <vector>

#include "core/comma_text.h"
#include "core/text_codec.h"
#include "core/text_file.h"

namespace purselog {

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  return text;
}

// The section named by a line "[name]", or nullopt for other lines.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  const std::size_t close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(1, close - 1));
}

struct KeyLine {
  std::string_view key;
  std::string_view value;
};

// A "key=value" line; comment lines (";") and lines without "=" are no key lines.
std::optional<KeyLine> ParseKeyLine(std::string_view line) {
  const std::string_view trimmed = Trim(line);
  if (trimmed.empty() || trimmed.front() == ';') return std::nullopt;
  const std::size_t equals = trimmed.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return KeyLine{Trim(trimmed.substr(0, equals)), Trim(trimmed.substr(equals + 1))};
}

// The lines of the section and the line index of the key within the whole file.
struct KeyPosition {
  std::optional<std::size_t> section_line;  // the "[section]" line
  std::optional<std::size_t> key_line;      // the "key=value" line
  std::size_t insert_at = 0;                // after the section's last non-blank line
};

KeyPosition Locate(const std::vector<std::string>& lines, std::string_view section,
                   std::string_view key) {
  KeyPosition position;
  bool inside = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (const std::optional<std::string_view> name = SectionName(lines[i])) {
      if (inside) break;  // only the first section of that name is used
      if (EqualsIgnoreCase(*name, section)) {
        inside = true;
        position.section_line = i;
        position.insert_at = i + 1;
      }
      continue;
    }
    if (!inside) continue;
    if (!Trim(lines[i]).empty()) position.insert_at = i + 1;
    if (position.key_line) continue;
    if (const std::optional<KeyLine> entry = ParseKeyLine(lines[i])) {
      if (EqualsIgnoreCase(entry->key, key)) position.key_line = i;
    }
  }
  return position;
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// Cuts to at most `limit` bytes without leaving half of a double-byte character.
std::string CutToBytes(std::string_view text, std::size_t limit) {
  if (text.size() <= limit) return std::string(text);
  std::size_t end = 0;
  while (end < limit) {
    const auto lead = static_cast<unsigned char>(text[end]);
    const bool double_byte = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
    const std::size_t width = double_byte ? 2 : 1;
    if (end + width > limit) break;
    end += width;
  }
  return std::string(text.substr(0, end));
}

std::string_view FirstLineOf(std::string_view value) {
  const std::size_t end = value.find_first_of("\r\n");
  return end == std::string_view::npos ? value : value.substr(0, end);
}

}  // namespace

IniWriteError::IniWriteError(const std::filesystem::path& path)
    : AppError(path.string() + " に書き込めません") {}

IniFile::IniFile(std::filesystem::path path) : path_(std::move(path)) {}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view default_value) const {
  const std::optional<std::vector<std::string>> lines = ReadLinesIfExists(path_);
  if (!lines) return CutToBytes(default_value, kMaxValueBytes);
  const KeyPosition position = Locate(*lines, section, key);
  if (!position.key_line) return CutToBytes(default_value, kMaxValueBytes);
  const std::optional<KeyLine> entry = ParseKeyLine((*lines)[*position.key_line]);
  return CutToBytes(Unquote(entry->value), kMaxValueBytes);
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int default_value) const {
  const std::string text = ReadString(section, key, "");
  std::optional<std::int32_t> value;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    value = ParseIntegerText("$" + text.substr(2));
  } else {
    value = ParseIntegerText(text);
  }
  return value.value_or(default_value);
}

IniValue IniValue::Integer(std::string section, std::string key, int value) {
  return {std::move(section), std::move(key), std::to_string(value)};
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  WriteValues({{std::string(section), std::string(key), std::string(value)}});
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteValues({IniValue::Integer(std::string(section), std::string(key), value)});
}

void IniFile::WriteValues(const std::vector<IniValue>& values) {
  if (values.empty()) return;
  try {
    const std::string bytes = ReadFileBytesIfExists(path_).value_or(std::string());
    std::vector<std::string> lines = SplitLines(bytes);
    for (const IniValue& item : values) {
      const KeyPosition position = Locate(lines, item.section, item.key);
      std::string entry = item.key + "=" + std::string(FirstLineOf(item.value));
      if (position.key_line) {
        lines[*position.key_line] = std::move(entry);
      } else if (position.section_line) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(position.insert_at),
                     std::move(entry));
      } else {
        lines.push_back("[" + item.section + "]");
        lines.push_back(std::move(entry));
      }
    }
    WriteLines(path_, lines, TailFromNul(bytes));
  } catch (const FileError&) {
    throw IniWriteError(path_);
  }
}

}  // namespace purselog
