#include "core/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace purselog {

namespace fs = std::filesystem;

namespace {

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
  int Close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result;
  }

 private:
  int fd_;
};

std::optional<std::string> ReadBytes(const fs::path& path, bool missing_is_error) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    const int err = errno;
    if (!missing_is_error && (err == ENOENT || err == ENOTDIR)) return std::nullopt;
    throw FileError("Cannot open file", path, err);
  }
  Descriptor file(fd);
  struct stat info {};
  if (::fstat(fd, &info) != 0) throw FileError("Cannot open file", path, errno);
  if (S_ISDIR(info.st_mode)) throw FileError("Cannot open file", path, EISDIR);

  std::string bytes;
  if (info.st_size > 0) bytes.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw FileError("Cannot read file", path, errno);
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
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
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      throw FileError("Cannot write file", path, errno);
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}

}  // namespace

std::string ReadFileBytes(const fs::path& path) { return *ReadBytes(path, true); }

std::optional<std::string> ReadFileBytesIfExists(const fs::path& path) {
  return ReadBytes(path, false);
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

void WriteFileAtomic(const fs::path& path, std::string_view bytes) {
  const fs::path directory = path.has_parent_path() ? path.parent_path() : fs::path(".");
  std::string temp_leaf = ".";
  temp_leaf += path.filename().string();
  temp_leaf += ".XXXXXX";
  std::string temp_name = (directory / temp_leaf).string();
  const int fd = ::mkstemp(temp_name.data());
  if (fd < 0) throw FileError("Cannot create file", path, errno);
  Descriptor temp(fd);
  try {
    struct stat info {};
    const mode_t mode = (::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode))
                            ? static_cast<mode_t>(info.st_mode & 07777)
                            : NewFileMode();
    if (::fchmod(fd, mode) != 0) throw FileError("Cannot create file", path, errno);
    WriteAll(fd, bytes, path);
    if (::fdatasync(fd) != 0) throw FileError("Cannot write file", path, errno);
    if (temp.Close() != 0) throw FileError("Cannot write file", path, errno);
    if (::rename(temp_name.c_str(), path.c_str()) != 0) {
      throw FileError("Cannot create file", path, errno);
    }
  } catch (...) {
    ::unlink(temp_name.c_str());
    throw;
  }
  // Make the rename itself durable; the new file is complete whether or not this succeeds.
  const int dir_fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir_fd >= 0) {
    ::fsync(dir_fd);
    ::close(dir_fd);
  }
}

void WriteLines(const fs::path& path, const std::vector<std::string>& lines) {
  WriteFileAtomic(path, JoinLines(lines));
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
