// Every path of the program derives from the program directory (the directory of the program
// file, never the working directory).
#pragma once

#include <filesystem>

namespace purselog {

struct ProgramPaths {
  std::filesystem::path program_dir;

  std::filesystem::path DataDir() const { return program_dir / "data"; }
  std::filesystem::path PacsDir() const { return program_dir / "pacs"; }
  std::filesystem::path CategoryFile() const { return program_dir / "setting.dat"; }
  std::filesystem::path SettingsFile() const { return program_dir / "ini.ini"; }
};

}  // namespace purselog
