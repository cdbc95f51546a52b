// A seam for tests: every system call of the file layer (core/text_file) first asks a hook, so
// that a test can make any of them fail as the system would, at the moment it chooses. The
// program itself never installs a hook; without one the calls run as they are.
#pragma once

#include <filesystem>
#include <functional>

namespace purselog {

// The file layer's system calls, by what they do.
enum class FileStep {
  kAccess,  // the write-permission check of an existing target (faccessat)
  kOpen,    // opening a file to read it, or creating the temporary of a write (mkstemp)
  kRead,    // one read from an open file
  kWrite,   // one write to the temporary
  kFlush,   // flushing the temporary to disk (fdatasync)
  kClose,   // closing the temporary
  kRename,  // renaming the temporary over the target
  kSync,    // opening and syncing the directory after the rename (fsync)
};

// Asked before each call with its step and the path of the file concerned: the file read, or
// the target a write replaces, as the caller named it (for every step of that write, kSync
// included). Returns 0 to let the call run, or an errno value: the call then does not run and
// fails with that error. EINTR is retried wherever the system's own interruption is.
using FileFaultHook = std::function<int(FileStep step, const std::filesystem::path& path)>;

// Installs the hook (an empty one removes it) and returns the hook it replaces. For tests; the
// file layer is single-threaded.
FileFaultHook SetFileFaultHook(FileFaultHook hook);

}  // namespace purselog
