// "--version" on the command line of either program: its name and the build's version on
// standard output, and nothing else is done.
#pragma once

#include <cstdio>
#include <string_view>

#include "version/version.h"

namespace purselog {

// True when the version was asked for (and printed): the program then ends.
inline bool PrintVersionIfAsked(int argc, char* argv[], std::string_view program) {
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]) == "--version") {
      std::printf("%.*s %.*s\n", static_cast<int>(program.size()), program.data(),
                  static_cast<int>(kVersion.size()), kVersion.data());
      return true;
    }
  }
  return false;
}

}  // namespace purselog
