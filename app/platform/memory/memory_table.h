#pragma once

#include <ctime>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/folders.h"
#include "platform/paths.h"

namespace ordelix {

// Where temporary files belong; it is always there.
inline constexpr const char* memory_temp_folder = "/tmp";

struct MemoryFile {
  std::string bytes;
  std::time_t created = 0;
};

// The files and folders of the memory platform, one table for the process.
// Every path is taken by its identity, so that "a/./b" and "/a/b" are one.
// Failures are errno values, 0 for none.
class MemoryTable {
 public:
  static MemoryTable& instance();

  // "/" followed by the path's names, "." and ".." resolved.
  static std::string identity(const std::string& path);

  PathKind kind(const std::string& path) const;
  // A copy of the file into `into` unless it holds more than `max_bytes`
  // (EFBIG), is a folder (EISDIR) or is not there (ENOENT).
  int read(const std::string& path, std::size_t max_bytes, MemoryFile& into) const;
  // The folder's entries by name, hidden ones left out.
  int entries(const std::string& folder, std::vector<FolderEntry>& found) const;

  // Into an existing folder; without `replace` a file already there stays.
  // `file` is moved from only when it is put.
  int put(const std::string& path, MemoryFile& file, bool replace);
  std::optional<MemoryFile> take(const std::string& path);
  // With the folders above it.
  int make_folder(const std::string& folder);
  void clear();

 private:
  MemoryTable();
  PathKind kind_of(const std::string& key) const;

  mutable std::mutex mutex_;
  std::map<std::string, MemoryFile> files_;
  std::set<std::string> folders_;
};

}  // namespace ordelix
