// The exceptions of the core layers. Every message is UTF-8 text meant to be shown to the user
// as it stands; windows catch AppError at the edge of each user action.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace purselog {

class AppError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A file or directory that could not be read, written or created.
class FileError : public AppError {
 public:
  // The message reads e.g. `Cannot write file "/x/data/202401.csv": No space left on device`.
  FileError(const std::string& action, const std::filesystem::path& path, int error_number);
  const std::filesystem::path& path() const { return path_; }
  int error_number() const { return error_number_; }

 private:
  std::filesystem::path path_;
  int error_number_;
};

// The text of an error as the user sees it: "." appended when the last character comes after
// "." in byte order (so Japanese text always gets one, while a text ending in ".", a blank, a
// comma or a closing parenthesis does not).
std::string WithFinalPeriod(std::string text);

}  // namespace purselog
