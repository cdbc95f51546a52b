// Golden files for reports and whole-file outputs: a case is a folder under tests/data/golden/
// holding `input/` (copied as the program directory: data/*.csv, and setting.dat or ini.ini
// when the case needs its own) and `expected/` (the exact bytes of each output, by name).
//
// After a deliberate change of an output, refresh the expectations with
//   PURSELOG_UPDATE_GOLDEN=1 ctest --preset debug -R <test>
// and review the difference in git before committing it.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "support/temp_dir.h"

namespace purselog::testing {

class GoldenCase {
 public:
  explicit GoldenCase(std::string_view name)
      : folder_(std::filesystem::path(PURSELOG_TEST_DATA_DIR) / "golden" / std::string(name)) {
    const std::filesystem::path input = folder_ / "input";
    if (std::filesystem::exists(input)) {
      std::filesystem::copy(input, program_dir_.path(), std::filesystem::copy_options::recursive);
    }
  }

  // A fresh program directory holding the case's input.
  const std::filesystem::path& program_dir() const { return program_dir_.path(); }

  // Whether `actual` is exactly the expected output `name`. With PURSELOG_UPDATE_GOLDEN set,
  // the expectation is written instead (and the check passes).
  ::testing::AssertionResult Matches(std::string_view name, std::string_view actual) const {
    const std::filesystem::path expected_path = folder_ / "expected" / std::string(name);
    if (std::getenv("PURSELOG_UPDATE_GOLDEN") != nullptr) {
      std::filesystem::create_directories(expected_path.parent_path());
      WriteBytes(expected_path, actual);
      return ::testing::AssertionSuccess() << "updated " << expected_path;
    }
    if (!std::filesystem::exists(expected_path)) {
      return ::testing::AssertionFailure()
             << "no expectation " << expected_path << " (set PURSELOG_UPDATE_GOLDEN=1 to write it)";
    }
    const std::string expected = ReadBytes(expected_path);
    if (expected == actual) return ::testing::AssertionSuccess();
    std::size_t at = 0;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) ++at;
    return ::testing::AssertionFailure()
           << expected_path << " differs at byte " << at << " (expected " << expected.size()
           << " bytes, got " << actual.size() << ")";
  }
  // The same for a file the program wrote, by its path inside the program directory.
  ::testing::AssertionResult FileMatches(std::string_view name) const {
    return Matches(name, ReadBytes(program_dir() / std::string(name)));
  }

 private:
  std::filesystem::path folder_;
  TempDir program_dir_;
};

}  // namespace purselog::testing
