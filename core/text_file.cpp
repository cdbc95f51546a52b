#include "core/text_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "core/file_faults.h"

namespace purselog {

namespace fs = std::filesystem;

namespace {

FileFaultHook& InstalledHook() {
  static FileFaultHook hook;
  return hook;
}

// Runs the system call `call` unless the test hook fails it: then returns -1 with the hook's
// errno, as the call would.
template <typename Call>
auto SystemCall(FileStep step, const fs::path& path, Call call) -> decltype(call()) {
  if (const FileFaultHook& hook = InstalledHook()) {
    if (const int error = hook(step, path)) {
      errno = error;
      return -1;
    }
  }
  return call();
}

// Closes the descriptor when the scope ends, unless released.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  // Closes now and reports close's own failure (the last chance to see a delayed write error).
  // An interrupted close is not retried: the descriptor is released all the same, and the data
  // has been flushed before.
  int Close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return (result != 0 && errno == EINTR) ? 0 : result;
  }

 private:
  int fd_;
};

std::optional<std::string> ReadBytes(const fs::path& path, bool missing_is_error,
                                     std::size_t limit = static_cast<std::size_t>(-1)) {
  const int fd =
      SystemCall(FileStep::kOpen, path, [&] { return ::open(path.c_str(), O_RDONLY | O_CLOEXEC); });
  if (fd < 0) {
    const int err = errno;
    if (!missing_is_error && (err == ENOENT || err == ENOTDIR)) return std::nullopt;
    throw FileError("Cannot open file", path, err);
  }
  Descriptor file(fd);
  struct stat info {};
  if (::fstat(fd, &info) != 0) throw FileError("Cannot open file", path, errno);
  if (S_ISDIR(info.st_mode)) throw FileError("Cannot open file", path, EISDIR);

  // A larger file is refused before it is read, and when it grows while it is read.
  const auto too_large = [&path] { return FileError("Cannot read file", path, EFBIG); };
  if (info.st_size > 0 && static_cast<std::uintmax_t>(info.st_size) > limit) throw too_large();
  std::string bytes;
  if (info.st_size > 0) bytes.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t n =
        SystemCall(FileStep::kRead, path, [&] { return ::read(fd, buffer, sizeof buffer); });
    if (n < 0) {
      if (errno == EINTR) continue;
      throw FileError("Cannot read file", path, errno);
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
    if (bytes.size() > limit) throw too_large();
  }
  return bytes;
}

mode_t NewFileMode() {
  static const mode_t mode = [] {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
  }();
  return mode;
}

void WriteAll(int fd, std::string_view bytes, const fs::path& path) {
  while (!bytes.empty()) {
    const ssize_t n =
        SystemCall(FileStep::kWrite, path, [&] { return ::write(fd, bytes.data(), bytes.size()); });
    if (n < 0) {
      if (errno == EINTR) continue;
      throw FileError("Cannot write file", path, errno);
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}

// Runs a system call again while a signal interrupts it.
template <typename Call>
int RetryOnInterrupt(Call call) {
  int result;
  do {
    result = call();
  } while (result != 0 && errno == EINTR);
  return result;
}

constexpr int kMaxLinkHops = 40;  // as the kernel's own limit

// The file that a write to `path` replaces: `path` itself, or the end of its chain of symbolic
// links (which need not exist).
fs::path ResolveLinks(const fs::path& path) {
  fs::path current = path;
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat info {};
    if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
    std::error_code error;
    const fs::path target = fs::read_symlink(current, error);
    if (error) throw FileError("Cannot open file", path, error.value());
    current = target.is_absolute() ? target : current.parent_path() / target;
  }
  throw FileError("Cannot open file", path, ELOOP);
}

bool IsTemporarySuffixByte(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Removes the regular files of the directory named `prefix` followed by exactly six letters or
// digits: the temporaries that mkstemp made for that target in writes that never finished.
void RemoveStaleTemporaries(const fs::path& directory, std::string_view prefix) {
  DIR* listing = ::opendir(directory.c_str());
  if (listing == nullptr) return;
  const int dir_fd = ::dirfd(listing);
  while (const dirent* entry = ::readdir(listing)) {
    const std::string_view name = entry->d_name;
    if (name.size() != prefix.size() + 6 || !name.starts_with(prefix)) continue;
    bool suffix_matches = true;
    for (const char c : name.substr(prefix.size())) suffix_matches &= IsTemporarySuffixByte(c);
    if (!suffix_matches) continue;
    struct stat info {};
    if (::fstatat(dir_fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (S_ISREG(info.st_mode)) ::unlinkat(dir_fd, entry->d_name, 0);
  }
  ::closedir(listing);
}

}  // namespace

std::string ReadFileBytes(const fs::path& path) { return *ReadBytes(path, true); }

std::string ReadFileBytes(const fs::path& path, std::size_t limit) {
  return *ReadBytes(path, true, limit);
}

std::optional<std::string> ReadFileBytesIfExists(const fs::path& path) {
  return ReadBytes(path, false);
}

std::string_view TailFromNul(std::string_view text) {
  const std::size_t nul = text.find('\0');
  return nul == std::string_view::npos ? std::string_view() : text.substr(nul);
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  ForEachLine(text, [&lines](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  std::string text;
  text.reserve(size);
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

std::vector<std::string> ReadLines(const fs::path& path) { return SplitLines(ReadFileBytes(path)); }

std::optional<std::vector<std::string>> ReadLinesIfExists(const fs::path& path) {
  std::optional<std::string> bytes = ReadFileBytesIfExists(path);
  if (!bytes) return std::nullopt;
  return SplitLines(*bytes);
}

namespace {

bool IsLink(const fs::path& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

void WriteAtomic(const fs::path& path, std::initializer_list<std::string_view> pieces,
                 bool follow_links) {
  const bool replace_link = !follow_links && IsLink(path);
  const fs::path target = follow_links ? ResolveLinks(path) : path;
  // mkstemp writes a new file whatever the target's permissions: ask for them first (a link
  // that is replaced is no file to ask about).
  if (!replace_link &&
      SystemCall(FileStep::kAccess, path,
                 [&] { return ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS); }) != 0 &&
      errno != ENOENT) {
    throw FileError("Cannot write file", path, errno);
  }
  const fs::path directory = target.has_parent_path() ? target.parent_path() : fs::path(".");
  const std::string temp_prefix = "." + target.filename().string() + ".";
  std::string temp_name = (directory / (temp_prefix + "XXXXXX")).string();
  const int fd = SystemCall(FileStep::kOpen, path, [&] { return ::mkstemp(temp_name.data()); });
  if (fd < 0) throw FileError("Cannot create file", path, errno);
  Descriptor temp(fd);
  try {
    struct stat info {};
    const mode_t mode = (::lstat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode))
                            ? static_cast<mode_t>(info.st_mode & 07777)
                            : NewFileMode();
    if (::fchmod(fd, mode) != 0) throw FileError("Cannot create file", path, errno);
    for (const std::string_view bytes : pieces) WriteAll(fd, bytes, path);
    if (RetryOnInterrupt([&] {
          return SystemCall(FileStep::kFlush, path, [fd] { return ::fdatasync(fd); });
        }) != 0) {
      throw FileError("Cannot write file", path, errno);
    }
    if (SystemCall(FileStep::kClose, path, [&] { return temp.Close(); }) != 0) {
      throw FileError("Cannot write file", path, errno);
    }
    if (SystemCall(FileStep::kRename, path,
                   [&] { return ::rename(temp_name.c_str(), target.c_str()); }) != 0) {
      throw FileError("Cannot create file", path, errno);
    }
  } catch (...) {
    ::unlink(temp_name.c_str());
    throw;
  }
  RemoveStaleTemporaries(directory, temp_prefix);
  // Make the rename itself durable. The new file is in place whatever happens here, but a
  // rename that may not survive a power loss is reported all the same, so that the caller does
  // not take the write for done (a second write of the same bytes is harmless). A file system
  // that cannot sync a directory says EINVAL: nothing more can be done there.
  const int synced = RetryOnInterrupt([&] {
    return SystemCall(FileStep::kSync, path, [&] {
      const int dir_fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
      if (dir_fd < 0) return -1;
      const int result = ::fsync(dir_fd);
      const int error = errno;
      ::close(dir_fd);
      errno = error;
      return result != 0 && error == EINVAL ? 0 : result;
    });
  });
  if (synced != 0) throw FileError("Cannot sync directory", directory, errno);
}

}  // namespace

void WriteFileAtomic(const fs::path& path, std::string_view bytes) {
  WriteAtomic(path, {bytes}, true);
}

void WriteFileAtomic(const fs::path& path, std::initializer_list<std::string_view> pieces) {
  WriteAtomic(path, pieces, true);
}

void WriteScratchFile(const fs::path& path, std::initializer_list<std::string_view> pieces) {
  WriteAtomic(path, pieces, false);
}

FileFaultHook SetFileFaultHook(FileFaultHook hook) {
  FileFaultHook previous = std::move(InstalledHook());
  InstalledHook() = std::move(hook);
  return previous;
}

void WriteLines(const fs::path& path, const std::vector<std::string>& lines,
                std::string_view tail) {
  std::string bytes = JoinLines(lines);
  bytes.append(tail);
  WriteFileAtomic(path, bytes);
}

bool FileExists(const fs::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool DirectoryExists(const fs::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

void CreateDirectory(const fs::path& path) {
  if (::mkdir(path.c_str(), 0777) != 0) throw FileError("Cannot create directory", path, errno);
}

}  // namespace purselog
