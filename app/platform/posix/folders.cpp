#include "platform/folders.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "unique_fd.h"

namespace ordelix {

namespace fs = std::filesystem;

namespace {

EntryKind kind_of(const fs::directory_entry& entry) {
  std::error_code ec;
  if (entry.is_symlink(ec))
    return fs::is_directory(entry.path(), ec)      ? EntryKind::folder_link
           : fs::is_regular_file(entry.path(), ec) ? EntryKind::regular
                                                   : EntryKind::other;
  if (entry.is_directory(ec)) return EntryKind::folder;
  return entry.is_regular_file(ec) ? EntryKind::regular : EntryKind::other;
}

}  // namespace

Result<std::vector<FolderEntry>> folder_entries(const std::string& folder) {
  std::error_code ec;
  std::vector<FolderEntry> entries;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::string name = it->path().filename().string();
    if (name.front() != '.') entries.push_back({std::move(name), kind_of(*it)});
  }
  if (ec) return Problem(ProblemKind::cannot_read_folder, ec.value());
  std::sort(entries.begin(), entries.end(),
            [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
  return entries;
}

Result<void> folder_make(const std::string& folder) {
  std::error_code ec;
  if (fs::create_directories(folder, ec) || !ec) return {};
  return folder_not_created(folder, ec.value());
}

Result<void> folder_sync(const std::string& folder) {
  UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() < 0) return Problem(ProblemKind::sync_failed, errno);
  // EINVAL: a folder that cannot be synced, as on some network file systems.
  if (::fsync(fd.get()) != 0 && errno != EINVAL) return Problem(ProblemKind::sync_failed, errno);
  return {};
}

}  // namespace ordelix
