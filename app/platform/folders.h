#pragma once

#include <string>
#include <vector>

#include "base/result.h"

namespace ordelix {

enum class EntryKind { regular, folder, folder_link, other };

struct FolderEntry {
  std::string name;
  EntryKind kind;
};

// What a folder holds, by name, hidden entries (a leading dot) left out.
// Error: cannot_read_folder.
Result<std::vector<FolderEntry>> folder_entries(const std::string& folder);

// Makes the folder and those above it as needed. Error: cannot_create_folder.
Result<void> folder_make(const std::string& folder);

// Makes the names given in the folder last through a crash. Error: sync_failed.
Result<void> folder_sync(const std::string& folder);

}  // namespace ordelix
