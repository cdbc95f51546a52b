#include "core/errors.h"

#include "core/notice.h"

#include <cstring>

namespace purselog {

FileError::FileError(const std::string& action, const std::filesystem::path& path, int error_number)
    : AppError(action + " \"" + path.string() + "\": " + std::strerror(error_number)),
      path_(path),
      error_number_(error_number) {}

std::string WithFinalPeriod(std::string text) {
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text.push_back('.');
  return text;
}

Notice ErrorNotice(std::string_view what) {
  return Notice{std::string(kProgramTitle), WithFinalPeriod(std::string(what)), true};
}

}  // namespace purselog
