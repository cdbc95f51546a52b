// A fresh directory for one benchmark, removed with everything in it afterwards.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace purselog {

class BenchDir {
 public:
  BenchDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "purselog-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    path_ = pattern;
  }
  ~BenchDir() { std::filesystem::remove_all(path_); }
  BenchDir(const BenchDir&) = delete;
  BenchDir& operator=(const BenchDir&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace purselog
