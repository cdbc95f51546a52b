// A message for the user, as a plain value: the program's own (a fixed caption and text, no
// icon) or an error (captioned with the program's title, shown with an error icon). The lower
// layers return notices; only the windows show them.
#pragma once

#include <string>
#include <string_view>

namespace purselog {

// The title of the program: the caption of its error messages.
inline constexpr std::string_view kProgramTitle = "Purselog";

struct Notice {
  std::string caption;  // UTF-8
  std::string text;     // UTF-8
  bool error = false;
  friend bool operator==(const Notice&, const Notice&) = default;
};

// An error as the user sees it: the program's title as caption, the text with its final ".".
Notice ErrorNotice(std::string_view what);

}  // namespace purselog
