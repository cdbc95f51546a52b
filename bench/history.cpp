#include "history.h"

#include "core/ini_file.h"

namespace purselog {

HistoryDir::HistoryDir(int years, int closing_day)
    : paths_{dir_.path()}, options_(YearsUntil(years, kHistoryLastDay)), closing_day_(closing_day) {
  std::filesystem::copy_file(PURSELOG_CATEGORY_FILE, paths_.CategoryFile());
  IniFile(paths_.SettingsFile()).WriteValues({IniValue::Integer("setting", "sime", closing_day)});
  categories_ = LoadCategories(paths_.CategoryFile());
  count_ = WriteSampleHistory(paths_.DataDir(), categories_, options_);
}

}  // namespace purselog
