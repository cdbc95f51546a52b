// The settings file over any bytes: every read gives a value of at most 1023 bytes without a
// line end, and WriteValues puts each value where reading finds it again, keeps the bytes from
// the first NUL on, and changes no other value that was readable before.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/ini_file.h"
#include "core/text_file.h"
#include "fuzz_support.h"

namespace {

struct Key {
  const char* section;
  const char* key;
};
// The keys the program uses, in other letter cases too, and one it never writes.
constexpr Key kKeys[] = {{"setting", "sime"}, {"SETTING", "clipbmp"}, {"ExtImg", "num"},
                         {"extimg", "0"},     {"net", "url"},         {"Net", "ID"},
                         {"other", "kept"}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace purselog;
  const std::string_view bytes = fuzz::AsText(data, size);
  const std::filesystem::path path = fuzz::ScratchDir() / "ini.ini";
  fuzz::WriteInput(path, bytes);
  IniFile ini(path);

  std::vector<std::string> before;
  for (const Key& key : kKeys) {
    std::string value = ini.ReadString(key.section, key.key, "-");
    FUZZ_CHECK(value.size() <= IniFile::kMaxValueBytes);
    FUZZ_CHECK(value.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);
    ini.ReadInteger(key.section, key.key, 7);
    before.push_back(std::move(value));
  }

  // Values made of the input's first letters and digits, as the program writes them.
  std::string word;
  for (const char c : bytes.substr(0, 16)) {
    if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z')) word.push_back(c);
  }
  const std::vector<IniValue> values = {{"setting", "clipbmp", ""},
                                        IniValue::Integer("setting", "sime", 25),
                                        {"ExtImg", "0", word + ".bmp"},
                                        {"net", "id", word}};
  ini.WriteValues(values);
  for (const IniValue& value : values) {
    FUZZ_CHECK(ini.ReadString(value.section, value.key, "-") == value.value);
  }
  FUZZ_CHECK(ini.ReadInteger("setting", "sime", 0) == 25);
  FUZZ_CHECK(ini.ReadString("other", "kept", "-") == before.back());
  FUZZ_CHECK(ini.ReadString("net", "url", "-") == before[4]);
  FUZZ_CHECK(TailFromNul(ReadFileBytes(path)) == TailFromNul(bytes));
  return 0;
}
