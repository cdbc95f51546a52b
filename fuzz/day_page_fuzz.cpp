// LoadDayPage then SaveDayPage on any month file: every line of another day (and every line
// without fields) comes back byte for byte and in order, the bytes from the first NUL on come
// back unchanged after the lines, the day's lines are exactly the page's complete rows, the page
// reads back as those rows, and saving it again writes the same bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/comma_text.h"
#include "core/text_file.h"
#include "fuzz_support.h"
#include "ledger/month_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace purselog;
  if (size == 0) return 0;
  // The first byte picks the day of January 2024, the rest is the month file.
  const Date date = MakeDate(2024, 1, 1 + data[0] % 31);
  const std::string key = DateKey(date);
  const std::string_view bytes = fuzz::AsText(data + 1, size - 1);
  const std::filesystem::path& data_dir = fuzz::ScratchDir();
  const std::filesystem::path path = MonthFilePath(data_dir, date);
  fuzz::WriteInput(path, bytes);

  const DayPage page = LoadDayPage(data_dir, date);
  FUZZ_CHECK(!page.empty());
  SaveDayPage(data_dir, date, page);
  const std::string saved = ReadFileBytes(path);

  std::string others;
  ForEachLine(bytes, [&](std::string_view line) {
    if (FirstCommaFieldEquals(line, key)) return;
    others.append(line);
    others.append("\r\n");
  });
  const std::string_view tail = TailFromNul(bytes);
  FUZZ_CHECK(saved.size() >= others.size() + tail.size());
  FUZZ_CHECK(saved.compare(0, others.size(), others) == 0);
  FUZZ_CHECK(saved.compare(saved.size() - tail.size(), tail.size(), tail) == 0);
  FUZZ_CHECK(TailFromNul(saved) == tail);

  DayPage complete;
  for (const DayRow& row : page) {
    if (IsCompleteRow(row)) complete.push_back(row);
  }
  const std::string_view own =
      std::string_view(saved).substr(others.size(), saved.size() - others.size() - tail.size());
  std::size_t own_lines = 0;
  ForEachLine(own, [&](std::string_view line) {
    FUZZ_CHECK(FirstCommaFieldEquals(line, key));
    ++own_lines;
  });
  FUZZ_CHECK(own_lines == complete.size());

  const DayPage reloaded = LoadDayPage(data_dir, date);
  FUZZ_CHECK(reloaded == (complete.empty() ? EmptyDayPage() : complete));
  SaveDayPage(data_dir, date, reloaded);
  FUZZ_CHECK(ReadFileBytes(path) == saved);
  return 0;
}
