// ReadLines over any file: the lines are those of the bytes up to the first NUL, none holds a
// line end or a NUL, writing them back with WriteLines (and the bytes from the NUL on) and
// reading again gives the same lines and the same tail, and the writer's bytes are exactly the
// lines with CR LF after each.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/text_file.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace purselog;
  const std::string_view bytes = fuzz::AsText(data, size);
  const std::filesystem::path path = fuzz::ScratchDir() / "lines.txt";
  fuzz::WriteInput(path, bytes);

  const std::vector<std::string> lines = ReadLines(path);
  FUZZ_CHECK(lines == SplitLines(bytes));
  std::size_t text_size = 0;
  for (const std::string& line : lines) {
    FUZZ_CHECK(line.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);
    text_size += line.size();
  }
  const std::string_view text = bytes.substr(0, bytes.find('\0'));
  FUZZ_CHECK(text_size <= text.size());
  FUZZ_CHECK(lines.size() <= text.size());

  const std::string_view tail = TailFromNul(bytes);
  FUZZ_CHECK(text.size() + tail.size() == bytes.size());
  WriteLines(path, lines, tail);
  const std::string written = ReadFileBytes(path);
  FUZZ_CHECK(written == JoinLines(lines) + std::string(tail));
  FUZZ_CHECK(ReadLines(path) == lines);
  FUZZ_CHECK(TailFromNul(written) == tail);
  return 0;
}
