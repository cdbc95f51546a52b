// What the fuzz harnesses share: a scratch directory of their own (on a memory file system when
// there is one, so that the atomic writer's syncs cost nothing), the input written to a file,
// and a check that stops the run with a message when a property fails.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

namespace purselog::fuzz {

// A directory made once per process inside $PURSELOG_FUZZ_SCRATCH (fuzz/run.sh sets it and
// removes it afterwards), or else on /dev/shm or in the temporary directory; removed at a normal
// exit.
inline const std::filesystem::path& ScratchDir() {
  static const std::filesystem::path dir = [] {
    std::error_code error;
    const char* const given = std::getenv("PURSELOG_FUZZ_SCRATCH");
    const std::filesystem::path base =
        given != nullptr ? std::filesystem::path(given)
        : std::filesystem::is_directory("/dev/shm", error) && ::access("/dev/shm", W_OK) == 0
            ? std::filesystem::path("/dev/shm")
            : std::filesystem::temp_directory_path();
    std::string pattern = (base / "purselog-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(ScratchDir(), ignored);
    });
    return std::filesystem::path(pattern);
  }();
  return dir;
}

// Replaces the file with the bytes (a plain write: the input is set up, not under test).
inline void WriteInput(const std::filesystem::path& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) std::abort();
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n <= 0) std::abort();
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  ::close(fd);
}

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

[[noreturn]] inline void Fail(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: property failed: %s\n", file, line, condition);
  std::abort();
}

}  // namespace purselog::fuzz

// Stops the run (libFuzzer saves the input) when the property does not hold.
#define FUZZ_CHECK(condition) \
  ((condition) ? static_cast<void>(0) : ::purselog::fuzz::Fail(#condition, __FILE__, __LINE__))
