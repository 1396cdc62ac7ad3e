#include "report_flush.h"

#include <set>
#include <vector>

#include "platform/paths.h"

namespace ordelix {

Result<void> reports_flush(std::span<PendingReport* const> reports) {
  std::vector<StagedFile*> files;
  for (PendingReport* report : reports) files.push_back(&report->file());
  return staged_files_sync(files);
}

Result<void> report_folders_flush(std::span<const std::string> targets) {
  std::set<std::string> folders;
  for (const std::string& target : targets)
    if (folders.insert(path_folder(target)).second)
      if (Result<void> synced = report_sync_folder(target); !synced) return synced;
  return {};
}

}  // namespace ordelix
