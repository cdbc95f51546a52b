// Failures of the file layer on demand, through its test seam (core/file_faults.h): a plan
// fails chosen calls with chosen errors and counts every call meanwhile. Installed while it
// lives. For example, the first rename of a month file failing with "No space left on device":
//   FileFaultPlan plan({{FileStep::kRename, 1, 1, ENOSPC, "202401.csv"}});
#pragma once

#include <cerrno>
#include <climits>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/file_faults.h"

namespace purselog::testing {

struct FileFault {
  static constexpr int kForever = INT_MAX;

  FileFault(FileStep step_, int first_ = 1, int count_ = 1, int error_ = EIO,
            std::string file_ = {})
      : step(step_), first(first_), count(count_), error(error_), file(std::move(file_)) {}

  FileStep step;
  int first;         // the first call that fails, counting the calls of `step` from 1
  int count;         // how many calls in a row fail (kForever: every one from `first` on)
  int error;         // the errno they fail with
  std::string file;  // only calls about a file of this name count (any file when empty)
};

class FileFaultPlan {
 public:
  explicit FileFaultPlan(std::vector<FileFault> faults = {})
      : faults_(std::move(faults)), counted_(faults_.size(), 0) {
    previous_ = SetFileFaultHook([this](FileStep step, const std::filesystem::path& path) {
      ++calls_[step];
      for (std::size_t i = 0; i < faults_.size(); ++i) {
        const FileFault& fault = faults_[i];
        if (fault.step != step) continue;
        if (!fault.file.empty() && path.filename() != fault.file) continue;
        const int nth = ++counted_[i];
        if (nth >= fault.first && nth - fault.first < fault.count) {
          ++failures_;
          return fault.error;
        }
      }
      return 0;
    });
  }
  ~FileFaultPlan() { SetFileFaultHook(std::move(previous_)); }
  FileFaultPlan(const FileFaultPlan&) = delete;
  FileFaultPlan& operator=(const FileFaultPlan&) = delete;

  // How many calls of the step were made (failed ones included).
  int Calls(FileStep step) const {
    const auto found = calls_.find(step);
    return found == calls_.end() ? 0 : found->second;
  }
  // How many calls the plan failed.
  int Failures() const { return failures_; }

 private:
  std::vector<FileFault> faults_;
  std::map<FileStep, int> calls_;
  std::vector<int> counted_;  // the calls each fault has counted
  int failures_ = 0;
  FileFaultHook previous_;
};

}  // namespace purselog::testing
