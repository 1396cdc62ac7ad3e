#include "platform/folders.h"

#include "memory_table.h"

namespace ordelix {

Result<std::vector<FolderEntry>> folder_entries(const std::string& folder) {
  std::vector<FolderEntry> entries;
  if (int err = MemoryTable::instance().entries(folder, entries); err != 0)
    return Problem(ProblemKind::cannot_read_folder, err);
  return entries;
}

Result<void> folder_make(const std::string& folder) {
  if (int err = MemoryTable::instance().make_folder(folder); err != 0)
    return folder_not_created(folder, err);
  return {};
}

// Nothing in memory outlives the process, synced or not.
Result<void> folder_sync(const std::string&) {
  return {};
}

}  // namespace ordelix
