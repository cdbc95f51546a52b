// The one atomic writer under failing system calls: each call of each step that the saves of a
// shutdown make (the month file, then the category table and the settings, each on its own) is
// failed once, and failed for good from there on. Every time, each file holds its old bytes, or
// its new ones where its save went through, no temporary is left, and a failed save says why.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "categories/grid_file.h"
#include "core/ini_file.h"
#include "core/text_codec.h"
#include "ledger/month_file.h"
#include "support/file_faults.h"
#include "support/temp_dir.h"

namespace purselog {
namespace {

using testing::FileFault;
using testing::FileFaultPlan;
using testing::ListDir;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

const Date kDay = MakeDate(2024, 1, 15);
const char* const kFiles[] = {"data/202401.csv", "setting.dat", "ini.ini"};

void PrepareProgramDir(const std::filesystem::path& dir) {
  std::filesystem::create_directory(dir / "data");
  WriteBytes(dir / kFiles[0], "20240114,a,b,1,\r\n20240115,a,old,2,\r\n");
  WriteBytes(dir / kFiles[1], "2,2\r\ncw 0,64\r\ncw 1,64\r\n1,1,old\r\n");
  WriteBytes(dir / kFiles[2], "[setting]\r\nsime=0\r\n");
}

// The three saves, each on its own; the text of each one's error, empty when it went through.
std::vector<std::string> SaveAll(const std::filesystem::path& dir) {
  const std::function<void()> saves[] = {
      [&] {
        SaveDayPage(dir / "data", kDay, {{Utf8ToCp932("食費"), "new", "3", "a memo"}});
      },
      [&] {
        GridTable table(2, 2);
        table.SetCell(1, 1, "new");
        SaveGridFile(dir / kFiles[1], table);
      },
      [&] { IniFile(dir / kFiles[2]).WriteValues({IniValue::Integer("setting", "sime", 25)}); },
  };
  std::vector<std::string> errors;
  for (const auto& save : saves) {
    try {
      save();
      errors.emplace_back();
    } catch (const AppError& error) {
      errors.emplace_back(error.what());
    }
  }
  return errors;
}

std::vector<std::string> ReadFiles(const std::filesystem::path& dir) {
  std::vector<std::string> contents;
  for (const char* file : kFiles) contents.push_back(ReadBytes(dir / file));
  return contents;
}

TEST(WriteFaults, EveryFailedCallKeepsTheOldFileAndSaysWhy) {
  TempDir clean;
  PrepareProgramDir(clean.path());
  const std::vector<std::string> old_bytes = ReadFiles(clean.path());
  FileFaultPlan counting;
  ASSERT_EQ(SaveAll(clean.path()), std::vector<std::string>(3));
  const std::vector<std::string> new_bytes = ReadFiles(clean.path());

  const struct {
    FileStep step;
    int error;
  } kSteps[] = {{FileStep::kAccess, EACCES}, {FileStep::kOpen, EMFILE}, {FileStep::kRead, EIO},
                {FileStep::kWrite, ENOSPC},  {FileStep::kFlush, EIO},   {FileStep::kClose, EDQUOT},
                {FileStep::kRename, EROFS},  {FileStep::kSync, EIO}};
  for (const auto& [step, error] : kSteps) {
    const int calls = counting.Calls(step);
    EXPECT_GE(calls, 2) << static_cast<int>(step);
    for (int nth = 1; nth <= calls; ++nth) {
      for (const bool for_good : {false, true}) {
        SCOPED_TRACE(::testing::Message() << "step " << static_cast<int>(step) << ", call " << nth
                                          << (for_good ? " and after" : " once"));
        TempDir dir;
        PrepareProgramDir(dir.path());
        std::vector<std::string> errors;
        {
          FileFaultPlan plan({{step, nth, for_good ? FileFault::kForever : 1, error}});
          errors = SaveAll(dir.path());
          EXPECT_GE(plan.Failures(), 1);
        }
        int failed = 0;
        for (std::size_t i = 0; i < errors.size(); ++i) {
          const std::string bytes = ReadBytes(dir / kFiles[i]);
          if (errors[i].empty()) {
            EXPECT_EQ(bytes, new_bytes[i]) << kFiles[i];
            continue;
          }
          ++failed;
          // A failed directory sync comes after the rename: the new bytes are in place.
          EXPECT_EQ(bytes, step == FileStep::kSync ? new_bytes[i] : old_bytes[i]) << kFiles[i];
          if (i == 2) {
            EXPECT_EQ(errors[i], (dir / "ini.ini").string() + " に書き込めません");
          } else {
            EXPECT_TRUE(errors[i].ends_with(std::string("\": ") + std::strerror(error)))
                << errors[i];
          }
        }
        EXPECT_GE(failed, 1);
        if (!for_good) {
          EXPECT_EQ(failed, 1);
        }
        EXPECT_EQ(ListDir(dir.path()), "data|ini.ini|setting.dat");
        EXPECT_EQ(ListDir(dir / "data"), "202401.csv");
      }
    }
  }
}

}  // namespace
}  // namespace purselog
